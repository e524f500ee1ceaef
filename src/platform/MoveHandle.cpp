#include "platform/MoveHandle.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace lorva {

MoveHandle::MoveHandle(QWidget *handle, QWidget *window) : QObject(handle), m_window(window)
{
    handle->installEventFilter(this);
    handle->setCursor(Qt::SizeAllCursor);
}

bool MoveHandle::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        QWindow *native = m_window->windowHandle();
        m_dragging = !(native && native->startSystemMove());
        m_offset = global - m_window->frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragging)
            m_window->move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_offset);
        return m_dragging;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

} // namespace lorva
