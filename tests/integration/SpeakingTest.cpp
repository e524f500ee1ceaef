// Speaking selected text in the real window, driven through the X server as
// a person does: a voice switched on, sentences selected with real mouse
// drags, speech arriving in a WAV file.
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "platform/SpeechEngine.h"
#include "platform/WebEngineView.h"
#include "support/ExportFixture.h"
#include "support/LongText.h"
#include "support/MainWindowFixture.h"
#include "support/Wav.h"
#include "windows/frmPronunciation.h"
#include "windows/frmSpeechLog.h"

#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QPushButton>
#include <QThread>
#include <QToolBar>

#include <algorithm>
#include <utility>

using namespace lorva;
using namespace lorva::test;

namespace {

const QString kSentence = QStringLiteral("Reading aloud is the heart of this browser.");
const QString kShort = QStringLiteral("Short words first.");
const QString kLong = QStringLiteral("Then a much longer sentence follows, with many more words in it than the first.");

// One line of text per paragraph, 90 px apart: line n is centred at y = 45 + 90 n.
QByteArray lines(const QStringList &texts)
{
    QByteArray body;
    for (const QString &text : texts)
        body += "<p style='margin:0;padding:30px 40px;font:22px/30px DejaVu Sans;white-space:nowrap'>" +
                text.toUtf8() + "</p>";
    return page("Read", body.constData());
}

class Speaking : public MainWindowFixture
{
protected:
    std::unique_ptr<Platform> makePlatform() override
    {
        // The real platform, but speech goes to a WAV file instead of the speakers.
        std::unique_ptr<Platform> platform = createRealPlatform(folder.path());
        platform->createSpeech = [wav = wavPath()] { return createEspeakSpeech(createWavFile(wav)); };
        return platform;
    }

    QString wavPath() const { return folder.file("speech.wav"); }

    // The WAV once it has grown past `samples` and then stopped growing for
    // `quietMs` (longer than the program's own wait before it speaks).
    Wav settledWav(size_t samples = 0, int quietMs = 300, int timeoutMs = 8000)
    {
        return test::settledWav(wavPath(), samples, quietMs, timeoutMs, [](int ms) { QTest::qWait(ms); });
    }

    // What was spoken after `before` was.
    Wav spokenSince(const Wav &before)
    {
        Wav after = settledWav(before.samples.size(), 800);
        after.samples.erase(after.samples.begin(), after.samples.begin() + qsizetype(before.samples.size()));
        return after;
    }

    void openPage(const QStringList &texts)
    {
        server.addPage("/read", lines(texts));
        type(server.url("/read"));
        ASSERT_TRUE(waitForLoad(0, server.url("/read")));
    }

    // Switches the voice on from its menu entry and waits for its greeting.
    Wav switchVoiceOn(const QString &description = kEnglish)
    {
        for (QAction *a : window->cmdBar(0)->menuOf(keys::Tts)->actions()) {
            if (a->toolTip() == description) {
                a->trigger();
                const Wav greeting = settledWav();
                EXPECT_GT(spokenSeconds(greeting), 1.0) << "caption 164 was not spoken";
                return greeting;
            }
        }
        ADD_FAILURE() << "no voice " << qPrintable(description);
        return {};
    }

    // Selects line `n` of the page with a real drag across it.
    void selectLine(int n)
    {
        QWidget *view = window->Web(0)->widget();
        const int y = 45 + 90 * n;
        person.drag(Person::at(view, QPoint(30, y)), Person::at(view, QPoint(view->width() - 40, y)));
    }

    Wav reference(const QString &text) { return espeakReference(text, "gmw/en", folder.path()); }

    // From aside: the window of type W once it shows, or none.
    template <class W>
    static W *shownWindow()
    {
        W *shown = nullptr;
        Person::waitFor([&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *found = qobject_cast<W *>(w); found && found->isVisible())
                    shown = found;
            return shown != nullptr;
        });
        return shown;
    }

    // From aside: clicks `key` in the voices menu.
    void chooseSpeech(const QString &key)
    {
        CommandBarView *bar = window->cmdBar(0);
        QMenu *menu = bar->menuOf(keys::Tts);
        QPoint button, entry;
        Person::onMain([&] { button = Person::at(bar->toolBar()->widgetForAction(bar->actionsOf(keys::Tts).first())); });
        person.click(button);
        if (!Person::waitFor([&] { return menu->isVisible(); }))
            return;
        Person::onMain([&] {
            for (QAction *a : menu->actions())
                if (a->objectName() == key)
                    entry = menu->mapToGlobal(menu->actionGeometry(a).center());
        });
        person.click(entry);
    }
};

} // namespace

