#include "browser/MainCommands.h"

#include "addresses/Bookmark.h"
#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "commands/CommandBars.h"
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

void navigateSite(MainContext &ctx, const QString &address)
{
    ctx.address.setAddressText(address);
    GO_Address(ctx, 0);
}

void setBarStyle(MainContext &ctx, const QString &key, int style)
{
    ctx.options.BarStyle = qint16(style);
    ctx.commands.setChecked(key, true);
    ctx.frame.applyBarStyle(style);
}

void toggleFloating(MainContext &ctx)
{
    const CommandEntry *entry = ctx.commands.entry(QStringLiteral("FILE:FLOATING"));
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
    const auto exit = [&ctx](const QString &) { ctx.frame.closeProgram(); };
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
        return [&ctx, address](const QString &) { navigateSite(ctx, ctx.language.*address); };
    };
    const auto style = [&ctx](int number) { return [&ctx, number](const QString &key) { setBarStyle(ctx, key, number); }; };
    const auto settings = [&ctx](SettingsPanel panel) {
        return [&ctx, panel](const QString &) { ctx.platform.desktop->openSettings(panel); };
    };
    const auto openPage = [&ctx](const QString &address) {
        if (!address.isEmpty())
            openInView(ctx.tabs, ctx.tabs.currentTab(), address);
    };

    d.setRow(StartTools, QStringLiteral("EXIT0"), exit);
    d.setRow(StartTools, QStringLiteral("BACK"), back);
    d.setRow(StartTools, QStringLiteral("NEXT"), forward);
    d.setRow(StartTools, QStringLiteral("PRINT"), page(PageCommand::Print));

    d.setRow(StartSites, QStringLiteral("GOOGLE"), site(&Language::SearchUrl));
    d.setRow(StartSites, QStringLiteral("WIKI"), site(&Language::DictionaryUrl));
    d.setRow(StartSites, QStringLiteral("MAP"), site(&Language::MapUrl));
    d.setRow(StartSites, QStringLiteral("SOCIAL"), site(&Language::SocialUrl));
    d.setRow(StartSites, QStringLiteral("EBAY"), site(&Language::EcommerceUrl));
    d.setRow(StartSites, QStringLiteral("MIN"), [&ctx](const QString &) { ctx.frame.minimizeWindow(); });
    d.setRow(StartSites, QStringLiteral("EXIT2"), exit);

    d.setRow(StartMenus, QStringLiteral("EDIT:STOP"), [&ctx](const QString &) { stopView(ctx.tabs, ctx.tabs.currentTab()); });
    d.setRow(StartMenus, QStringLiteral("EDIT:PAGESET"), page(PageCommand::PageSetup));
    d.setRow(StartMenus, QStringLiteral("EDIT:PREVIEW"), page(PageCommand::PrintPreview));
    d.setRow(StartMenus, QStringLiteral("EDIT:PRINT"), page(PageCommand::Print));
    d.setRow(StartMenus, QStringLiteral("EDIT:PROPERTIES"), [&ctx](const QString &) {
        if (currentView(ctx))
            ctx.frame.showPageProperties();
    });
    d.setRow(StartMenus, QStringLiteral("EDIT:CUT"), page(PageCommand::Cut));
    d.setRow(StartMenus, QStringLiteral("EDIT:COPY"), page(PageCommand::Copy));
    d.setRow(StartMenus, QStringLiteral("EDIT:PASTE"), page(PageCommand::Paste));
    d.setRow(StartMenus, QStringLiteral("EDIT:SELECT"), page(PageCommand::SelectAll));
    d.setRow(StartMenus, QStringLiteral("EDIT:DELETE"), page(PageCommand::Delete));
    d.setRow(StartMenus, QStringLiteral("EDIT:FINDDOC"), [&ctx](const QString &) { ctx.frame.showFindBar(); });
    d.setRow(StartMenus, QStringLiteral("EDIT:TRANS"), [openPage, &ctx](const QString &) { openPage(ctx.language.TranslatorPath); });
    d.setRow(StartMenus, QStringLiteral("EDIT:TXT"), [&ctx](const QString &) {
        ctx.platform.desktop->open(languageFilePath(ctx.programFolder, ctx.options.LanguageName));
    });
    d.setRow(StartMenus, QStringLiteral("EDIT:EXIT"), exit);

    d.setRow(StartMenus, QStringLiteral("FILE:SYSTEM"), style(0));
    d.setRow(StartMenus, QStringLiteral("FILE:OFFICE"), style(1));
    d.setRow(StartMenus, QStringLiteral("FILE:XP"), style(3));
    d.setRow(StartMenus, QStringLiteral("FILE:MONEY"), style(2));
    d.setRow(StartMenus, QStringLiteral("FILE:FLOATING"), [&ctx](const QString &) { toggleFloating(ctx); });
    d.setRow(StartMenus, QStringLiteral("FILE:HELP"), [&ctx](const QString &) {
        ctx.platform.desktop->open(
            QUrl::fromLocalFile(legacy::resolvePath(ctx.programFolder, QStringLiteral("Data/Help.html"))).toString());
    });
    d.setRow(StartMenus, QStringLiteral("FILE:EXPLORER"),
             [&ctx](const QString &) { ctx.platform.desktop->open(ctx.address.addressText()); });
    d.setRow(StartMenus, QStringLiteral("FILE:SECURITY"), settings(SettingsPanel::Security));
    d.setRow(StartMenus, QStringLiteral("FILE:VOLUME"), settings(SettingsPanel::Sound));
    d.setRow(StartMenus, QStringLiteral("FILE:INTERNET"), settings(SettingsPanel::Network));

    d.setRow(StartMenus, QStringLiteral("NAVIGATE:BACK"), back);
    d.setRow(StartMenus, QStringLiteral("NAVIGATE:NEXT"), forward);
    d.setRow(StartMenus, QStringLiteral("NAVIGATE:REFRESH"),
             [&ctx](const QString &) { refreshView(ctx.tabs, ctx.tabs.currentTab()); });
    // The engine has no home page of its own: its home is the language's start page.
    d.setRow(StartMenus, QStringLiteral("NAVIGATE:HOME"), [openPage, &ctx](const QString &) { openPage(ctx.language.StartPage); });
    d.setRow(StartMenus, QStringLiteral("NAVIGATE:PICK"),
             [&ctx](const QString &) { Save_BookMark(ctx.programFolder, ctx.main.LastGoURL); });
    // Going to the bookmark adds nothing to the history: the view opens it.
    d.setRow(StartMenus, QStringLiteral("NAVIGATE:GO"), [&ctx](const QString &) {
        const std::optional<QString> bookmark = Read_BookMark(ctx.programFolder);
        if (!bookmark)
            return;
        stopView(ctx.tabs, ctx.tabs.currentTab());
        ctx.address.setAddressText(*bookmark);
        if (!bookmark->isEmpty())
            openInView(ctx.tabs, ctx.tabs.currentTab(), *bookmark);
    });
    d.setRow(StartMenus, QStringLiteral("NAVIGATE:PICKHOME"), [&ctx](const QString &) {
        ctx.options.HomePage = ctx.address.addressText();
        Save_Opt(ctx.programFolder, ctx.options);
    });
}

} // namespace lorva
