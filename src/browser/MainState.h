#pragma once

#include "browser/MainLayout.h"
#include "config/SiteZoom.h"

#include <QString>
#include <QList>
#include <QStringList>

#include <optional>

namespace lorva {

// State of the main window that several areas read and write.
struct MainState
{
    QString TodayText;
    bool BarsShown = false;
    bool WasMinimized = false;
    bool NoResize = false;
    // The window's place before F12 made it cover the screen; F12 again puts
    // it back there. Empty while the window is not covering the screen.
    std::optional<TwipsRect> BeforeScreenCover;
    qint16 TabMouseButtons = 0; // buttons down at the last press on the tab strip
    MainLayout layout;
    QString CurrentURL;
    QString LastGoURL;
    QString PageTitle;
    // Each tab's page, as its view last reported it, with its title and
    // load progress: the address box and the status strip show the current
    // tab's. TabURLs also holds what was opened in a tab from the box.
    QStringList TabURLs;
    QStringList TabTitles;
    QList<int> TabProgress;
    QString ChosenLink;
    // The zoom of each site the user zoomed, as its file keeps it.
    SiteZoom Zoom;
};

} // namespace lorva
