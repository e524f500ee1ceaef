#pragma once

#include <QString>

namespace lorva {

enum class SettingsPanel { Security = 0, Sound = 1, Network = 2 };

// What the program hands over to the desktop, as a port: a test records
// the hand-over instead of starting a browser or a settings program.
class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    // Hands a web or mail address, or a file, to the desktop's handler.
    virtual void open(const QString &target) = 0;
    // Starts the desktop's settings program for a panel where one is
    // installed; false when there is none.
    virtual bool openSettings(SettingsPanel panel) = 0;
};

// Hands a web or mail address, or a file, to the desktop's handler for it.
// The text goes over as one address, never through a shell command line.
void openWithDesktop(const QString &target);

// Starts the desktop's settings program for privacy and security (0),
// sound (1) or network (2), where one is installed; otherwise nothing.
// Returns whether one was started.
bool openDesktopSettings(int panel);

} // namespace lorva
