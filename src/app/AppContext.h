#pragma once

#include "browser/MainLayout.h"
#include "commands/CommandBars.h"
#include "commands/MakeMenus.h"
#include "platform/Speech.h"
#include "speech/Speech.h"
#include "config/Language.h"
#include "config/Options.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace lorva {

// State of the main window that several areas read and write.
struct MainState
{
    QString TodayText;
    qint16 groupFactorA = 0; // link groups = groupFactorA * groupFactorB
    qint16 groupFactorB = 0;
    qint16 pictureCounter = 0;
    qint16 exportAlpha = 0;
    qint16 normalAlpha = 0;
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
    QString templatePath;  // word-processor template, portrait
    QString templatePathH; // word-processor template, landscape
};

// Placement of the main window in twips, and the full-screen flag.
struct Placement
{
    qint16 PlaceTop = 0;
    qint16 PlaceLeft = 0;
    qint16 PlaceHeight = 0;
    qint16 PlaceWidth = 0;
    qint16 PlaceState = 0;
};

// Everything the program keeps for the whole run. Created once at start-up
// and handed to every area by reference; a test builds a fresh one.
struct AppContext
{
    explicit AppContext(QString folder) : programFolder(std::move(folder)) {}

    const QString programFolder;
    Options options;
    Language language;
    MainState main;
    Placement placement;
    // Entries and bars shared by the command bars of every window.
    CommandBars commands;
    MenuTables menus;
    std::unique_ptr<SpeechEngine> SpeechVoice;
    SpeechState speech;

    bool startupTailDone = false;
    bool exiting = false;
    // The end was asked for by a signal or the session, with nobody
    // necessarily at the screen to answer a message.
    bool unattendedExit = false;
    // Something could not be saved at the end: the program exits with 1.
    bool saveFailed = false;
};

} // namespace lorva
