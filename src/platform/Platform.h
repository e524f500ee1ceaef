#pragma once

#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/Downloads.h"
#include "platform/OfficeSuite.h"
#include "platform/Shell.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace lorva {

class AudioFileWriter;
class BrowserView;
class Dialogs;
class SpeechEngine;

// The outside world as the program reaches it: the only door to it, made of
// small ports so that each area names what it uses and a test replaces the
// one port it needs while the others stay as they are. createRealPlatform()
// fills every member; the tests' fakes fill them one port at a time.
class Platform
{
public:
    virtual ~Platform() = default;

    // What the program makes many of: a browser view per tab, the speech
    // synthesiser, the message, input and file dialogs of a window.
    std::function<std::unique_ptr<BrowserView>(QWidget *parent)> createBrowserView;
    std::function<std::unique_ptr<SpeechEngine>()> createSpeech;
    std::function<std::unique_ptr<Dialogs>(QWidget *window)> createDialogs;
    // Starts a .wav, .ogg or .mp3 file that speech samples are written into
    // as they come, and that replaces `path` only once whole; null with
    // `error` set when it cannot be started.
    std::function<std::unique_ptr<AudioFileWriter>(const QString &path, int sampleRate, QString &error)> openAudioFile;
    // A picture of the whole screen that shows the point `at` (in pixels).
    std::function<QImage(QPoint at)> grabScreen;

    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Pointer> pointer;
    std::unique_ptr<Waits> waits;
    std::unique_ptr<DesktopShell> desktop;
    // The office suite that the exports drive.
    std::unique_ptr<OfficeSuite> office;
    // The files the pages send to be saved.
    std::unique_ptr<Downloads> downloads;
};

// Work that must happen before the QApplication exists.
void preparePlatform();

// The real implementations; `programFolder` serves the built-in start page.
std::unique_ptr<Platform> createRealPlatform(const QString &programFolder);

} // namespace lorva
