#pragma once

#include "platform/AudioFile.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Speech.h"

#include <functional>
#include <memory>

namespace lorva::test {

// The real platform with the speech sent elsewhere (a WAV file, a timing
// sink): everything else goes to the real implementations.
class ForwardingPlatform : public Platform
{
public:
    using Audio = std::function<std::unique_ptr<AudioOutput>()>;

    ForwardingPlatform(std::unique_ptr<Platform> real, Audio audio) : m_real(std::move(real)), m_audio(std::move(audio))
    {
    }

    std::unique_ptr<BrowserView> createBrowserView(QWidget *parent) override { return m_real->createBrowserView(parent); }
    std::unique_ptr<SpeechEngine> createSpeech() override { return createEspeakSpeech(m_audio()); }
    std::unique_ptr<Dialogs> createDialogs(QWidget *window) override { return m_real->createDialogs(window); }
    OfficeSuite &office() override { return m_real->office(); }
    QString clipboardText() override { return m_real->clipboardText(); }
    ClipboardContent clipboardContent() override { return m_real->clipboardContent(); }
    void setClipboardContent(const ClipboardContent &content) override { m_real->setClipboardContent(content); }
    int mouseButtons() override { return m_real->mouseButtons(); }
    bool leftButtonDownOrPressed() override { return m_real->leftButtonDownOrPressed(); }
    void forgetLeftPress() override { m_real->forgetLeftPress(); }
    QPoint cursorPos() override { return m_real->cursorPos(); }
    void wait(int milliseconds) override { m_real->wait(milliseconds); }
    void processEvents() override { m_real->processEvents(); }
    bool waitFor(const std::function<bool()> &done, int timeoutMs) override { return m_real->waitFor(done, timeoutMs); }
    void openWithDesktop(const QString &target) override { m_real->openWithDesktop(target); }
    bool openSettings(SettingsPanel panel) override { return m_real->openSettings(panel); }
    QImage grabScreen(QPoint at) override { return m_real->grabScreen(at); }
    std::unique_ptr<AudioFileWriter> openAudioFile(const QString &path, int rate, QString &error) override
    {
        return m_real->openAudioFile(path, rate, error);
    }

private:
    std::unique_ptr<Platform> m_real;
    Audio m_audio;
};

} // namespace lorva::test
