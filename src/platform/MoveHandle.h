#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace lorva {

// Makes `handle` move its borderless window when dragged with the mouse: the
// window follows the pointer by as much as the pointer moved since the press,
// and never so far that the handle (or the whole window, when it fits) leaves
// the screen. The window moves itself rather than asking the window manager:
// openbox, asked with startSystemMove(), put the window's corner under the
// pointer, which threw it off the screen.
class MoveHandle : public QObject
{
public:
    MoveHandle(QWidget *handle, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_handle;
    QWidget *m_window;
    bool m_dragging = false;
    QPoint m_pressedAt;
    QPoint m_windowAt;
};

} // namespace lorva
