// Reading a page aloud: the time from "read the page" to the first samples
// of its speech at the sink, on a 10,000-word article and on a small one,
// each with a navigation bar, a banner and a footer around it; the article
// found by Readability against the whole body (Readability's script missing)
// in the same run; and bash's reference manual as a real, much longer page.
// Needs an X display (DISPLAY) or runs offscreen.
#include "ShownProgram.h"
#include "app/Program.h"
#include "browser/frmStart.h"
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "commands/ImageList.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"
#include "platform/SpeechEngine.h"
#include "platform/WebEngineView.h"
#include "support/HttpServer.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

using namespace lorva;
using lorva::bench::waitFor;
using namespace lorva::test;

namespace {

std::atomic<qint64> g_firstNs{-1};
QElapsedTimer g_clock;

class TimingOutput : public AudioOutput
{
public:
    bool open(int) override { return true; }
    void write(const QByteArray &) override
    {
        qint64 expected = -1;
        g_firstNs.compare_exchange_strong(expected, g_clock.nsecsElapsed());
    }
    void discard() override {}
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// An article of about `words` words in paragraphs of 100, between a
// navigation bar, a cookie banner and a footer.
QByteArray articlePage(int words)
{
    static const char *vocabulary[] = {"river", "heron", "morning", "meadow", "willow", "stone", "water", "swallow",
                                       "summer", "valley", "bridge", "harvest", "village", "orchard", "mist", "field"};
    QByteArray body = "<nav><a href='/'>Home</a> <a href='/news'>News</a> <a href='/shop'>Shop</a></nav>"
                      "<div class='cookie-banner'>We use cookies. <button>Accept</button></div>"
                      "<article><h1>Notes from the valley</h1>";
    int n = 0;
    while (n < words) {
        body += "<p>";
        for (int i = 0; i < 100 && n < words; ++i, ++n) {
            body += vocabulary[(n * 7 + n / 16) % 16];
            body += (i % 15 == 14) ? ". " : " ";
        }
        body += "end.</p>";
    }
    body += "</article><footer>Copyright, imprint, privacy.</footer>";
    return "<!DOCTYPE html><html lang='en'><head><title>Notes from the valley</title></head><body>" + body +
           "</body></html>";
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    preparePlatform();
    QApplication app(argc, argv);
    useIconThemes();

    HttpServer server;
    server.addPage("/long", articlePage(10000));
    server.addPage("/small", articlePage(300));
    // A real manual of some 100,000 words, for scale (bash-doc).
    QFile manual(QStringLiteral("/usr/share/doc/bash/bashref.html"));
    const bool haveManual = manual.open(QIODevice::ReadOnly);
    if (haveManual)
        server.addPage("/bashref", manual.readAll());
    TempFolder folder;
    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_DATA_DIR) + '/' + sub);
        for (const QString &name : dir.entryList(QDir::Files))
            QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/small") + "\r\nEnglish\r\n").toUtf8());
    std::unique_ptr<Platform> platform = createRealPlatform(folder.path());
    platform->createSpeech = [] { return createEspeakSpeech(std::make_unique<TimingOutput>()); };
    Program program(folder.path(), *platform);
    frmStart &window = program.mainWindow();
    if (!bench::showMainWindow(program))
        return 1;
    BrowserView *view = window.Web(0);
    QAction *read = nullptr, *stop = nullptr;
    for (QAction *a : window.cmdBar(0)->menuOf(keys::Tts)->actions()) {
        if (a->toolTip() == u"English (Great Britain)")
            a->trigger();
        if (a->objectName() == keys::SpeakRead)
            read = a;
        if (a->objectName() == keys::SpeakStop)
            stop = a;
    }
    if (!read || !stop) {
        std::fprintf(stderr, "no entry to read the page\n");
        return 1;
    }
    QTest::qWait(2500); // the greeting

    for (const char *path : {"/long", "/small", "/bashref"}) {
        if (!haveManual && path == std::string("/bashref"))
            continue;
        view->Navigate(server.url(QString::fromLatin1(path)));
        waitFor([&] { return view->LocationURL() == server.url(QString::fromLatin1(path)) && !view->Busy(); }, 20000);
        QTest::qWait(500);
        // The whole body first: once Readability's script has run in a
        // page, it stays defined there until the page is left.
        for (const bool article : {false, true}) {
            setArticleFinderFolder(article ? QStringLiteral(LORVA_BIN_DIR "/Readability")
                                           : QStringLiteral("/nonexistent"));
            std::vector<double> first;
            for (int run = 0; run < 5; ++run) {
                // Silence first: nothing of the last reading may count.
                stop->trigger();
                QTest::qWait(500);
                g_firstNs = -1;
                g_clock.restart();
                read->trigger();
                if (waitFor([] { return g_firstNs >= 0; }, 10000))
                    first.push_back(g_firstNs / 1e6);
                QTest::qWait(300);
            }
            std::printf("%s page, %s: read the page to first samples: median %.0f ms, min %.0f, max %.0f over %zu runs\n",
                        path + 1, article ? "article (Readability)" : "whole body", median(first),
                        first.empty() ? 0 : *std::min_element(first.begin(), first.end()),
                        first.empty() ? 0 : *std::max_element(first.begin(), first.end()), first.size());
        }
    }
    window.close();
    return 0;
}
