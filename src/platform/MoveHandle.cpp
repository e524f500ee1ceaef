#include "platform/MoveHandle.h"

#include "platform/Screens.h"

#include <QMouseEvent>
#include <QWidget>

namespace lorva {

namespace {

// The nearest place to `wanted` for a window of `size` on `screen`: wholly on
// it when it fits, else with the handle (at `handle` inside the window) on it.
int keptOnScreen(int wanted, int size, int handleStart, int handleSize, int screenStart, int screenSize)
{
    if (size <= screenSize)
        return qBound(screenStart, wanted, screenStart + screenSize - size);
    return qBound(screenStart - handleStart, wanted, screenStart + screenSize - handleStart - handleSize);
}

} // namespace

MoveHandle::MoveHandle(QWidget *handle, QWidget *window) : QObject(handle), m_handle(handle), m_window(window)
{
    handle->installEventFilter(this);
    handle->setCursor(Qt::SizeAllCursor);
}

bool MoveHandle::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_dragging = mouse->button() == Qt::LeftButton;
        m_pressedAt = mouse->globalPosition().toPoint();
        m_windowAt = m_window->pos();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        const QPoint wanted = m_windowAt + static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_pressedAt;
        const QRect screen = screenGeometry(m_window);
        const QRect frame = m_window->frameGeometry();
        const QRect handle(m_handle->mapTo(m_window, QPoint(0, 0)) + (m_window->geometry().topLeft() - frame.topLeft()),
                           m_handle->size());
        m_window->move(keptOnScreen(wanted.x(), frame.width(), handle.x(), handle.width(), screen.x(), screen.width()),
                       keptOnScreen(wanted.y(), frame.height(), handle.y(), handle.height(), screen.y(),
                                    screen.height()));
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

} // namespace lorva
