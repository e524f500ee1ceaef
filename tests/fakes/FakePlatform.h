#pragma once

#include "fakes/FakeBrowserView.h"
#include "fakes/FakeSpeech.h"
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
    bool saveAudio(const QString &path, const QByteArray &pcm, int rate, QString &error) override
    {
        record(QStringLiteral("saveAudio %1 %2 %3").arg(path).arg(pcm.size()).arg(rate));
        error = saveAudioError;
        return error.isEmpty();
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
    QString saveAudioError; // what saveAudio fails with; empty: it succeeds
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
    void record(const QString &call) { log->append(call); }
};

} // namespace lorva::test
