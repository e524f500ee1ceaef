#pragma once

#include "browser/MainContext.h"
#include "browser/Downloading.h"
#include "browser/MainState.h"
#include "commands/CommandBars.h"
#include "commands/Dispatcher.h"
#include "commands/ImageList.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/Placement.h"
#include "export/ExportState.h"
#include "linktables/LinkGroups.h"
#include "speech/Speech.h"
#include "windows/WindowsState.h"

#include <QString>

namespace lorva {

class Platform;

// Everything the program keeps for the whole run, each value in the struct
// of the area it belongs to. Created once at start-up and lent to every
// area as the part it works on; a test builds a fresh one.
struct AppContext
{
    AppContext(QString folder, Platform &platform) : programFolder(std::move(folder)), platform(platform) {}

    const QString programFolder;
    Platform &platform;
    Options options;
    Language language;
    Placement placement;
    // Entries and bars shared by the command bars of every window, their
    // pictures, and the table from their keys to what they do.
    CommandBars commands;
    ImageList images;
    MenuTables menus;
    Dispatcher dispatcher;
    MainState main;
    SpeechState speech;
    ExportState exports;
    DownloadState downloads;
    LinkGroups links;
    WindowsState windows;

    bool startupTailDone = false;
    bool exiting = false;
    // The end was asked for by a signal or the session, with nobody
    // necessarily at the screen to answer a message.
    bool unattendedExit = false;
    // Something could not be saved at the end: the program exits with 1.
    bool saveFailed = false;
};

// Speaking, with the main window's parts that it works through.
inline SpeechContext speechContext(AppContext &ctx, MainContext &window)
{
    return {ctx.speech,  ctx.language,  ctx.commands,  ctx.platform,
            window.tabs, window.status, window.timers, ctx.programFolder, window.dialogs};
}

} // namespace lorva
