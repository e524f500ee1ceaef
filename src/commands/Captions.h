#pragma once

#include <QString>

namespace lorva {

struct AppContext;
class CommandBars;

// The parts of windows, beyond command entries, that the caption pass writes.
class CaptionTargets
{
public:
    virtual ~CaptionTargets() = default;
    virtual void setMoveButtonsToolTip(const QString &text) = 0;
};

// Writes every caption and tooltip of the commands from the current language.
void Set_Captions(const AppContext &ctx, CommandBars &bars, CaptionTargets &windows);

} // namespace lorva
