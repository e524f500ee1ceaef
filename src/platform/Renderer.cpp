#include "platform/Renderer.h"

#include <QByteArray>
#include <QDir>
#include <QtGlobal>

#include <X11/Xlib.h>

namespace lorva {

namespace {

bool haveGpuDevice()
{
    const QDir dri(QStringLiteral("/dev/dri"));
    return !dri.entryList({QStringLiteral("renderD*"), QStringLiteral("card*")}, QDir::System).isEmpty() ||
           QDir(QStringLiteral("/dev")).exists(QStringLiteral("nvidia0"));
}

// An X server that lets clients draw on the GPU offers one of these.
bool xServerRendersDirectly()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return true; // not ours to judge: let the toolkit report it
    int opcode = 0, event = 0, error = 0;
    bool direct = false;
    for (const char *name : {"DRI3", "DRI2", "NV-GLX"})
        direct = direct || XQueryExtension(display, name, &opcode, &event, &error);
    XCloseDisplay(display);
    return direct;
}

} // namespace

bool openGLIsSoftware()
{
    const QByteArray forced = qgetenv("LIBGL_ALWAYS_SOFTWARE");
    if (!forced.isEmpty() && forced != "0" && forced != "false")
        return true;
    if (!haveGpuDevice())
        return true;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = platform.startsWith("xcb") ||
                     (platform.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                      !qEnvironmentVariableIsEmpty("DISPLAY"));
    return x11 && !xServerRendersDirectly();
}

} // namespace lorva
