#pragma once

#include "config/Geometry.h"
#include "config/Placement.h"

class QWidget;

namespace lorva {

// A window's place on the screen, in twips, as every window's logic sees
// it: the screen it shows on, its inside and its outer frame. The real
// windows hand their logic a QtWindowFrame; tests a recorder.
class WindowFrame
{
public:
    virtual ~WindowFrame() = default;

    // The screen that shows the window (the primary one while it shows on none).
    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    // The window's inside, where its parts are laid out.
    virtual int innerWidthTwips() const = 0;
    virtual int innerHeightTwips() const = 0;
    // The frame's top-left corner on the screen and the inside's size:
    // placing a window where it was read puts it back unchanged.
    virtual TwipsRect windowRectTwips() const = 0;
    virtual void moveWindowTwips(const TwipsRect &place) = 0;
    virtual bool minimized() const = 0;

    // The same place in the placement file's order and type.
    WindowPlace windowPlace() const
    {
        const TwipsRect r = windowRectTwips();
        return {double(r.top), double(r.left), double(r.height), double(r.width)};
    }
    void placeWindow(const WindowPlace &p)
    {
        moveWindowTwips({int(p.left), int(p.top), int(p.width), int(p.height)});
    }
};

// The frame of a real top-level widget.
class QtWindowFrame final : public WindowFrame
{
public:
    explicit QtWindowFrame(QWidget *window) : m_window(window) {}

    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    int innerWidthTwips() const override;
    int innerHeightTwips() const override;
    TwipsRect windowRectTwips() const override;
    void moveWindowTwips(const TwipsRect &place) override;
    bool minimized() const override;

private:
    QWidget *m_window;
};

} // namespace lorva
