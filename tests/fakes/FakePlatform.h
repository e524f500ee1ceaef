#pragma once

#include "fakes/FakeBrowserView.h"
#include "fakes/FakeSpeech.h"
#include "platform/AudioFile.h"
#include "platform/Dialogs.h"
#include "platform/OfficeSuite.h"
#include "platform/Platform.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace lorva::test {

// The dialogs of a window, as a recorder: failures are kept, questions
// answered as a test sets them.
class FakeDialogs : public Dialogs
{
public:
    explicit FakeDialogs(QStringList *log = nullptr) : log(log) {}

    void failure(const QString &message, int closeAfterMs) override
    {
        failures << message;
        failureCloseAfterMs = closeAfterMs;
        record(QStringLiteral("failure"));
    }
    void information(const QString &title, const QString &text) override
    {
        informations << title + u'|' + text;
        record(QStringLiteral("information"));
    }
    bool question(const QString &text) override
    {
        questions << text;
        record(QStringLiteral("question ") + text);
        return questionAnswer;
    }
    std::optional<QString> input(const QString &, const QString &prompt, const QString &) override
    {
        record(QStringLiteral("input ") + prompt);
        return inputAnswer;
    }
    std::optional<QString> saveFileName(const QString &, const QString &suggested, const QString &filter) override
    {
        record(QStringLiteral("save ") + suggested + u' ' + filter);
        return saveAnswer;
    }

    QStringList *log;
    QStringList failures;
    int failureCloseAfterMs = -1;
    QStringList informations;
    QStringList questions;
    bool questionAnswer = false;
    std::optional<QString> inputAnswer;
    std::optional<QString> saveAnswer;

private:
    void record(const QString &call)
    {
        if (log)
            log->append(call);
    }
};

// The office suite as a recorder: each job answers at once with `result`
// (or never, while `answer` is false, until a test calls finish()).
class FakeOffice : public OfficeSuite
{
public:
    explicit FakeOffice(QStringList *log) : log(log) {}

    bool available() override { return installed; }
    void prepare() override
    {
        ++prepared;
        log->append(QStringLiteral("office prepare"));
    }
    void run(const OfficeJob &job, Done done) override
    {
        jobs.push_back(job);
        log->append(QStringLiteral("office run ") + job.target);
        pending = std::move(done);
        if (answer)
            finish();
    }
    void cancel() override
    {
        ++cancelled;
        log->append(QStringLiteral("office cancel"));
        pending = nullptr; // work given up is never answered
    }
    void finish()
    {
        if (Done done = std::exchange(pending, nullptr))
            done(result);
    }

    QStringList *log;
    bool installed = true;
    bool answer = true;
    OfficeResult result{true, {}, 1};
    std::vector<OfficeJob> jobs;
    int prepared = 0;
    int cancelled = 0;
    Done pending;
};

// The clipboard as a test holds it: the three forms, and every change
// recorded.
class FakeClipboard : public Clipboard
{
public:
    explicit FakeClipboard(QStringList *log) : log(log) {}

    QString text() override { return plain; }
    ClipboardContent content() override { return {plain, html, image}; }
    void setContent(const ClipboardContent &content) override
    {
        plain = content.text;
        html = content.html;
        image = content.image;
        log->append(content.isEmpty() ? QStringLiteral("clearClipboard") : QStringLiteral("setClipboard"));
    }

    QStringList *log;
    QString plain;
    QString html;
    QImage image;
};

// The pointer as a test sets it: buttons, the left one down, a press
// remembered, the place.
class FakePointer : public Pointer
{
public:
    explicit FakePointer(QStringList *) {}

    int buttons() override { return down; }
    bool leftButtonDownOrPressed() override { return leftDown || std::exchange(pressedSinceAsked, false); }
    void forgetLeftPress() override { pressedSinceAsked = false; }
    QPoint position() override { return cursor; }

    int down = 0;
    bool leftDown = false;
    bool pressedSinceAsked = false;
    QPoint cursor;
};

// Waits that take no time: they add up what was asked for, with a hook to
// let a test change the world meanwhile.
class FakeWaits : public Waits
{
public:
    explicit FakeWaits(QStringList *log) : log(log) {}

    void wait(int milliseconds) override
    {
        waitedMs += milliseconds;
        if (onWait)
            onWait();
    }
    void processEvents() override { log->append(QStringLiteral("processEvents")); }
    bool waitFor(const std::function<bool()> &done, int timeoutMs) override
    {
        for (int waited = 0; !done(); waited += 20) {
            if (waited >= timeoutMs)
                return false;
            wait(20);
        }
        return true;
    }

    QStringList *log;
    int waitedMs = 0;
    std::function<void()> onWait;
};

