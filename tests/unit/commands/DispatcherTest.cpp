#include "app/Startup.h"
#include "browser/MainCommands.h"
#include "browser/MainWindowLogic.h"
#include "commands/Captions.h"
#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "fakes/FakeProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;
using lorva::test::FakeProgram;
using namespace lorva::elements;

namespace {

QByteArray languageFile(const char *search, const char *searchDescr, int captionLines, const char *prefix,
                        const char *tabs = "5")
{
    QByteArray out = QByteArray("TAB_NUMBER=") + tabs + "\r\nSTART_PAGE=http://start.example/\r\n";
    if (search)
        out += QByteArray("SEARCH_URL=") + search + "\r\n";
    if (searchDescr)
        out += QByteArray("SEARCH_DESCR=") + searchDescr + "\r\n";
    out += "TRANSLATOR_PATH=http://translate.example/\r\n";
    for (int i = 1; i <= captionLines; ++i)
        out += QByteArray("\"") + prefix + QByteArray::number(i) + "\"\r\n";
    return out;
}

struct Folder
{
    test::TempFolder folder;
};

// The main window's commands as the program registers them.
struct Main : Folder, FakeProgram
{
    Dispatcher &dispatcher = ctx.dispatcher;

    Main() : FakeProgram(folder.path())
    {
        addMainWindowRows(ctx.dispatcher, main);
        addSpeechRows(ctx.dispatcher, speech, showModal);
        addProgramRows(ctx, main);
        ctx.dispatcher.setFailureHandler([this](CommandWindow, const QString &message) { main.dialogs.failure(message); });
        folder.write("Languages/Speak_english.txt", languageFile("http://search.example/", "Search it", 230, "en"));
        folder.write("Languages/Speak_italian.txt", languageFile(nullptr, nullptr, 100, "it", "3"));
        ctx.options.HomePage = "http://home.example/";
        ctx.options.LanguageName = "english";
        applyTabCount(window, Read_Language(ctx.programFolder, "english", ctx.language));
        ctx.main.TabURLs = QStringList(window.tabCount(), QString());
        ctx.main.BarsShown = true;
        ctx.menus = Make_Menus(ctx.commands, ctx.images, languageFiles(ctx.programFolder), {}, 6000);
        Make_Toolbars(ctx.commands, ctx.menus);
        Set_Captions(ctx.language, ctx.options, ctx.commands, window);
        window.current = 1;
    }

    QString caption(const QString &key) const { return ctx.commands.entry(key)->caption; }
    QString tooltip(const QString &key) const { return ctx.commands.entry(key)->tooltip; }
};

} // namespace

TEST(SetCaptions, TakesEveryTextFromTheLanguage)
{
    Main m;
    EXPECT_EQ(m.tooltip(keys::Exit0), QStringLiteral("en32"));
    EXPECT_EQ(m.tooltip(keys::Exit2), QStringLiteral("en32"));
    EXPECT_EQ(m.tooltip(keys::Google), QStringLiteral("Search it"));
    EXPECT_EQ(m.tooltip(keys::Speak), QStringLiteral("en137"));
    EXPECT_EQ(m.caption(keys::NavigatePick), QStringLiteral("en170"));
    EXPECT_EQ(m.caption(keys::FileMoney), QStringLiteral("en174"));
    EXPECT_EQ(m.caption(keys::EditExit), QStringLiteral("en1"));
    EXPECT_EQ(m.caption(keys::SavePdf), QStringLiteral("en206"));
    EXPECT_EQ(m.caption(keys::SpeakLog), QStringLiteral("en222"));
    EXPECT_EQ(m.tooltip(keys::Brevonta), QStringLiteral("en196"));
    EXPECT_EQ(m.tooltip(keys::Picture), QStringLiteral("en176"));
    EXPECT_EQ(m.caption(keys::EditTxt), QStringLiteral("Speak_english.txt"));
    EXPECT_EQ(m.caption(keys::language("italian")), QStringLiteral("Italian"));
    EXPECT_EQ(m.window.moveToolTip, QStringLiteral("en215"));
}

TEST(LanguageSwitch, ChangesCaptionsSettingsTabsAndTheOptionsFile)
{
    Main m;
    m.ctx.main.TabURLs[4] = "http://four.example/";
    m.dispatcher.click(StartMenus, keys::language("italian"));

    EXPECT_EQ(m.ctx.options.LanguageName, QStringLiteral("italian"));
    EXPECT_EQ(m.caption(keys::EditExit), QStringLiteral("it1"));
    EXPECT_EQ(m.caption(keys::EditTxt), QStringLiteral("Speak_italian.txt"));
    // A file with fewer caption lines leaves the later commands empty.
    EXPECT_EQ(m.caption(keys::SavePdf), QString());
    EXPECT_EQ(m.caption(keys::SpeakTre), QString());
    EXPECT_EQ(m.caption(keys::LangNew), QString());
    // Settings the new file lacks keep their values.
    EXPECT_EQ(m.tooltip(keys::Google), QStringLiteral("Search it"));
    EXPECT_EQ(m.ctx.language.SearchUrl, QStringLiteral("http://search.example/"));
    // The tab count follows the file.
    EXPECT_EQ(m.window.tabCount(), 3);
    EXPECT_EQ(m.ctx.main.TabURLs.size(), 3);
    EXPECT_EQ(m.folder.read("Data/lorvaspeak.Opt"),
              crlf({" 1 ", " 0 ", " 0 ", " 0 ", "http://home.example/", "italian"}));
}

