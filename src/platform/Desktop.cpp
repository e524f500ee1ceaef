#include "platform/Desktop.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

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

// Remembers a left press until it is asked for: presses on the program's
// own windows from Qt's events, and presses anywhere on the screen from the
// X server's raw button events where the server has XInput 2, so that a
// quick click outside the program between two looks is not missed.
class LeftPressLatch : public QObject
{
public:
    static LeftPressLatch &instance()
    {
        static LeftPressLatch *latch = [] {
            auto *l = new LeftPressLatch;
            qApp->installEventFilter(l);
            l->watchRawButtons();
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

    bool watchesScreen() const { return m_raw != nullptr; }

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

    ~LeftPressLatch() override
    {
        if (m_raw)
            XCloseDisplay(m_raw);
    }

    // A connection of its own to the X server: raw events are selected on
    // the root window, which Qt's own connection must not be disturbed with.
    void watchRawButtons()
    {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->display())
            return;
        Display *display = XOpenDisplay(DisplayString(x11->display()));
        if (!display)
            return;
        int event = 0, error = 0;
        int major = 2, minor = 1; // raw events reach the root whatever grabs the pointer from 2.1 on
        if (!XQueryExtension(display, "XInputExtension", &m_opcode, &event, &error) ||
            XIQueryVersion(display, &major, &minor) != Success || major < 2 || (major == 2 && minor < 1)) {
            XCloseDisplay(display);
            return;
        }
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(bits, XI_RawButtonPress);
        XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
        XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
        // Raw events carry the physical button; the left button is the one
        // the pointer mapping turns into button 1 (left-handed mice swap it).
        unsigned char map[32] = {};
        const int buttons = XGetPointerMapping(display, map, int(sizeof map));
        m_physicalLeft = 1;
        for (int i = 0; i < buttons; ++i) {
            if (map[i] == 1) {
                m_physicalLeft = i + 1;
                break;
            }
        }
        XFlush(display);
        m_raw = display;
        auto *notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { readRawEvents(); });
    }

    void readRawEvents()
    {
        while (XPending(m_raw) > 0) {
            XEvent event;
            XNextEvent(m_raw, &event);
            XGenericEventCookie *cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != m_opcode || !XGetEventData(m_raw, cookie))
                continue;
            if (cookie->evtype == XI_RawButtonPress &&
                static_cast<XIRawEvent *>(cookie->data)->detail == m_physicalLeft)
                m_pressed = true;
            XFreeEventData(m_raw, cookie);
        }
    }

    bool m_pressed = false;
    Display *m_raw = nullptr;
    int m_opcode = 0;
    int m_physicalLeft = 1;
};

} // namespace

bool leftButtonDownOrPressed()
{
    const bool pressed = LeftPressLatch::instance().take();
    return (globalMouseButtons() & 1) || pressed;
}

void watchLeftButton() { LeftPressLatch::instance(); }

void forgetLeftPress() { LeftPressLatch::instance().take(); }

bool seesPressesOutsideProgram() { return LeftPressLatch::instance().watchesScreen(); }

QPoint globalCursorPos() { return QCursor::pos(); }

bool pumpUntil(const std::function<bool()> &done, int timeoutMs)
{
    // Once the program is ending no event loop runs any more: waiting then
    // would never end.
    static bool ending = [] {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { ending = true; });
        return false;
    }();
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (ending || clock.elapsed() >= timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void pumpWait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lorva
