#pragma once

#include <QPoint>

namespace lorva {

// The pointer anywhere on the screen, as a port: speech watches the left
// button and the tabs the buttons, and a test moves and presses its own.
class Pointer
{
public:
    virtual ~Pointer() = default;
    // Buttons down now: 1 left, 2 right, 4 middle.
    virtual int buttons() = 0;
    // Whether the left one is down or was pressed since the last time this
    // was asked, and forgetting such a press once it was dealt with.
    virtual bool leftButtonDownOrPressed() = 0;
    virtual void forgetLeftPress() = 0;
    // Where it is, in pixels.
    virtual QPoint position() = 0;
};

} // namespace lorva
