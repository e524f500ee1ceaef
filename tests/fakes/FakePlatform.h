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

// The outside world as a recorder of every call, into a log it may share
// with the window's fakes so that the order across them shows.
class FakePlatform : public Platform
{
public:
    explicit FakePlatform(QStringList *log = nullptr) : log(log ? log : &ownLog) {}

    std::unique_ptr<BrowserView> createBrowserView(QWidget *) override
    {
        auto view = std::make_unique<FakeBrowserView>();
        view->log = log;
        return view;
    }
    std::unique_ptr<SpeechEngine> createSpeech() override
    {
        return std::make_unique<FakeSpeech>(voices, &speechLog, audioAvailable);
    }
    std::unique_ptr<Dialogs> createDialogs(QWidget *) override { return std::make_unique<FakeDialogs>(log); }
    OfficeSuite &office() override { return fakeOffice; }

    QString clipboardText() override { return clipboard; }
    ClipboardContent clipboardContent() override { return {clipboard, clipboardHtml, clipboardImage}; }
    void setClipboardContent(const ClipboardContent &content) override
    {
        clipboard = content.text;
        clipboardHtml = content.html;
        clipboardImage = content.image;
        record(content.isEmpty() ? QStringLiteral("clearClipboard") : QStringLiteral("setClipboard"));
    }

    int mouseButtons() override { return buttons; }
    bool leftButtonDownOrPressed() override { return leftDown || std::exchange(pressedSinceAsked, false); }
    void forgetLeftPress() override { pressedSinceAsked = false; }
    QPoint cursorPos() override { return cursor; }

    void wait(int milliseconds) override
    {
        waitedMs += milliseconds;
        if (onWait)
            onWait();
    }
    void processEvents() override { record(QStringLiteral("processEvents")); }
    bool waitFor(const std::function<bool()> &done, int timeoutMs) override
    {
        for (int waited = 0; !done(); waited += 20) {
            if (waited >= timeoutMs)
                return false;
            wait(20);
        }
        return true;
    }

    void openWithDesktop(const QString &target) override { record(QStringLiteral("shell ") + target); }
    bool openSettings(SettingsPanel panel) override
    {
        record(QStringLiteral("settings %1").arg(int(panel)));
        return true;
    }
    // A sound file that counts what is written into it and, once finished,
    // records the whole of it as "saveAudio <path> <bytes> <rate>" (or
    // "dropAudio <path>"); it fails with saveAudioError as it is finished.
    // With `audioFiles` set, that makes the file (the real writer, say).
    std::unique_ptr<AudioFileWriter> openAudioFile(const QString &path, int rate, QString &error) override
    {
        if (audioFiles)
            return audioFiles(path, rate, error);
        if (!openAudioError.isEmpty()) {
            error = openAudioError;
            return nullptr;
        }
        return std::make_unique<FakeAudioFile>(*this, path, rate);
    }
    QImage grabScreen(QPoint) override
    {
        record(QStringLiteral("grabScreen"));
        return screen;
    }

    QStringList ownLog;
    QStringList *log;
    FakeOffice fakeOffice{log};
    // Speech
    QStringList voices;
    QStringList speechLog;
    std::function<std::unique_ptr<AudioFileWriter>(const QString &, int, QString &)> audioFiles;
    QString openAudioError; // what opening a sound file fails with; empty: it opens
    QString saveAudioError; // what finishing it fails with; empty: it succeeds
    bool audioAvailable = true;
    // Clipboard
    QString clipboard;
    QString clipboardHtml;
    QImage clipboardImage;
    // Pointer: buttons, the left one down, a press remembered, the place.
    int buttons = 0;
    bool leftDown = false;
    bool pressedSinceAsked = false;
    QPoint cursor;
    // Waits, with a hook to let a test change the world meanwhile.
    int waitedMs = 0;
    std::function<void()> onWait;
    QImage screen;

private:
    class FakeAudioFile : public AudioFileWriter
    {
    public:
        FakeAudioFile(FakePlatform &platform, QString path, int rate)
            : m_platform(platform), m_path(std::move(path)), m_rate(rate)
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
            m_error = m_platform.saveAudioError;
            m_platform.record(m_error.isEmpty()
                                  ? QStringLiteral("saveAudio %1 %2 %3").arg(m_path).arg(m_bytes).arg(m_rate)
                                  : QStringLiteral("dropAudio ") + m_path);
            return m_error.isEmpty();
        }
        void abort() override
        {
            if (!std::exchange(m_finished, true))
                m_platform.record(QStringLiteral("dropAudio ") + m_path);
        }
        QString error() const override { return m_error; }

    private:
        FakePlatform &m_platform;
        QString m_path;
        int m_rate;
        qint64 m_bytes = 0;
        bool m_finished = false;
        QString m_error;
    };

    void record(const QString &call) { log->append(call); }
};

} // namespace lorva::test
