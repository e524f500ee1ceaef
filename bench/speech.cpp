// Speech speed: the time from Speak to the first samples reaching the sink,
// synthesis speed as a multiple of real time, and (with an X display) the
// time from releasing the mouse button after selecting a sentence in the
// real window to the first samples of its speech.
#include "ShownProgram.h"
#include "app/Program.h"
#include "browser/frmStart.h"
#include "commands/CommandKeys.h"
#include "commands/CommandBarView.h"
#include "commands/ImageList.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"
#include "platform/SpeechEngine.h"
#include "support/HttpServer.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

using namespace lorva;
using lorva::bench::waitFor;
using namespace lorva::test;

namespace {

// Counts what arrives and notes when it first did.
struct Arrivals
{
    QElapsedTimer clock;
    std::atomic<qint64> firstNs{-1};
    std::atomic<qint64> lastNs{-1};
    std::atomic<qint64> bytes{0};
    std::atomic<qint64> discardNs{-1};
    std::atomic<qint64> bytesAfterDiscard{0};

    void reset()
    {
        discardNs = -1;
        bytesAfterDiscard = 0;
        firstNs = -1;
        lastNs = -1;
        bytes = 0;
        clock.restart();
    }
};

class TimingOutput : public AudioOutput
{
public:
    explicit TimingOutput(Arrivals &arrivals) : m_arrivals(arrivals) {}
    bool open(int) override { return true; }
    void write(const QByteArray &pcm) override
    {
        const qint64 now = m_arrivals.clock.nsecsElapsed();
        qint64 expected = -1;
        m_arrivals.firstNs.compare_exchange_strong(expected, now);
        m_arrivals.lastNs = now;
        m_arrivals.bytes += pcm.size();
        if (m_arrivals.discardNs >= 0)
            m_arrivals.bytesAfterDiscard += pcm.size();
    }
    // The real sink drops its buffer and goes quiet right here.
    void discard() override { m_arrivals.discardNs = m_arrivals.clock.nsecsElapsed(); }

private:
    Arrivals &m_arrivals;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!display)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    preparePlatform();
    QApplication app(argc, argv);
    useIconThemes();

    Arrivals arrivals;
    {
        auto speech = createEspeakSpeech(std::make_unique<TimingOutput>(arrivals));
        speech->voiceDescriptions(); // the engine is ready
        std::vector<double> first;
        for (int run = 0; run < 20; ++run) {
            arrivals.reset();
            speech->speak(QStringLiteral("Hello there."), 1);
            waitFor([&] { return arrivals.firstNs >= 0; }, 2000);
            first.push_back(arrivals.firstNs / 1e6);
            QTest::qWait(30);
        }
        std::printf("Speak to first samples at the sink: median %.2f ms over %zu runs\n", median(first), first.size());

        QString text;
        for (int i = 0; i < 20; ++i)
            text += QStringLiteral("This sentence is spoken to measure how fast the synthesiser works. ");
        arrivals.reset();
        speech->speak(text, 1);
        qint64 lastBytes = -1;
        waitFor(
            [&] {
                const bool still = arrivals.bytes == lastBytes && lastBytes > 0;
                lastBytes = arrivals.bytes;
                QTest::qWait(100);
                return still;
            },
            30000);
        const double audio = arrivals.bytes / 2.0 / 22050.0;
        const double wall = arrivals.lastNs / 1e9;
        std::printf("synthesis: %.1f s of speech in %.1f ms, %.0f times faster than real time\n", audio, wall * 1000,
                    audio / wall);

        // Escape to silence: from stop() to the sink dropping what it holds,
        // during a long text; nothing of it may arrive afterwards.
        std::vector<double> stops;
        qint64 leaked = 0;
        for (int run = 0; run < 15; ++run) {
            speech->speak(text, 1);
            QTest::qWait(20);
            arrivals.reset();
            speech->stop();
            waitFor([&] { return arrivals.discardNs >= 0; }, 2000);
            stops.push_back(arrivals.discardNs / 1e6);
            QTest::qWait(150);
            leaked += arrivals.bytesAfterDiscard;
        }
        std::printf("Escape to silence (stop to the sink dropping its sound): median %.2f ms, max %.2f ms over %zu "
                    "stops (target 50); %lld bytes arrived after a stop\n",
                    median(stops), *std::max_element(stops.begin(), stops.end()), stops.size(),
                    static_cast<long long>(leaked));
    }

    if (!display) {
        std::printf("release to first samples: needs an X display with a window manager (DISPLAY)\n");
        return 0;
    }

    HttpServer server;
    server.addPage("/read", "<html><head><title>Read</title></head><body><p style='margin:0;padding:40px;"
                            "font:22px DejaVu Sans'>Reading aloud is the heart of this browser.</p></body></html>");
    TempFolder folder;
    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_DATA_DIR) + '/' + sub);
        for (const QString &name : dir.entryList(QDir::Files))
            QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/read") + "\r\nEnglish\r\n").toUtf8());
    std::unique_ptr<Platform> platform = createRealPlatform(folder.path());
    platform->createSpeech = [&arrivals] { return createEspeakSpeech(std::make_unique<TimingOutput>(arrivals)); };
    Program program(folder.path(), *platform);
    frmStart &window = program.mainWindow();
    if (!bench::showMainWindow(program))
        return 1;
    window.QWidget::activateWindow();
    waitFor([&] { return window.Web(0)->LocationURL() == server.url("/read") && !window.Web(0)->Busy(); }, 20000);
    for (QAction *a : window.cmdBar(0)->menuOf(keys::Tts)->actions())
        if (a->toolTip() == u"English (Great Britain)")
            a->trigger();
    QTest::qWait(2500);

    QWidget *view = window.Web(0)->widget();
    const QPoint from = view->mapToGlobal(QPoint(30, 54));
    const QPoint to = view->mapToGlobal(QPoint(view->width() - 40, 54));
    const auto xdo = [](const QStringList &args) { QProcess::execute("xdotool", args); };
    // A person drags over a sentence for about a second; a quick flick that
    // falls between two watch ticks is heard one tick later.
    for (const int dragMs : {1200, 150}) {
        std::vector<double> release;
        for (int run = 0; run < 5; ++run) {
            xdo({"mousemove", QString::number(from.x()), QString::number(from.y())});
            xdo({"mousedown", "1"});
            for (int step = 1; step <= 6; ++step) {
                xdo({"mousemove", QString::number(from.x() + (to.x() - from.x()) * step / 6), QString::number(to.y())});
                QTest::qWait(dragMs / 6);
            }
            arrivals.reset();
            xdo({"mouseup", "1"});
            if (waitFor([&] { return arrivals.firstNs >= 0; }, 5000))
                release.push_back(arrivals.firstNs / 1e6);
            QTest::qWait(3000 + run * 170); // speech done; the phase against the watch tick varies
        }
        std::printf("mouse release to first samples, %d ms drag: median %.0f ms over %zu selections (min %.0f, max %.0f)\n",
                    dragMs, median(release), release.size(),
                    release.empty() ? 0 : *std::min_element(release.begin(), release.end()),
                    release.empty() ? 0 : *std::max_element(release.begin(), release.end()));
    }
    window.close();
    return 0;
}