// The desktop's handlers as a recorder.
class FakeDesktop : public DesktopShell
{
public:
    explicit FakeDesktop(QStringList *log) : log(log) {}

    void open(const QString &target) override { log->append(QStringLiteral("shell ") + target); }
    bool openSettings(SettingsPanel panel) override
    {
        log->append(QStringLiteral("settings %1").arg(int(panel)));
        return true;
    }

    QStringList *log;
};

// The screen as a picture a test sets.
class FakeScreen : public ScreenGrab
{
public:
    explicit FakeScreen(QStringList *log) : log(log) {}

    QImage grab(QPoint) override
    {
        log->append(QStringLiteral("grabScreen"));
        return picture;
    }

    QStringList *log;
    QImage picture;
};

// Speech as a test sets it up: engines with these voices that record into
// `log`, and sound files that count what is written into them and, once
// finished, record the whole of it into the platform's log as
// "saveAudio <path> <bytes> <rate>" (or "dropAudio <path>"); they fail with
// saveAudioError as they are finished.
class FakeSpeechPort
{
public:
    explicit FakeSpeechPort(QStringList *platformLog) : platformLog(platformLog) {}

    std::unique_ptr<SpeechEngine> create() { return std::make_unique<FakeSpeech>(voices, &log, audioAvailable); }
    std::unique_ptr<AudioFileWriter> openAudioFile(const QString &path, int rate, QString &error)
    {
        if (!openAudioError.isEmpty()) {
            error = openAudioError;
            return nullptr;
        }
        return std::make_unique<FakeAudioFile>(*this, path, rate);
    }

    QStringList *platformLog;
    QStringList voices;
    QStringList log;
    bool audioAvailable = true;
    QString openAudioError; // what opening a sound file fails with; empty: it opens
    QString saveAudioError; // what finishing it fails with; empty: it succeeds

private:
    class FakeAudioFile : public AudioFileWriter
    {
    public:
        FakeAudioFile(FakeSpeechPort &port, QString path, int rate) : m_port(port), m_path(std::move(path)), m_rate(rate)
        {
        }
        ~FakeAudioFile() override { abort(); }
        bool append(const QByteArray &pcm) override
        {
            m_bytes += pcm.size();
            return !m_finished;
        }
        bool commit() override
        {
            if (std::exchange(m_finished, true))
                return false;
            m_error = m_port.saveAudioError;
            m_port.platformLog->append(m_error.isEmpty()
                                           ? QStringLiteral("saveAudio %1 %2 %3").arg(m_path).arg(m_bytes).arg(m_rate)
                                           : QStringLiteral("dropAudio ") + m_path);
            return m_error.isEmpty();
        }
        void abort() override
        {
            if (!std::exchange(m_finished, true))
                m_port.platformLog->append(QStringLiteral("dropAudio ") + m_path);
        }
        QString error() const override { return m_error; }

    private:
        FakeSpeechPort &m_port;
        QString m_path;
        int m_rate;
        qint64 m_bytes = 0;
        bool m_finished = false;
        QString m_error;
    };
};

// The outside world made of recording fakes, one per port, into a log they
// may share with the window's fakes so that the order across them shows. A
// test reaches each fake by its name here; one that replaces a port of the
// platform no longer reaches the fake it replaced.
class FakePlatform : public Platform
{
public:
    explicit FakePlatform(QStringList *log = nullptr) : log(log ? log : &ownLog)
    {
        createBrowserView = [this](QWidget *) {
            auto view = std::make_unique<FakeBrowserView>();
            view->log = this->log;
            return view;
        };
        createSpeech = [this] { return fakeSpeech.create(); };
        createDialogs = [this](QWidget *) { return std::make_unique<FakeDialogs>(this->log); };
        openAudioFile = [this](const QString &path, int rate, QString &error) {
            return fakeSpeech.openAudioFile(path, rate, error);
        };
    }

    QStringList ownLog;
    QStringList *log;
    FakeSpeechPort fakeSpeech{log};
    FakeClipboard &fakeClipboard = install<FakeClipboard>(clipboard);
    FakePointer &fakePointer = install<FakePointer>(pointer);
    FakeWaits &fakeWaits = install<FakeWaits>(waits);
    FakeDesktop &fakeDesktop = install<FakeDesktop>(desktop);
    FakeScreen &fakeScreen = install<FakeScreen>(screen);
    FakeOffice &fakeOffice = install<FakeOffice>(office);

private:
    template <class Fake, class Port>
    Fake &install(std::unique_ptr<Port> &port)
    {
        auto fake = std::make_unique<Fake>(log);
        Fake &installed = *fake;
        port = std::move(fake);
        return installed;
    }
};

} // namespace lorva::test
