#pragma once

#include <QString>

namespace lorva {

class CommandBars;
struct Language;

// The voices menu's entry that speaks each text in its language's voice.
inline constexpr int kAutomaticVoiceCaption = 282;
struct Options;

// Texts of the main window beyond its command entries: the move buttons'
// tooltip, and the names that screen readers announce for parts that show
// no text of their own.
struct WindowNames
{
    QString moveButtons;
    QString window;
    QString bars[3];
    QString addressBox;
    QString speechOn;
    QString speechOff;
    QString readAloud; // the pages' context-menu entry that reads from there
    QString progress;  // the status strip's progress bar
    QString linkInNewTab;    // the pages' context-menu entries for a link
    QString linkInNewWindow;
};

// The parts of windows, beyond command entries, that the caption pass writes.
class CaptionTargets
{
public:
    virtual ~CaptionTargets() = default;
    virtual void setWindowNames(const WindowNames &names) = 0;
};

// Writes every caption and tooltip of the commands from the current language.
void Set_Captions(const Language &language, const Options &options, CommandBars &bars, CaptionTargets &windows);

} // namespace lorva
