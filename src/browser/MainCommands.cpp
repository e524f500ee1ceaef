#include "browser/MainCommands.h"

#include "addresses/Bookmark.h"
#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "browser/TypedText.h"
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "config/Options.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"

#include <QUrl>

namespace lorva {

namespace {

using namespace elements;

constexpr int kBookmarkCaption = 170; // "Bookmark this page"

void navigateSite(MainContext &ctx, const QString &address)
{
    ctx.address.setAddressText(address);
    GO_Address(ctx, 0);
}

// The site buttons look for the words selected in the page, or else for
// words typed into the address box; with neither they open the site.
void searchSite(MainContext &ctx, const QString &site)
{
    QString words;
    if (BrowserView *view = ctx.tabs.view(ctx.tabs.currentTab()))
        words = view->selectedText().simplified();
    if (words.isEmpty() && !isAddress(ctx.address.addressText()))
        words = ctx.address.addressText().simplified();
    navigateSite(ctx, words.isEmpty() || site.isEmpty() ? site : searchAddress(site, words));
}

void setBarStyle(MainContext &ctx, const QString &key, int style)
{
    ctx.options.BarStyle = qint16(style);
    ctx.commands.setChecked(key, true);
    ctx.form.applyBarStyle(style);
}

void toggleFloating(MainContext &ctx)
{
    const CommandEntry *entry = ctx.commands.entry(keys::FileFloating);
    if (entry && entry->checked) {
        ctx.timers.setTimerEnabled(MainTimer::Timer1, true);
        ctx.timers.setTimerInterval(MainTimer::Timer1, 750);
        ctx.options.FloatingBars = 1;
        ctx.main.BarsShown = true;
        GO_BarOff(ctx);
    } else {
        ctx.timers.setTimerEnabled(MainTimer::Timer1, false);
        ctx.options.FloatingBars = 0;
    }
}

BrowserView *currentView(MainContext &ctx) { return ctx.tabs.view(ctx.tabs.currentTab()); }

} // namespace

void pageCommand(MainContext &ctx, PageCommand command)
{
    BrowserView *view = currentView(ctx);
    if (!view)
        return;
    ctx.tabs.focusView(ctx.tabs.currentTab());
    view->ExecWB(command);
}

void Menu_Opened(MainContext &ctx) { ctx.timers.setTimerEnabled(MainTimer::Timer1, false); }

void Menu_Closed(MainContext &ctx)
{
    if (ctx.options.FloatingBars == 1)
        ctx.timers.setTimerEnabled(MainTimer::Timer1, true);
}

void addMainWindowRows(Dispatcher &d, MainContext &ctx)
{
    const auto exit = [&ctx](const QString &) { ctx.form.closeProgram(); };
    const auto page = [&ctx](PageCommand command) { return [&ctx, command](const QString &) { pageCommand(ctx, command); }; };
    const auto back = [&ctx](const QString &) {
        if (BrowserView *view = currentView(ctx))
            view->GoBack();
    };
    const auto forward = [&ctx](const QString &) {
        if (BrowserView *view = currentView(ctx))
            view->GoForward();
    };
    const auto site = [&ctx](QString Language::*address) {
        return [&ctx, address](const QString &) { searchSite(ctx, ctx.language.*address); };
    };
    const auto style = [&ctx](int number) { return [&ctx, number](const QString &key) { setBarStyle(ctx, key, number); }; };
    const auto settings = [&ctx](SettingsPanel panel) {
        return [&ctx, panel](const QString &) { ctx.platform.desktop->openSettings(panel); };
    };
    const auto openPage = [&ctx](const QString &address) {
        if (!address.isEmpty())
            openInView(ctx.tabs, ctx.tabs.currentTab(), address);
    };

    d.setRow(StartTools, keys::Exit0, exit);
    d.setRow(StartTools, keys::Back, back);
    d.setRow(StartTools, keys::Next, forward);
    d.setRow(StartTools, keys::Print, page(PageCommand::Print));

    d.setRow(StartSites, keys::Google, site(&Language::SearchUrl));
    d.setRow(StartSites, keys::Wiki, site(&Language::DictionaryUrl));
    d.setRow(StartSites, keys::Map, site(&Language::MapUrl));
    d.setRow(StartSites, keys::Social, site(&Language::SocialUrl));
    d.setRow(StartSites, keys::Ebay, site(&Language::EcommerceUrl));
    d.setRow(StartSites, keys::Min, [&ctx](const QString &) { ctx.form.minimizeWindow(); });
    d.setRow(StartSites, keys::Exit2, exit);

    d.setRow(StartMenus, keys::EditStop, [&ctx](const QString &) { stopView(ctx.tabs, ctx.tabs.currentTab()); });
    d.setRow(StartMenus, keys::EditPageSet, page(PageCommand::PageSetup));
    d.setRow(StartMenus, keys::EditPreview, page(PageCommand::PrintPreview));
    d.setRow(StartMenus, keys::EditPrint, page(PageCommand::Print));
    d.setRow(StartMenus, keys::EditProperties, [&ctx](const QString &) {
        if (currentView(ctx))
            ctx.form.showPageProperties();
    });
    d.setRow(StartMenus, keys::EditCut, page(PageCommand::Cut));
    d.setRow(StartMenus, keys::EditCopy, page(PageCommand::Copy));
    d.setRow(StartMenus, keys::EditPaste, page(PageCommand::Paste));
    d.setRow(StartMenus, keys::EditSelect, page(PageCommand::SelectAll));
    d.setRow(StartMenus, keys::EditDelete, page(PageCommand::Delete));
    d.setRow(StartMenus, keys::EditFindDoc, [&ctx](const QString &) { ctx.form.showFindBar(); });
    d.setRow(StartMenus, keys::EditTrans, [openPage, &ctx](const QString &) { openPage(ctx.language.TranslatorPath); });
    d.setRow(StartMenus, keys::EditTxt, [&ctx](const QString &) {
        ctx.platform.desktop->open(languageFilePath(ctx.programFolder, ctx.options.LanguageName));
    });
    d.setRow(StartMenus, keys::EditExit, exit);

    d.setRow(StartMenus, keys::FileSystem, style(0));
    d.setRow(StartMenus, keys::FileOffice, style(1));
    d.setRow(StartMenus, keys::FileXp, style(3));
    d.setRow(StartMenus, keys::FileMoney, style(2));
    d.setRow(StartMenus, keys::FileFloating, [&ctx](const QString &) { toggleFloating(ctx); });
    d.setRow(StartMenus, keys::FileHelp, [&ctx](const QString &) {
        ctx.platform.desktop->open(
            QUrl::fromLocalFile(legacy::resolvePath(ctx.programFolder, QStringLiteral("Data/Help.html"))).toString());
    });
    d.setRow(StartMenus, keys::FileExplorer,
             [&ctx](const QString &) { ctx.platform.desktop->open(ctx.address.addressText()); });
    d.setRow(StartMenus, keys::FileSecurity, settings(SettingsPanel::Security));
    d.setRow(StartMenus, keys::FileVolume, settings(SettingsPanel::Sound));
    d.setRow(StartMenus, keys::FileInternet, settings(SettingsPanel::Network));

    d.setRow(StartMenus, keys::NavigateBack, back);
    d.setRow(StartMenus, keys::NavigateNext, forward);
    d.setRow(StartMenus, keys::NavigateRefresh,
             [&ctx](const QString &) { refreshView(ctx.tabs, ctx.tabs.currentTab()); });
    // The home page the user chose, at once; the language's start page until then.
    d.setRow(StartMenus, keys::NavigateHome, [openPage, &ctx](const QString &) {
        openPage(ctx.options.HomePage.isEmpty() ? ctx.language.StartPage : ctx.options.HomePage);
    });
    // The page on screen, wherever its links have led since an address was typed.
    d.setRow(StartMenus, keys::NavigatePick, [&ctx](const QString &) {
        const QString page = ctx.main.CurrentURL;
        if (page.isEmpty())
            return;
        Save_BookMark(ctx.programFolder, page);
        ctx.status.setStatusText(ctx.language.Captions[kBookmarkCaption] + QStringLiteral(": ") + page);
    });
    // Going to the bookmark adds nothing to the history: the view opens it.
    d.setRow(StartMenus, keys::NavigateGo, [&ctx](const QString &) {
        const std::optional<QString> bookmark = Read_BookMark(ctx.programFolder);
        if (!bookmark)
            return;
        stopView(ctx.tabs, ctx.tabs.currentTab());
        ctx.address.setAddressText(*bookmark);
        if (!bookmark->isEmpty())
            openInView(ctx.tabs, ctx.tabs.currentTab(), *bookmark);
    });
    d.setRow(StartMenus, keys::NavigatePickHome, [&ctx](const QString &) {
        ctx.options.HomePage = ctx.address.addressText();
        Save_Opt(ctx.programFolder, ctx.options);
    });
}

} // namespace lorva