TEST_F(Speaking, ASentenceSelectedWithTheMouseIsSpokenAndTheClipboardKept)
{
    openPage({kSentence});
    const Wav greeting = switchVoiceOn();
    EXPECT_TRUE(window->timer(MainTimer::Timer6)->isActive());
    EXPECT_TRUE(window->cmdBar(0)->actionsOf(keys::Speak).first()->isEnabled());
    EXPECT_EQ(window->timebarPicture(), 96);

    // What the user had copied before survives the speaking.
    QGuiApplication::clipboard()->setText(QStringLiteral("copied before"));
    selectLine(0);
    const Wav spoken = spokenSince(greeting);
    ASSERT_FALSE(spoken.samples.empty()) << "nothing was spoken after the selection";
    const Wav expected = reference(kSentence);
    ASSERT_TRUE(expected.valid);
    EXPECT_NEAR(spokenSeconds(spoken), spokenSeconds(expected), spokenSeconds(expected) * 0.15)
        << spokenSeconds(spoken) << " s spoken against " << spokenSeconds(expected) << " s for the sentence";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("copied before"));

    // The same voice again: speech mode off.
    switchVoiceOn();
    EXPECT_FALSE(window->timer(MainTimer::Timer6)->isActive());
    EXPECT_FALSE(window->cmdBar(0)->actionsOf(keys::Speak).first()->isEnabled());
    EXPECT_EQ(window->timebarPicture(), 132);
}

namespace {

// A real PDF document of one page with `line` on it in large letters.
QByteArray pdfWith(const QByteArray &line)
{
    const QByteArray text = "BT /F1 36 Tf 72 680 Td (" + line + ") Tj ET";
    const QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream"};
    QByteArray pdf = "%PDF-1.4\n";
    QByteArray table = "xref\n0 6\n0000000000 65535 f \n";
    for (qsizetype n = 0; n < objects.size(); ++n) {
        table += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(n + 1) + " 0 obj\n" + objects[n] + "\nendobj\n";
    }
    return pdf + table + "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(pdf.size()) + "\n%%EOF\n";
}

// Where the screen shows the first line of dark text on the white page of
// the PDF viewer in `view` (not in its dark bars or its page thumbnails);
// empty while there is none.
QRect textLineOnPage(QWidget *view)
{
    const QPoint origin = Person::at(view, QPoint(0, 0));
    const QImage shot = view->screen()->grabWindow(0, origin.x(), origin.y(), view->width(), view->height()).toImage();
    const auto white = [&](int x, int y) { return qGray(shot.pixel(x, y)) > 235; };
    const auto dark = [&](int x, int y) { return qGray(shot.pixel(x, y)) < 100; };
    // The page: the longest run of white across a row.
    int left = 0, right = -1;
    for (int y = 0; y < shot.height(); y += 4) {
        for (int x = 0, run = 0; x < shot.width(); ++x) {
            run = white(x, y) ? run + 1 : 0;
            if (run > right - left + 1) {
                right = x;
                left = x - run + 1;
            }
        }
    }
    // The viewer's page lies between margins of grey.
    if (right - left < shot.width() / 3 || left == 0 || right == shot.width() - 1)
        return {};
    QRect line;
    for (int y = 0; y < shot.height(); ++y) {
        if (!white(left + 1, y)) // above or below the page
            continue;
        bool any = false;
        for (int x = left + 1; x < right; ++x) {
            if (dark(x, y)) {
                any = true;
                line |= QRect(x, y, 1, 1);
            }
        }
        if (!any && !line.isEmpty())
            break;
    }
    return line.translated(origin);
}

} // namespace