TEST(LanguageSwitch, AFileThatCannotBeReadKeepsTheLanguageInUse)
{
    Main m;
    m.folder.write("Languages/Speak_klingon.txt", "x");
    m.folder.remove("Languages/Speak_klingon.txt");
    m.ctx.commands.addEntry(keys::language("klingon"), 106, "Klingon", StyleOption, "Speak_klingon.txt");
    m.dispatcher.click(StartMenus, keys::language("klingon"));

    ASSERT_EQ(m.window.dialogs.failures.size(), 1);
    EXPECT_TRUE(m.window.dialogs.failures[0].contains("Speak_klingon.txt"));
    EXPECT_EQ(m.ctx.options.LanguageName, QStringLiteral("english"));
    EXPECT_EQ(m.caption(keys::EditExit), QStringLiteral("en1"));
    EXPECT_EQ(m.window.tabCount(), 5);
    EXPECT_FALSE(m.folder.exists("Data/lorvaspeak.Opt"));
}

TEST(Dispatcher, BarStylesFollowTheirOwnNumbers)
{
    Main m;
    const struct
    {
        QString key;
        int style;
    } rows[] = {{keys::FileXp, 3}, {keys::FileMoney, 2}, {keys::FileSystem, 0}, {keys::FileOffice, 1}};
    for (const auto &row : rows) {
        m.ctx.commands.clickEntry(row.key, keys::File);
        m.dispatcher.click(StartMenus, row.key);
        EXPECT_EQ(m.ctx.options.BarStyle, row.style) << qPrintable(row.key);
        EXPECT_EQ(m.window.calls.last(), QStringLiteral("style %1").arg(row.style));
        for (const QString &other : {keys::FileXp, keys::FileMoney, keys::FileSystem, keys::FileOffice})
            EXPECT_EQ(m.ctx.commands.entry(other)->checked, other == row.key);
    }
    // Saved at exit, not at once.
    EXPECT_FALSE(m.folder.exists("Data/lorvaspeak.Opt"));
}

TEST(Dispatcher, FloatingModeHidesTheStatusStripAtOnce)
{
    Main m;
    m.ctx.commands.clickEntry(keys::FileFloating, keys::File);
    m.dispatcher.click(StartMenus, keys::FileFloating);
    EXPECT_EQ(m.ctx.options.FloatingBars, 1);
    EXPECT_FALSE(m.ctx.main.BarsShown);
    EXPECT_FALSE(m.window.applied.picStatVisible);
    EXPECT_TRUE(m.window.timers[MainTimer::Timer1].enabled);
    EXPECT_EQ(m.window.timers[MainTimer::Timer1].interval, 750);

    // A menu pauses floating mode and its closing resumes it.
    Menu_Opened(m.main);
    EXPECT_FALSE(m.window.timers[MainTimer::Timer1].enabled);
    Menu_Closed(m.main);
    EXPECT_TRUE(m.window.timers[MainTimer::Timer1].enabled);

    m.ctx.commands.clickEntry(keys::FileFloating, keys::File);
    m.dispatcher.click(StartMenus, keys::FileFloating);
    EXPECT_EQ(m.ctx.options.FloatingBars, 0);
    EXPECT_FALSE(m.window.timers[MainTimer::Timer1].enabled);
    Menu_Closed(m.main);
    EXPECT_FALSE(m.window.timers[MainTimer::Timer1].enabled);
}

TEST(Dispatcher, SiteButtonsOpenTheirAddressesWithoutHistory)
{
    Main m;
    m.dispatcher.click(StartSites, keys::Google);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://search.example/"));
    EXPECT_TRUE(m.window.list.items.isEmpty());

    // Words typed into the box are looked for, and the page's selection first.
    m.window.list.boxText = "typed  words";
    m.dispatcher.click(StartSites, keys::Google);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://search.example/typed%20words"));
    m.window.views[1].selected = "selected words";
    m.dispatcher.click(StartSites, keys::Google);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://search.example/selected%20words"));
    m.window.views[1].selected.clear();

    // An empty search address empties the box, which opens the start page.
    m.ctx.language.SearchUrl.clear();
    m.window.calls.clear();
    m.dispatcher.click(StartSites, keys::Google);
    EXPECT_EQ(m.window.addressText(), QString());
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://start.example/"));
}

