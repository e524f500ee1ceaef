#pragma once

#include <QtGlobal>

namespace lorva {

// What the secondary windows keep for the whole run.
struct WindowsState
{
    // The language-file editor's text was typed into (never cleared in a run).
    bool languageChanged = false;
    // The question dialog's last answer: 1 yes (leave), 0 no.
    qint16 Answer = 0;
};

} // namespace lorva
