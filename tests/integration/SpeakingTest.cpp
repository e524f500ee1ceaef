// Speaking selected text in the real window: a voice switched on, a
// sentence selected with a real mouse drag, speech arriving in a WAV file.
#include "commands/CommandBarView.h"
#include "platform/Speech.h"
#include "support/MainWindowFixture.h"
#include "support/Wav.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>

using namespace lorva;
using namespace lorva::test;

namespace {

const QString kSentence = QStringLiteral("Reading aloud is the heart of this browser.");

// The real platform, but speech goes to a WAV file instead of the speakers.
class WavPlatform : public Platform
{
public:
    WavPlatform(std::unique_ptr<Platform> real, QString wav) : m_real(std::move(real)), m_wav(std::move(wav)) {}
    std::unique_ptr<BrowserView> createBrowserView(QWidget *parent) override
    {
        return m_real->createBrowserView(parent);
    }
    std::unique_ptr<SpeechEngine> createSpeech() override { return createEspeakSpeech(createWavFile(m_wav)); }
    void showFailure(QWidget *parent, const QString &message) override { m_real->showFailure(parent, message); }

private:
    std::unique_ptr<Platform> m_real;
    QString m_wav;
};

class Speaking : public MainWindowFixture
{
protected:
    std::unique_ptr<Platform> makePlatform() override
    {
        return std::make_unique<WavPlatform>(createRealPlatform(folder.path()), wavPath());
    }

    QString wavPath() const { return folder.file("speech.wav"); }

    // The WAV once it has stopped growing.
    Wav settledWav(int timeoutMs = 6000)
    {
        size_t last = 0;
        int quiet = 0;
        waitUntil(
            [&] {
                const size_t now = readWav(wavPath()).samples.size();
                quiet = now == last && now > 0 ? quiet + 1 : 0;
                last = now;
                return quiet >= 15; // 300 ms without growth
            },
            timeoutMs);
        return readWav(wavPath());
    }

    void switchVoiceOn(const QString &description)
    {
        for (QAction *a : window->cmdBar(0)->menuOf("TTS")->actions()) {
            if (a->toolTip() == description) {
                a->trigger();
                return;
            }
        }
        FAIL() << "no voice " << qPrintable(description);
    }

    static int xdo(const QStringList &args) { return QProcess::execute("xdotool", args); }
};

} // namespace

TEST_F(Speaking, ASentenceSelectedWithTheMouseIsSpoken)
{
    server.addPage("/read", page("Read", ("<p style='margin:0;padding:40px;font:22px DejaVu Sans'>" + kSentence +
                                          "</p>").toUtf8().constData()));
    type(server.url("/read"));
    ASSERT_TRUE(waitForLoad(0, server.url("/read")));

    switchVoiceOn("English (Great Britain)");
    EXPECT_TRUE(window->timer(MainTimer::Timer6)->isActive());
    EXPECT_TRUE(window->cmdBar(0)->actionsOf("SPEAK").first()->isEnabled());
    EXPECT_EQ(window->timebarPicture(), 96);
    const Wav announced = settledWav();
    ASSERT_TRUE(announced.valid);
    EXPECT_GT(spokenSeconds(announced), 1.0) << "caption 164 was not spoken";

    // Select the sentence with a real drag across it.
    QWidget *view = window->Web(0)->widget();
    const QPoint from = view->mapToGlobal(QPoint(30, 54));
    const QPoint to = view->mapToGlobal(QPoint(view->width() - 40, 54));
    xdo({"mousemove", QString::number(from.x()), QString::number(from.y())});
    QTest::qWait(100);
    xdo({"mousedown", "1"});
    for (int step = 1; step <= 8; ++step) {
        xdo({"mousemove", QString::number(from.x() + (to.x() - from.x()) * step / 8), QString::number(to.y())});
        QTest::qWait(30);
    }
    xdo({"mouseup", "1"});

    ASSERT_TRUE(waitUntil([&] { return readWav(wavPath()).samples.size() > announced.samples.size(); }, 5000))
        << "nothing was spoken after the selection";
    const Wav after = settledWav();
    Wav spoken = after;
    spoken.samples.assign(after.samples.begin() + qsizetype(announced.samples.size()), after.samples.end());

    const Wav reference = espeakReference(kSentence, "gmw/en", folder.path());
    ASSERT_TRUE(reference.valid);
    EXPECT_NEAR(spokenSeconds(spoken), spokenSeconds(reference), spokenSeconds(reference) * 0.15)
        << spokenSeconds(spoken) << " s spoken against " << spokenSeconds(reference) << " s for the sentence";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());

    // The same voice again: speech mode off.
    switchVoiceOn("English (Great Britain)");
    EXPECT_FALSE(window->timer(MainTimer::Timer6)->isActive());
    EXPECT_FALSE(window->cmdBar(0)->actionsOf("SPEAK").first()->isEnabled());
    EXPECT_EQ(window->timebarPicture(), 132);
}
