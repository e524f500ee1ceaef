#pragma once

#include <QRect>

class QWidget;

namespace lorva {

// The geometry, in pixels, of the screen that shows `window` (the primary
// screen while it shows on none).
QRect screenGeometry(const QWidget *window);

} // namespace lorva
