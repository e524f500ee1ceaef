#pragma once

#include <QString>
#include <QStringList>

namespace lorva {

struct AppContext;
class MainWindowPort;

// Speech mode and the voice list.
struct SpeechState
{
    QStringList List1;          // voice descriptions, in the engine's order
    QString ActiveVoiceCaption; // caption of the voice entry switched on; empty when off
    QString SelectedVoiceName;
    qint16 mouseWatch = 0;      // 1 while a left press waits for its release
    bool noAudioReported = false;
    bool talking = false;       // GO_Talk is waiting for the copied selection
    bool talkAgain = false;     // asked again meanwhile: read the next selection after this one
};

// The start-up tail's step: every installed voice's description into List1.
void Fill_List1(AppContext &ctx);

// Speaks the text selected in the current view. The clipboard carries the
// selection and is given back as it was; the keyboard focus stays put.
void GO_Talk(AppContext &ctx, MainWindowPort &window);
// Announces the newly chosen voice and enables "SPEAK".
void GO_VoiceOpen(AppContext &ctx, MainWindowPort &window);
// A click on a voice entry "TTS:" + n + "VOICE": switches that voice on, or
// speech mode off when it is the active one.
void Voice_Click(AppContext &ctx, MainWindowPort &window, const QString &key);
// The speech watch: speaks once the left button, seen down, is up again.
void Timer6_Timer(AppContext &ctx, MainWindowPort &window);
// The left button was released in view `index`: in speech mode the
// selection it ended is read at once, and the watch forgets that press.
void Web_LeftButtonUp(AppContext &ctx, MainWindowPort &window, int index);

inline constexpr int kSpeechOnPicture = 96;
inline constexpr int kSpeechOffPicture = 132;

} // namespace lorva