TEST_F(Speaking, APdfDocumentShowsAndWordsDraggedAcrossInItAreSpokenOnce)
{
    const QString words = QStringLiteral("Reading a document aloud");
    server.addPage("/document.pdf", pdfWith(words.toLatin1()));
    type(server.url("/document.pdf"));
    ASSERT_TRUE(waitForLoad(0, server.url("/document.pdf")));
    QWidget *view = window->Web(0)->widget();
    // The viewer draws the page, then lays it out anew around its bars.
    QRect line, before;
    ASSERT_TRUE(waitUntil([&] {
        before = std::exchange(line, textLineOnPage(view));
        QTest::qWait(500);
        return !line.isEmpty() && line == before;
    }, 30000)) << "no text was drawn on a white page";

    const Wav greeting = switchVoiceOn();
    QGuiApplication::clipboard()->setText(QStringLiteral("copied before"));
    person.drag(QPoint(line.left() + 2, line.center().y()), QPoint(line.right() + 8, line.center().y()));
    const Wav spoken = spokenSince(greeting);
    ASSERT_FALSE(spoken.samples.empty()) << "nothing was spoken after the selection";
    ASSERT_EQ(ctx->speech.log.size(), 1);
    EXPECT_EQ(ctx->speech.log.last().text.simplified(), words);
    const Wav expected = reference(words);
    ASSERT_TRUE(expected.valid);
    EXPECT_NEAR(spokenSeconds(spoken), spokenSeconds(expected), spokenSeconds(expected) * 0.15);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("copied before"));

    // The viewer keeps the words selected; a click elsewhere, then one on
    // the page, reads them no more.
    person.click(Person::at(window->Text1()->lineEdit()));
    QTest::qWait(2500); // two ticks of the speech watch
    person.click(QPoint(line.center().x(), line.bottom() + 60));
    QTest::qWait(2500);
    EXPECT_EQ(ctx->speech.log.size(), 1);
}

TEST_F(Speaking, TwoSelectionsInQuickSuccessionAreBothSpokenInOrder)
{
    openPage({kShort, kLong});
    const Wav greeting = switchVoiceOn();
    selectLine(0);
    QTest::qWait(700);
    selectLine(1);
    const Wav spoken = spokenSince(greeting);

    const Wav first = reference(kShort);
    const Wav second = reference(kLong);
    ASSERT_TRUE(first.valid && second.valid);
    const double expected = first.seconds() + second.seconds();
    EXPECT_NEAR(spoken.seconds(), expected, expected * 0.15)
        << spoken.seconds() << " s spoken against " << expected << " s for both lines: one was lost";
    // The loudness over time shows which line came first.
    const auto shape = envelope(spoken.samples, 22050);
    const auto firstShape = envelope(first.samples, 22050);
    const auto secondShape = envelope(second.samples, 22050);
    const double inOrder = correlation(shape, 0, firstShape, 0, firstShape.size());
    const double swapped = correlation(shape, 0, secondShape, 0, firstShape.size());
    EXPECT_GT(inOrder, swapped + 0.1) << inOrder << " against " << swapped << ": the first line is not first";
}

TEST_F(Speaking, KeysTypedAfterAClickIntoTheAddressBoxReachIt)
{
    openPage({kSentence});
    switchVoiceOn();
    person.click(Person::at(window->Text1()->lineEdit()));
    QTest::qWait(2200); // the speech watch reads the page meanwhile
    person.key("ctrl+a");
    person.type("typed words");
    EXPECT_EQ(window->Text1()->currentText(), QStringLiteral("typed words"));
    EXPECT_TRUE(window->Text1()->hasFocus());
}

TEST_F(Speaking, AClickInSpeechModeLeavesWhatWasCopiedOnTheClipboard)
{
    openPage({kSentence});
    switchVoiceOn();
    QGuiApplication::clipboard()->setText(QStringLiteral("copied before"));
    person.click(Person::at(window->Web(0)->widget(), QPoint(300, 400)));
    QTest::qWait(2500); // two ticks of the speech watch
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("copied before"));
}

