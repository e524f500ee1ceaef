#pragma once

#include "fakes/FakeBrowserView.h"
#include "fakes/FakeSpeech.h"
#include "platform/AudioFile.h"
#include "platform/Dialogs.h"
#include "platform/Downloads.h"
#include "platform/OfficeSuite.h"
#include "platform/Platform.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
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
    std::optional<QString> saveFileNameAsking(const QString &title, const QString &suggested) override
    {
        record(QStringLiteral("saveAsking ") + title + u' ' + suggested);
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

    QStringList *log = nullptr;
    bool installed = true;
    bool answer = true;
    OfficeResult result{true, {}, 1};
    std::vector<OfficeJob> jobs;
    int prepared = 0;
    int cancelled = 0;
    Done pending;
};

// The fake ports below record into the log that their platform sets.

// The clipboard as a test holds it: the three forms, every change recorded.
class FakeClipboard : public Clipboard
{
public:
    QString text() override { return plain; }
    ClipboardContent content() override { return {plain, html, image}; }
    void setContent(const ClipboardContent &content) override
    {
        plain = content.text;
        html = content.html;
        image = content.image;
        log->append(content.isEmpty() ? QStringLiteral("clearClipboard") : QStringLiteral("setClipboard"));
    }

    QStringList *log = nullptr;
    QString plain;
    QString html;
    QImage image;
};

// The pointer as a test sets it: buttons, the left one down, a press
// remembered, the place.
class FakePointer : public Pointer
{
public:
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

    QStringList *log = nullptr;
    int waitedMs = 0;
    std::function<void()> onWait;
};

// The desktop's handlers as a recorder.
class FakeDesktop : public DesktopShell
{
public:
    void open(const QString &target) override { log->append(QStringLiteral("shell ") + target); }
    bool openSettings(SettingsPanel panel) override
    {
        log->append(QStringLiteral("settings %1").arg(int(panel)));
        return true;
    }

    QStringList *log = nullptr;
};

// A download as a test drives it: bytes arrive and it ends when told.
class FakeDownload : public Download
{
public:
    QString suggestedName() const override { return name; }
    qint64 receivedBytes() const override { return received; }
    qint64 totalBytes() const override { return total; }
    void accept(const QString &path) override { acceptedAs = path; }
    void cancel() override { end(DownloadEnd::Cancelled); }

    void arrive(qint64 bytes)
    {
        received = bytes;
        if (progressed)
            progressed();
    }
    void end(DownloadEnd how, const QString &reason = {})
    {
        if (auto done = std::exchange(ended, nullptr))
            done(how, reason);
    }

    QString name;
    qint64 received = 0;
    qint64 total = -1;
    std::optional<QString> acceptedAs;
};

// The downloads of the pages: a test starts them.
class FakeDownloads : public Downloads
{
public:
    std::shared_ptr<FakeDownload> start(const QString &name, qint64 total)
    {
        auto download = std::make_shared<FakeDownload>();
        download->name = name;
        download->total = total;
        if (requested)
            requested(download);
        return download;
    }
    void cancelAll() override { log->append(QStringLiteral("cancelAllDownloads")); }

    QStringList *log = nullptr;
};

// The outside world made of recording fakes, one per port, into a log they
// may share with the window's fakes so that the order across them shows. A
// test reaches each fake by its name here, and replaces a port (or a
// factory) of the platform when it needs another.
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
        createSpeech = [this] { return std::make_unique<FakeSpeech>(voices, &speechLog, audioAvailable); };
        createDialogs = [this](QWidget *) { return std::make_unique<FakeDialogs>(this->log); };
        grabScreen = [this](QPoint) {
            this->log->append(QStringLiteral("grabScreen"));
            return screen;
        };
        // A sound file that counts what is written into it and, once
        // finished, records the whole of it as "saveAudio <path> <bytes>
        // <rate>" (or "dropAudio <path>"); it fails with saveAudioError as
        // it is finished.
        openAudioFile = [this](const QString &path, int rate, QString &error) -> std::unique_ptr<AudioFileWriter> {
            if (!openAudioError.isEmpty()) {
                error = openAudioError;
                return nullptr;
            }
            return std::make_unique<FakeAudioFile>(*this, path, rate);
        };
    }

    QStringList ownLog;
    QStringList *log;
    FakeClipboard &fakeClipboard = install<FakeClipboard>(clipboard);
    FakePointer &fakePointer = install<FakePointer>(pointer);
    FakeWaits &fakeWaits = install<FakeWaits>(waits);
    FakeDesktop &fakeDesktop = install<FakeDesktop>(desktop);
    FakeOffice &fakeOffice = install<FakeOffice>(office);
    FakeDownloads &fakeDownloads = install<FakeDownloads>(downloads);
    // Speech
    QStringList voices;
    QStringList speechLog;
    QString openAudioError; // what opening a sound file fails with; empty: it opens
    QString saveAudioError; // what finishing it fails with; empty: it succeeds
    bool audioAvailable = true;
    QImage screen; // what grabScreen() gives

private:
    template <class Fake, class Port>
    Fake &install(std::unique_ptr<Port> &port)
    {
        auto fake = std::make_unique<Fake>();
        if constexpr (requires { fake->log; })
            fake->log = log;
        Fake &installed = *fake;
        port = std::move(fake);
        return installed;
    }

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
            m_platform.log->append(m_error.isEmpty()
                                       ? QStringLiteral("saveAudio %1 %2 %3").arg(m_path).arg(m_bytes).arg(m_rate)
                                       : QStringLiteral("dropAudio ") + m_path);
            return m_error.isEmpty();
        }
        void abort() override
        {
            if (!std::exchange(m_finished, true))
                m_platform.log->append(QStringLiteral("dropAudio ") + m_path);
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
};

} // namespace lorva::test
