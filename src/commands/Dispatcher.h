#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

namespace lorva {

struct AppContext;
class MainWindowPort;

enum class SettingsPanel { Security, Sound, Network };

// What the main window's commands do beyond navigation: the page commands
// of the current view, the window itself and the desktop.
class CommandTarget
{
public:
    // Closes the main window, which runs the shutdown sequence.
    virtual void closeProgram() = 0;
    // A command of the current view: 6 print, 7 preview, 8 page setup,
    // 10 properties, 11 cut, 12 copy, 13 paste, 17 select all, 33 delete.
    virtual void execWB(int command) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void refreshCurrent() = 0;
    virtual void showFindBar() = 0;
    virtual void minimizeWindow() = 0;
    virtual void applyBarStyle(int style) = 0;
    // Hands an address, a mail address or a file to the desktop.
    virtual void shellOpen(const QString &target) = 0;
    virtual void openSettings(SettingsPanel panel) = 0;
    virtual void showFailure(const QString &message) = 0;
};

// The main window's table from command key to action, one table per
// command-bar element: 0 main tool bar, 2 site bar, 3 the drop-down menus.
class Dispatcher
{
public:
    using Handler = std::function<void(const QString &key)>;

    Dispatcher(AppContext &ctx, MainWindowPort &window, CommandTarget &target);

    void click(int element, const QString &key);
    // A command bar's menu opened and closed: floating mode rests meanwhile.
    void menuOpened();
    void menuClosed();

    void setRow(int element, const QString &key, Handler handler);
    // Keys of element `element` that start with `prefix` and have no row.
    void setPrefixRow(int element, const QString &prefix, Handler handler);
    bool hasRow(int element, const QString &key) const;

    // The language switch for the entry "LANG:" + name.
    void switchLanguage(const QString &key);

private:
    void addRows();
    void navigateSite(const QString &address);
    void setBarStyle(const QString &key, int style);
    void toggleFloating();

    AppContext &m_ctx;
    MainWindowPort &m_window;
    CommandTarget &m_target;
    QHash<QString, Handler> m_rows[4];
    std::vector<std::pair<QString, Handler>> m_prefixRows[4];
};

} // namespace lorva