TEST_F(Speaking, AVoiceIsChosenWithTheKeyboardAlone)
{
    openPage({kSentence});
    CommandBarView *bar = window->cmdBar(0);
    QWidget *tts = bar->toolBar()->widgetForAction(bar->actionsOf(keys::Tts).first());
    const qsizetype steps = bar->focusableButtons().indexOf(qobject_cast<QToolButton *>(tts));
    ASSERT_GT(steps, 0);

    person.key("F10");
    ASSERT_TRUE(waitUntil([&] { return bar->isAncestorOf(QApplication::focusWidget()); }, 2000))
        << "F10 does not reach the main tool bar";
    person.key(QStringLiteral("Right ").repeated(int(steps)));
    ASSERT_EQ(QApplication::focusWidget(), tts);

    QMenu *menu = bar->menuOf(keys::Tts);
    // The keyboard passes over separators: count what it stops at.
    QList<QAction *> voices;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            voices << a;
    qsizetype wanted = -1;
    for (qsizetype i = 0; i < voices.size(); ++i)
        if (voices[i]->toolTip() == kEnglish)
            wanted = i;
    ASSERT_GE(wanted, 0);

    // The open menu runs an event loop of its own: the keys go in from aside.
    bool opened = false, onScreen = false, lastReached = false, lastShown = false;
    QAction *chosen = nullptr;
    person.aside([&] {
        person.key("Down");
        opened = Person::waitFor([&] { return menu->isVisible(); });
        if (!opened)
            return;
        Person::onMain([&] { onScreen = window->screen()->geometry().contains(menu->geometry()); });
        person.key("Down Up"); // round to the last voice
        Person::onMain([&] {
            lastReached = menu->activeAction() == voices.last();
            lastShown = menu->rect().contains(menu->actionGeometry(voices.last()));
        });
        person.key(QStringLiteral("Down ").repeated(int(wanted + 1)));
        Person::onMain([&] { chosen = menu->activeAction(); });
        person.key("Return");
    });
    ASSERT_TRUE(opened) << "Down does not open the voices";
    // Every voice can be reached: the menu stays on the screen and scrolls.
    EXPECT_TRUE(onScreen);
    EXPECT_TRUE(lastReached);
    EXPECT_TRUE(lastShown) << "the last voice is out of sight";
    EXPECT_EQ(chosen, voices[wanted]);
    EXPECT_TRUE(waitUntil([&] { return ctx->speech.ActiveVoiceCaption == "Voice: " + kEnglish; }, 2000));
    EXPECT_EQ(window->timebarPicture(), 96);
}

namespace {

// Speech to the desktop's sound, recorded from the null sink of the sound
// server that the test command runs.
class SpeakingAloud : public Speaking
{
protected:
    std::unique_ptr<Platform> makePlatform() override { return MainWindowFixture::makePlatform(); }

    void startRecording()
    {
        recorder.setStandardOutputFile(folder.file("heard.raw"));
        recorder.start("parec", {"-d", "nullsink.monitor", "--format=s16le", "--rate=22050", "--channels=1",
                                 "--latency-msec=20"});
        ASSERT_TRUE(recorder.waitForStarted());
        QTest::qWait(300);
    }

