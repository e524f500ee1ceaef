#include "platform/WindowFrame.h"

#include "platform/Screens.h"

#include <QWidget>

namespace lorva {

int QtWindowFrame::screenWidthTwips() const { return screenGeometry(m_window).width() * kTwipsPerPixel; }

int QtWindowFrame::screenHeightTwips() const { return screenGeometry(m_window).height() * kTwipsPerPixel; }

int QtWindowFrame::innerWidthTwips() const { return m_window->width() * kTwipsPerPixel; }

int QtWindowFrame::innerHeightTwips() const { return m_window->height() * kTwipsPerPixel; }

TwipsRect QtWindowFrame::windowRectTwips() const
{
    // Frame corner with the inside's size: a window manager's decorations
    // would otherwise make the window grow on every save and restore.
    const QPoint corner = m_window->frameGeometry().topLeft();
    return {corner.x() * kTwipsPerPixel, corner.y() * kTwipsPerPixel, m_window->width() * kTwipsPerPixel,
            m_window->height() * kTwipsPerPixel};
}

void QtWindowFrame::moveWindowTwips(const TwipsRect &place)
{
    m_window->resize(qMax(1, toPixels(place.width)), qMax(1, toPixels(place.height)));
    m_window->move(toPixels(place.left), toPixels(place.top));
}

bool QtWindowFrame::minimized() const { return m_window->isMinimized(); }

} // namespace lorva
