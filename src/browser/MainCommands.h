#pragma once

namespace lorva {

class Dispatcher;
struct MainContext;

// Registers the rows of the main window's own commands: navigation, the
// site bar, page commands of the current view, bar styles, floating mode,
// the window itself and the desktop's programs.
void addMainWindowRows(Dispatcher &dispatcher, MainContext &ctx);

// A page command of the current view, as the menus give it: 6 print, 7
// preview, 8 page setup, 10 properties, 11 cut, 12 copy, 13 paste, 17
// select all, 33 delete. Editing acts where the keyboard is: in the page.
void pageCommand(MainContext &ctx, int command);

// A command bar's menu opened and closed: floating mode rests meanwhile.
void Menu_Opened(MainContext &ctx);
void Menu_Closed(MainContext &ctx);

} // namespace lorva