    // Whether each 50 ms frame of the recording is loud.
    std::vector<bool> stopRecording()
    {
        recorder.terminate();
        recorder.waitForFinished();
        QFile raw(folder.file("heard.raw"));
        EXPECT_TRUE(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
        const qsizetype count = bytes.size() / 2, frame = 22050 / 20;
        std::vector<bool> loud;
        for (qsizetype at = 0; at + frame <= count; at += frame) {
            int peak = 0;
            for (qsizetype i = at; i < at + frame; ++i)
                peak = qMax(peak, qAbs(int(samples[i])));
            loud.push_back(peak > 600);
        }
        return loud;
    }


    QProcess recorder;
};

} // namespace

TEST_F(SpeakingAloud, EscapeSilencesALongTextAndPauseHoldsItUntilResumed)
{
    ASSERT_EQ(QProcess::execute("pactl", {"info"}), 0) << "no sound server: run the tests through scripts/test";
    openPage({kLong + ' ' + kLong + ' ' + kLong + ' ' + kLong + ' ' + kLong});
    startRecording();
    // The whole paragraph selected, a voice on, then the speak button.
    person.click(Person::at(window->Web(0)->widget(), QPoint(200, 45)));
    for (QAction *a : window->cmdBar(0)->menuOf(keys::Tts)->actions())
        if (a->toolTip() == kEnglish)
            a->trigger();
    QTest::qWait(2500); // the greeting
    person.key("ctrl+a");
    person.click(Person::at(window->cmdBar(0)->toolBar()->widgetForAction(window->cmdBar(0)->actionsOf(keys::Speak).first())));
    QTest::qWait(1500);
    person.aside([&] { chooseSpeech(keys::SpeakPause); });
    QTest::qWait(2000);
    person.aside([&] { chooseSpeech(keys::SpeakPause); });
    QTest::qWait(1200);
    person.key("Escape");
    QTest::qWait(2000);
    const std::vector<bool> loud = stopRecording();

    // The recorder's start drifts by a few hundred ms: the sound's shape is
    // judged, not its times. The paragraph alone speaks for over 20 s with
    // no silence longer than half a second in it.
    QString shape;
    for (const bool l : loud)
        shape += l ? '#' : '.';
    SCOPED_TRACE(qPrintable(shape));
    const qsizetype last = shape.lastIndexOf('#');
    ASSERT_GE(last, 0) << "nothing was heard";
    qsizetype longestGap = 0;
    for (qsizetype at = shape.indexOf('#'); at >= 0 && at < last;) {
        const qsizetype next = shape.indexOf('#', at + 1);
        longestGap = qMax(longestGap, next - at - 1);
        at = next;
    }
    EXPECT_GE(longestGap * 50, 1500) << "the pause did not hold the speech, or it never went on";
    EXPECT_GE((shape.size() - 1 - last) * 50, 1500) << "Escape left speech going";
    EXPECT_FALSE(ctx->speech.ActiveVoiceCaption.isEmpty()) << "speech mode stays on after a stop";
    EXPECT_FALSE(ctx->speech.paused);
}

TEST_F(Speaking, ALineOfTheSpeechLogIsSpokenAgain)
{
    openPage({kSentence});
    const Wav greeting = switchVoiceOn();
    selectLine(0);
    const Wav first = spokenSince(greeting);
    ASSERT_FALSE(first.samples.empty());
    const Wav before = readWav(wavPath());

    bool listed = false;
    person.aside([&] {
        chooseSpeech(keys::SpeakLog);
        const QPointer<frmSpeechLog> log = shownWindow<frmSpeechLog>();
        if (!log)
            return;
        Person::onMain([&] { listed = log->list()->count() == 1 && log->list()->item(0)->text().endsWith(kSentence); });
        person.key("Return"); // the newest line is the current one
        Person::waitFor([&] { return readWav(wavPath()).samples.size() > before.samples.size(); });
        person.key("Escape");
        Person::waitFor([&] { return !log || !log->isVisible(); });
    });
    EXPECT_TRUE(listed) << "the log does not list the spoken sentence";
    const Wav again = spokenSince(before);
    EXPECT_NEAR(spokenSeconds(again), spokenSeconds(first), spokenSeconds(first) * 0.15);
    EXPECT_EQ(ctx->speech.log.size(), 2);
}

namespace {

// The word the page shows lit, and its number, or nothing.
QPair<QString, int> litWord(frmStart *window)
{
    auto *view = qobject_cast<QWebEngineView *>(window->Web(0)->widget());
    QString answer;
    bool done = false;
    view->page()->runJavaScript(
        "(function () { var b = document.getElementById('lorva-highlight');"
        " return b ? b.dataset.index + ' ' + b.dataset.word : ''; })()",
        [&](const QVariant &v) {
            answer = v.toString();
            done = true;
        });
    waitUntil([&] { return done; }, 2000);
    if (answer.isEmpty())
        return {QString(), -1};
    return {answer.section(' ', 1), answer.section(' ', 0, 0).toInt()};
}

} // namespace

TEST_F(SpeakingAloud, ReadPageReadsEveryParagraphInOrderLightingTheWordHeard)
{
    ASSERT_EQ(QProcess::execute("pactl", {"info"}), 0) << "no sound server: run the tests through scripts/test";
    const QStringList paragraphs{"Alpha bravo charlie.", "Delta echo foxtrot.", "Golf hotel india."};
    openPage(paragraphs);
    for (QAction *a : window->cmdBar(0)->menuOf(keys::Tts)->actions())
        if (a->toolTip() == kEnglish)
            a->trigger();
    QTest::qWait(2500); // the greeting
    person.aside([&] { chooseSpeech(keys::SpeakRead); });

    // Sampled while it reads: the lit word is always the word being heard,
    // so the numbers only grow, and every paragraph has its turn.
    const QStringList words = paragraphs.join(' ').remove('.').split(' ');
    QList<int> seen;
    bool wordsMatch = true;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000) {
        auto [word, index] = litWord(window);
        if (index >= 0) {
            if (seen.isEmpty() || seen.last() != index)
                seen << index;
            if (!(index < words.size() && word.remove('.') == words[index])) {
                wordsMatch = false;
                ADD_FAILURE() << "word " << index << " lit as " << qPrintable(word);
            }
        } else if (!seen.isEmpty() && !ctx->speech.reading.active) {
            break; // read to the end, and the light is gone
        }
        QTest::qWait(60);
    }
    EXPECT_TRUE(wordsMatch);
    QStringList order;
    for (const int i : seen)
        order << QString::number(i);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << "words were lit out of order: " << qPrintable(order.join(' '));
    EXPECT_GE(seen.size(), 6) << "too few words were lit";
    EXPECT_LE(seen.first(), 2);
    EXPECT_GE(seen.last(), 6) << "the last paragraph was not reached";
    EXPECT_FALSE(ctx->speech.reading.active);
    EXPECT_EQ(litWord(window).second, -1) << "the light stays after the speech";
}

