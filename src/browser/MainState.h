#pragma once

#include "browser/MainLayout.h"

#include <QString>
#include <QStringList>

namespace lorva {

// State of the main window that several areas read and write.
struct MainState
{
    QString TodayText;
    bool BarsShown = false;
    bool WasMinimized = false;
    bool NoResize = false;
    qint16 TabMouseButtons = 0; // buttons down at the last press on the tab strip
    MainLayout layout;
    QString CurrentURL;
    QString LastGoURL;
    QString PageTitle;
    QStringList TabURLs;
    QString ChosenLink;
};

} // namespace lorva
