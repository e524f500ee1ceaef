#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace lorva {

// Makes `handle` move its borderless window when dragged with the mouse:
// the window manager moves it where it can; otherwise the window follows the
// pointer itself until the button is released.
class MoveHandle : public QObject
{
public:
    MoveHandle(QWidget *handle, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    bool m_dragging = false;
    QPoint m_offset;
};

} // namespace lorva