TEST_F(SpeakingAloud, ThePagesContextMenuReadsFromTheParagraphUnderThePointer)
{
    ASSERT_EQ(QProcess::execute("pactl", {"info"}), 0) << "no sound server: run the tests through scripts/test";
    openPage({"Alpha bravo charlie.", "Delta echo foxtrot.", "Golf hotel india."});
    for (QAction *a : window->cmdBar(0)->menuOf(keys::Tts)->actions())
        if (a->toolTip() == kEnglish)
            a->trigger();
    QTest::qWait(2500); // the greeting
    bool chosen = false;
    person.aside([&] {
        QPoint second;
        Person::onMain([&] { second = Person::at(window->Web(0)->widget(), QPoint(60, 45 + 90)); });
        person.click(second, 3);
        QMenu *menu = nullptr;
        QAction *read = nullptr;
        Person::waitFor([&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *m = qobject_cast<QMenu *>(w); m && m->isVisible())
                    for (QAction *a : m->actions())
                        if (a->text() == ctx->language.Captions[248]) {
                            menu = m;
                            read = a;
                        }
            return read != nullptr;
        });
        if (!read)
            return;
        QPoint at;
        Person::onMain([&] { at = menu->mapToGlobal(menu->actionGeometry(read).center()); });
        person.click(at);
        chosen = true;
    });
    ASSERT_TRUE(chosen) << "the page's context menu has no entry to read aloud";
    int first = -1;
    waitUntil([&] { return (first = litWord(window).second) >= 0; }, 5000);
    EXPECT_EQ(first, 3) << "reading did not start at the paragraph under the pointer";
    person.key("Escape");
}

TEST_F(SpeakingAloud, ReadPageReadsTheArticleAloneLightingItsWordsInThePage)
{
    ASSERT_EQ(QProcess::execute("pactl", {"info"}), 0) << "no sound server: run the tests through scripts/test";
    setArticleFinderFolder(QStringLiteral(LORVA_BIN_DIR "/Readability"));
    const QStringList article{
        "Herons wade along the shallow river bank every spring morning, waiting for silver fish to come near.",
        "The water rises after the snow melts in the hills, and the meadows beside the river turn green again.",
        "Farmers repair the old stone walls while swallows return from the south to build their nests.",
        "By early summer the river slows, and children swim in the deep pools under the willow trees.",
        "Autumn brings mist over the water, and the herons leave for warmer marshes near the coast."};
    QByteArray body = "<nav><a href='/'>Homepage</a> <a href='/shop'>Shopping</a> <a href='/login'>Login</a></nav>"
                      "<div id='cookies'>Consent needed: cookies track visitors. <button>Accept</button></div>"
                      "<article><h1>Seasons of the river</h1>";
    for (const QString &paragraph : article)
        body += "<p>" + (paragraph + ' ' + paragraph).toUtf8() + "</p>";
    body += "</article><footer>Copyright Corporation. Imprint. Newsletter subscription.</footer>";
    server.addPage("/article", page("Seasons of the river", body.constData()));
    type(server.url("/article"));
    ASSERT_TRUE(waitForLoad(0, server.url("/article")));
    for (QAction *a : window->cmdBar(0)->menuOf(keys::Tts)->actions())
        if (a->toolTip() == kEnglish)
            a->trigger();
    QTest::qWait(2500); // the greeting
    const qsizetype logged = ctx->speech.log.size();
    person.aside([&] { chooseSpeech(keys::SpeakRead); });
    ASSERT_TRUE(waitUntil([&] { return ctx->speech.log.size() > logged; }, 5000));

    const QString read = ctx->speech.log.last().text;
    for (const QString &paragraph : article)
        EXPECT_TRUE(read.contains(paragraph)) << qPrintable(read);
    for (const char *outside : {"Homepage", "Shopping", "Login", "Consent", "cookies", "Accept", "Copyright",
                                "Imprint", "Newsletter"})
        EXPECT_FALSE(read.contains(QLatin1String(outside))) << outside << " was read: " << qPrintable(read);
    // The lit word, sampled while it reads, is always one of the article's.
    const QString words = "Seasons of the river " + article.join(' ');
    int lit = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        const QString word = litWord(window).first;
        if (!word.isEmpty()) {
            ++lit;
            EXPECT_TRUE(words.split(' ').contains(word)) << "lit outside the article: " << qPrintable(word);
        }
        QTest::qWait(100);
    }
    EXPECT_GE(lit, 10) << "the article's words were not lit";
    person.key("Escape");
}

