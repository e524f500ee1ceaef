#include "platform/Desktop.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
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

QPoint globalCursorPos() { return QCursor::pos(); }

void pumpWait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lorva