TEST(Dispatcher, HomeCommands)
{
    Main m;
    m.dispatcher.click(StartMenus, keys::NavigateHome);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://home.example/"));

    m.window.list.boxText = "http://chosen.example/";
    m.dispatcher.click(StartMenus, keys::NavigatePickHome);
    EXPECT_EQ(m.ctx.options.HomePage, QStringLiteral("http://chosen.example/"));
    EXPECT_TRUE(m.folder.read("Data/lorvaspeak.Opt").contains("http://chosen.example/\r\n"));
    // The home page chosen is the home page at once.
    m.dispatcher.click(StartMenus, keys::NavigateHome);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://chosen.example/"));

    m.ctx.options.HomePage.clear();
    m.dispatcher.click(StartMenus, keys::NavigateHome);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://start.example/"));
}

TEST(Dispatcher, PageWindowAndDesktopCommands)
{
    Main m;
    // Page commands act in the current view (tab 1), where the keyboard goes.
    const auto page = [](int command) { return QStringList{"focus 1", QStringLiteral("page 1 %1").arg(command)}; };
    const struct
    {
        Element element;
        QString key;
        QStringList calls;
    } rows[] = {
        {StartTools, keys::Exit0, {"close"}}, {StartSites, keys::Exit2, {"close"}}, {StartMenus, keys::EditExit, {"close"}},
        {StartTools, keys::Back, {"back 1"}}, {StartTools, keys::Next, {"forward 1"}},
        {StartMenus, keys::NavigateBack, {"back 1"}}, {StartMenus, keys::NavigateNext, {"forward 1"}},
        {StartTools, keys::Print, page(6)}, {StartMenus, keys::EditPrint, page(6)}, {StartMenus, keys::EditPreview, page(7)},
        {StartMenus, keys::EditPageSet, page(8)}, {StartMenus, keys::EditProperties, {"properties"}},
        {StartMenus, keys::EditCut, page(11)}, {StartMenus, keys::EditCopy, page(12)}, {StartMenus, keys::EditPaste, page(13)},
        {StartMenus, keys::EditSelect, page(17)}, {StartMenus, keys::EditDelete, page(33)},
        {StartMenus, keys::EditFindDoc, {"find"}}, {StartSites, keys::Min, {"minimize"}},
        {StartMenus, keys::NavigateRefresh, {"refresh 1"}}, {StartMenus, keys::FileSecurity, {"settings 0"}},
        {StartMenus, keys::FileVolume, {"settings 1"}}, {StartMenus, keys::FileInternet, {"settings 2"}},
    };
    for (const auto &row : rows) {
        m.window.calls.clear();
        m.dispatcher.click(row.element, row.key);
        EXPECT_EQ(m.window.calls, row.calls) << qPrintable(row.key);
    }

    m.window.list.boxText = "http://elsewhere.example/";
    m.dispatcher.click(StartMenus, keys::FileExplorer);
    EXPECT_EQ(m.window.calls.last(), QStringLiteral("shell http://elsewhere.example/"));
    m.dispatcher.click(StartMenus, keys::EditTxt);
    EXPECT_EQ(m.window.calls.last(), "shell " + m.folder.file("Languages/Speak_english.txt"));
    m.dispatcher.click(StartMenus, keys::FileHelp);
    EXPECT_TRUE(m.window.calls.last().endsWith("/Data/Help.html"));
    m.dispatcher.click(StartMenus, keys::EditStop);
    EXPECT_TRUE(m.window.calls.contains("stop 1"));
    m.dispatcher.click(StartMenus, keys::EditTrans);
    EXPECT_TRUE(m.window.calls.contains("navigate 1 http://translate.example/"));
}

TEST(Dispatcher, KeysWithoutARowDoNothing)
{
    Main m;
    const auto before = m.window.calls.size();
    m.dispatcher.click(StartMenus, keys::Tools);
    m.dispatcher.click(StartMenus, "SOMETHING:ELSE");
    m.dispatcher.click(StartTools, keys::Google);   // a site key clicked on the main tool bar
    m.dispatcher.click(StartTabs, keys::Exit0);    // the tab bar
    m.dispatcher.click(Element{CommandWindow::Start, 4}, keys::Exit0); // elements beyond the menus
    m.dispatcher.click(StartMenus, keys::LangNew); // the language-file editor is not there yet
    EXPECT_EQ(m.window.calls.size(), before);
    EXPECT_EQ(m.ctx.options.LanguageName, QStringLiteral("english"));
    EXPECT_FALSE(m.folder.exists("Data/lorvaspeak.Opt"));
}