namespace {

// Speech to a WAV file, and a save dialog that answers as the script says.
class SavingSpeech : public Speaking
{
protected:
    std::unique_ptr<Platform> makePlatform() override
    {
        std::unique_ptr<Platform> platform = Speaking::makePlatform();
        scriptDialogs(*platform, script);
        return platform;
    }

    DialogScript script;
};

} // namespace

TEST_F(SavingSpeech, TheProgressBarMovesOnWhileAMenuIsOpenAndTheFileIsSaved)
{
    // About twenty minutes of speech: time enough to open a menu meanwhile.
    QByteArray body;
    for (const QString &line : longText(20 * 1000).split('\n'))
        body += "<p>" + line.toHtmlEscaped().toUtf8() + "</p>";
    server.addPage("/long", page("Long", body.constData()));
    type(server.url("/long"));
    ASSERT_TRUE(waitForLoad(0, server.url("/long")));
    const QString path = folder.file("speech.ogg");
    script.names.push_back(path);
    person.aside([&] { chooseSpeech(keys::SpeakSave); });
    ASSERT_TRUE(waitUntil([&] { return ctx->speech.saving; }, 10000)) << "saving did not start";

    // The voices menu held open for a while, as a person reading it would.
    QList<int> shown;
    bool opened = false;
    person.aside([&] {
        CommandBarView *bar = window->cmdBar(0);
        QMenu *menu = bar->menuOf(keys::Tts);
        QPoint button;
        Person::onMain([&] { button = Person::at(bar->toolBar()->widgetForAction(bar->actionsOf(keys::Tts).first())); });
        person.click(button);
        opened = Person::waitFor([&] { return menu->isVisible(); });
        for (int i = 0; opened && i < 20; ++i) {
            QThread::msleep(100);
            Person::onMain([&] {
                if (menu->isVisible() && (shown.isEmpty() || shown.last() != window->progressBar()->value()))
                    shown << window->progressBar()->value();
            });
        }
        person.key("Escape");
    });
    ASSERT_TRUE(opened) << "the voices menu did not open";
    QStringList values;
    for (const int v : shown)
        values << QString::number(v);
    EXPECT_GE(shown.size(), 3) << "the progress bar stood still under the menu: " << qPrintable(values.join(' '));

    ASSERT_TRUE(waitUntil([&] { return !script.informations.isEmpty() || !script.failures.isEmpty(); }, 90000));
    EXPECT_EQ(script.failures, QStringList());
    EXPECT_EQ(script.informations, QStringList({ctx->language.Captions[247] + path}));
    EXPECT_EQ(window->progressBar()->value(), 0);
    EXPECT_GT(QFileInfo(path).size(), 10000);
}

TEST_F(SavingSpeech, AWordTypedIntoThePronunciationListIsSaidSoInASelectionAndInSavedSpeech)
{
    const QString said = QStringLiteral("a very long and winding replacement that goes on for a good while");
    openPage({kShort});
    const Wav greeting = switchVoiceOn();
    person.aside([&] {
        chooseSpeech(keys::SpeakPronunciation);
        // The window is let go once it closes.
        const QPointer<frmPronunciation> editor = shownWindow<frmPronunciation>();
        if (!editor)
            return;
        QPoint add;
        Person::onMain([&] { add = Person::at(editor->addButton()); });
        person.click(add);
        person.type(QStringLiteral("short"));
        person.key("Tab");
        person.type(said);
        person.key("Return ctrl+s");
        Person::waitFor([&] { return !ctx->speech.pronunciation.isEmpty(); });
        person.key("Escape");
        Person::waitFor([&] { return !editor || !editor->isVisible(); });
    });
    ASSERT_EQ(ctx->speech.pronunciation, PronunciationList({{"short", said, false}}));
    EXPECT_TRUE(folder.read(kPronunciationFile).endsWith("\r\nshort = " + said.toUtf8() + "\r\n"));

    // "Short words first." is heard with the long words in place of the first.
    const double expected = spokenSeconds(reference(said + QStringLiteral(" words first.")));
    ASSERT_GT(expected, 2 * spokenSeconds(reference(kShort)));
    selectLine(0);
    EXPECT_NEAR(spokenSeconds(spokenSince(greeting)), expected, expected * 0.15);

    const QString path = folder.file("saved.wav");
    script.names.push_back(path);
    person.aside([&] { chooseSpeech(keys::SpeakSave); });
    ASSERT_TRUE(waitUntil([&] { return !script.informations.isEmpty() || !script.failures.isEmpty(); }, 30000));
    EXPECT_EQ(script.failures, QStringList());
    EXPECT_NEAR(spokenSeconds(readWav(path)), expected, expected * 0.15);
}

