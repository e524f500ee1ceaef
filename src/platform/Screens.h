#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

class QWidget;

namespace lorva {

// The geometry, in pixels, of the screen that shows `window` (the primary
// screen while it shows on none).
QRect screenGeometry(const QWidget *window);

// Pictures of the screen, as a port: the picture exports take one, and a
// test hands them its own.
class ScreenGrab
{
public:
    virtual ~ScreenGrab() = default;
    // A picture of the whole screen that shows the point `at` (in pixels).
    virtual QImage grab(QPoint at) = 0;
};

} // namespace lorva
