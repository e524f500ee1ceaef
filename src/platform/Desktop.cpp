#include "platform/Desktop.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>

#include <X11/Xlib.h>

namespace lorva {

int globalMouseButtons()
{
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display *display = x11->display()) {
            Window root = 0, child = 0;
            int rootX = 0, rootY = 0, winX = 0, winY = 0;
            unsigned int mask = 0;
            if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY,
                              &mask)) {
                return ((mask & Button1Mask) ? 1 : 0) | ((mask & Button3Mask) ? 2 : 0) |
                       ((mask & Button2Mask) ? 4 : 0);
            }
        }
    }
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

namespace {

// Remembers a left press on any window of the program until it is asked for.
class LeftPressLatch : public QObject
{
public:
    static LeftPressLatch &instance()
    {
        static LeftPressLatch *latch = [] {
            auto *l = new LeftPressLatch;
            qApp->installEventFilter(l);
            return l;
        }();
        return *latch;
    }

    bool take()
    {
        const bool pressed = m_pressed;
        m_pressed = false;
        return pressed;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                m_pressed = true;
        }
        return false;
    }

private:
    LeftPressLatch() : QObject(qApp) {}
    bool m_pressed = false;
};

} // namespace

bool leftButtonDownOrPressed()
{
    const bool pressed = LeftPressLatch::instance().take();
    return (globalMouseButtons() & 1) || pressed;
}

void watchLeftButton() { LeftPressLatch::instance(); }

QPoint globalCursorPos() { return QCursor::pos(); }

void pumpWait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lorva
