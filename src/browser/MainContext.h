#pragma once

#include "browser/MainWindowPorts.h"
#include "platform/WindowFrame.h"

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

// What the main window and its logic share: the program-wide values they
// read and write, owned by the program and lent to the window, and the
// parts of the window that the logic works through.
struct MainContext
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

    TabHost &tabs;
    AddressBox &address;
    StatusStrip &status;
    MainTimers &timers;
    MainWindowPort &form;
    WindowFrame &frame;
    CaptionTargets &names;
    Dialogs &dialogs;
};

} // namespace lorva
