#pragma once

#include "browser/MainWindowPorts.h"

#include <QString>

namespace lorva {

class CaptionTargets;
class CommandBars;
class Dialogs;
class Dispatcher;
class ImageList;
class Platform;
struct Language;
struct MainState;
struct Options;
struct Placement;

// The program-wide values that the main window and its logic read and write,
// owned by the program and lent to the window.
struct MainValues
{
    const QString &programFolder;
    MainState &main;
    Placement &placement;
    Options &options;
    Language &language;
    CommandBars &commands;
    const ImageList &images;
    Dispatcher &dispatcher;
    Platform &platform;
};

// ...and with them the parts of the main window that its logic works through.
struct MainContext : MainValues
{
    TabHost &tabs;
    AddressBox &address;
    StatusStrip &status;
    MainTimers &timers;
    MainWindowPort &frame;
    CaptionTargets &names;
    Dialogs &dialogs;
};

} // namespace lorva
