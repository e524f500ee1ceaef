#pragma once

namespace lorva {

class Dispatcher;
struct MainContext;
enum class PageCommand;

// Registers the rows of the main window's own commands: navigation, the
// site bar, page commands of the current view, bar styles, floating mode,
// the window itself and the desktop's programs.
void addMainWindowRows(Dispatcher &dispatcher, MainContext &ctx);

// A page command of the current view, as the menus give it. Editing acts
// where the keyboard is: in the page.
void pageCommand(MainContext &ctx, PageCommand command);

// A command bar's menu opened and closed: floating mode rests meanwhile.
void Menu_Opened(MainContext &ctx);
void Menu_Closed(MainContext &ctx);

} // namespace lorva
