#pragma once

#include "platform/Clipboard.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace lorva {

class AudioFileWriter;
class BrowserView;
class Dialogs;
class OfficeSuite;
class SpeechEngine;

enum class SettingsPanel { Security = 0, Sound = 1, Network = 2 };

// The outside world as the program reaches it: the only door to it. One
// real implementation; tests hand in a fake that records every call.
class Platform
{
public:
    virtual ~Platform() = default;

    // Browser views, one per tab, and the speech synthesiser.
    virtual std::unique_ptr<BrowserView> createBrowserView(QWidget *parent) = 0;
    virtual std::unique_ptr<SpeechEngine> createSpeech() = 0;
    // The message, input and file dialogs of a window.
    virtual std::unique_ptr<Dialogs> createDialogs(QWidget *window) = 0;
    // The office suite that the exports drive.
    virtual OfficeSuite &office() = 0;

    // The desktop clipboard.
    virtual QString clipboardText() = 0;
    virtual ClipboardContent clipboardContent() = 0;
    // Empty content clears the clipboard.
    virtual void setClipboardContent(const ClipboardContent &content) = 0;
    void clearClipboard() { setClipboardContent({}); }

    // The pointer, anywhere on the screen: buttons down now (1 left, 2
    // right, 4 middle), whether the left one is down or was pressed since
    // the last time this was asked, and its position in pixels.
    virtual int mouseButtons() = 0;
    virtual bool leftButtonDownOrPressed() = 0;
    virtual void forgetLeftPress() = 0;
    virtual QPoint cursorPos() = 0;

    // Waits `milliseconds` while the program's events keep running, and lets
    // pending events run.
    virtual void wait(int milliseconds) = 0;
    virtual void processEvents() = 0;
    // Waits with events running until `done` says so; false when `timeoutMs`
    // passed first or the program is ending.
    virtual bool waitFor(const std::function<bool()> &done, int timeoutMs) = 0;

    // Hands a web or mail address, or a file, to the desktop's handler.
    virtual void openWithDesktop(const QString &target) = 0;
    // Starts the desktop's settings program for a panel where one is
    // installed; false when there is none.
    virtual bool openSettings(SettingsPanel panel) = 0;
    // A picture of the whole screen that shows the point `at` (in pixels).
    virtual QImage grabScreen(QPoint at) = 0;
    // Starts a .wav, .ogg or .mp3 file that speech samples are written into
    // as they come, and that replaces `path` only once whole; null with
    // `error` set when it cannot be started.
    virtual std::unique_ptr<AudioFileWriter> openAudioFile(const QString &path, int sampleRate, QString &error) = 0;
};

// Work that must happen before the QApplication exists.
void preparePlatform();

// The real implementations; `programFolder` serves the built-in start page.
std::unique_ptr<Platform> createRealPlatform(const QString &programFolder);

} // namespace lorva
