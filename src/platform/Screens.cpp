#include "platform/Screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lorva {

QRect screenGeometry(const QWidget *window)
{
    QScreen *screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace lorva
