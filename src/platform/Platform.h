#pragma once

#include <memory>

class QString;
class QWidget;

namespace lorva {

class BrowserView;
class SpeechEngine;

// The outside world as the program reaches it. One real implementation;
// tests hand in recording fakes.
class Platform
{
public:
    virtual ~Platform() = default;

    virtual std::unique_ptr<BrowserView> createBrowserView(QWidget *parent) = 0;
    virtual std::unique_ptr<SpeechEngine> createSpeech() = 0;
    // The failure message box: OK button, the program's title, the text.
    // With `closeAfterMs` above 0 it closes by itself after that time.
    virtual void showFailure(QWidget *parent, const QString &message, int closeAfterMs = 0) = 0;
};

// Work that must happen before the QApplication exists.
void preparePlatform();

// The real implementations; `programFolder` serves the built-in start page.
std::unique_ptr<Platform> createRealPlatform(const QString &programFolder);

} // namespace lorva
