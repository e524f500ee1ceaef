#pragma once

#include <QString>

namespace lorva {

// Hands a web or mail address, or a file, to the desktop's handler for it.
// The text goes over as one address, never through a shell command line.
void openWithDesktop(const QString &target);

// Starts the desktop's settings program for privacy and security (0),
// sound (1) or network (2), where one is installed; otherwise nothing.
// Returns whether one was started.
bool openDesktopSettings(int panel);

} // namespace lorva