TEST_F(Speaking, AnItalianParagraphOfAnEnglishPageIsSpokenInAnItalianVoiceWhenAutomatic)
{
    const QString italian = QStringLiteral("La città è bellissima e la gente è gentilissima, però il caffè è caro. "
                                           "Questo è un paragrafo scritto in italiano, letto con una voce italiana.");
    const QByteArray style = "style='margin:0;padding:20px 40px;font:18px/26px DejaVu Sans'";
    server.addPage("/mixed", "<!DOCTYPE html><html lang='en'><head><meta charset='utf-8'><title>Mixed</title></head>"
                             "<body style='margin:0'><p " + style + ">An Italian quotation follows.</p><p lang='it' " +
                                 style + ">" + italian.toUtf8() + "</p></body></html>");
    type(server.url("/mixed"));
    ASSERT_TRUE(waitForLoad(0, server.url("/mixed")));
    const Wav greeting = switchVoiceOn();
    person.aside([&] { chooseSpeech(keys::SpeakAuto); });
    ASSERT_TRUE(waitUntil([&] { return ctx->speech.automatic; }, 3000));

    // From the Italian paragraph's first line to below its end.
    QWidget *view = window->Web(0)->widget();
    person.drag(Person::at(view, QPoint(30, 66 + 33)), Person::at(view, QPoint(view->width() - 40, view->height() - 20)));
    const Wav spoken = spokenSince(greeting);
    const Wav inItalian = espeakReference(italian, "roa/it", folder.path()), inEnglish = reference(italian);
    ASSERT_TRUE(inItalian.valid && inEnglish.valid);
    EXPECT_NEAR(spokenSeconds(spoken), spokenSeconds(inItalian), spokenSeconds(inItalian) * 0.15)
        << spokenSeconds(spoken) << " s spoken against " << spokenSeconds(inItalian) << " s in Italian";
    EXPECT_LT(spokenSeconds(spoken), spokenSeconds(inEnglish) * 0.9)
        << spokenSeconds(spoken) << " s spoken against " << spokenSeconds(inEnglish) << " s in English";
}

namespace {

// The English voice on, as its menu entry does, and its greeting heard.
void voiceOn(frmStart *window)
{
    for (QAction *a : window->cmdBar(0)->menuOf(keys::Tts)->actions())
        if (a->toolTip() == kEnglish)
            a->trigger();
    QTest::qWait(2500);
}

} // namespace

TEST_F(SpeakingAloud, AReadingStoppedAtALaterSentenceGoesOnThereAfterARestart)
{
    ASSERT_EQ(QProcess::execute("pactl", {"info"}), 0) << "no sound server: run the tests through scripts/test";
    const QStringList paragraphs{"Alpha bravo charlie.", "Delta echo foxtrot.", "Golf hotel india.",
                                 "Juliet kilo lima.",    "Mike november oscar.", "Papa quebec romeo."};
    openPage(paragraphs);
    voiceOn(window);
    person.aside([&] { chooseSpeech(keys::SpeakRead); });
    // Three words a sentence: sentence 3 begins at word 9.
    ASSERT_TRUE(waitUntil([&] { return litWord(window).second >= 9; }, 15000)) << "the reading never got there";
    person.aside([&] { chooseSpeech(keys::SpeakStop); });
    ASSERT_TRUE(waitUntil([&] { return !ctx->speech.reading.active; }, 3000));
    const int stoppedAt = ctx->speech.reading.current;
    ASSERT_GE(stoppedAt, 3);
    ASSERT_LT(stoppedAt, 5);

    stop();
    start();
    type(server.url("/read"));
    ASSERT_TRUE(waitForLoad(0, server.url("/read")));
    voiceOn(window);
    person.aside([&] { chooseSpeech(keys::SpeakRead); });
    int first = -1;
    waitUntil([&] { return (first = litWord(window).second) >= 0; }, 5000);
    EXPECT_EQ(first, 3 * stoppedAt) << "the reading did not go on where it stopped";
    // The next sentence from there, and on to the end, which forgets the place.
    person.key("alt+Next");
    EXPECT_TRUE(waitUntil([&] { return litWord(window).second >= 3 * (stoppedAt + 1); }, 5000));
    ASSERT_TRUE(waitUntil([&] { return !ctx->speech.reading.active; }, 15000));
    EXPECT_FALSE(folder.read("Data/Places.txt").contains("/read")) << folder.read("Data/Places.txt").constData();
}
