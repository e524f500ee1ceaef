#include "app/Program.h"
#include "app/Startup.h"
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "fakes/FakeProgram.h"
#include "linktables/frmTab.h"
#include "support/QtPrint.h"
#include "support/TempFolder.h"
#include "windows/frmAbout.h"
#include "windows/frmEDit.h"
#include "windows/frmInput.h"
#include "windows/frmLang.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

using namespace lorva;
using lorva::test::crlf;
using lorva::test::FakeProgram;

namespace {

// The windows need an application; the unit tests run without a display.
struct Application
{
    Application()
    {
        if (qApp)
            return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        own = std::make_unique<QApplication>(argc, argv);
    }
    int argc = 1;
    char name[11] = "unit_tests";
    char *argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> own;
};

struct Folder
{
    test::TempFolder folder;
};

// The program's values after its start, with every row the program
// registers for the main window and the secondary windows open, each
// registering its own as it does when shown.
struct Registered : Application, Folder, FakeProgram
{
    ExportContext exports{main, ctx.exports};
    QString chosenLink;
    std::unique_ptr<frmTab> table;
    std::unique_ptr<frmEDit> editor;
    std::unique_ptr<frmLang> languageEditor;
    std::unique_ptr<frmInput> question;
    std::unique_ptr<frmAbout> about;

    Registered() : FakeProgram(folder.path())
    {
        const QByteArray language = crlf({"TAB_NUMBER=4", "START_PAGE=http://start/", "\"Exit\""});
        folder.write("Languages/Speak_english.txt", language);
        folder.write("Languages/Speak_italian.txt", language);
        platform.voices = {"Afrikaans", "Italian"};
        Form_Load(ctx, main, QDate(2026, 3, 7));
        const auto nothing = [] {};
        addMainRows(ctx, main, speech, exports, {nothing, nothing, nothing, [](QWidget *shown) { delete shown; }});

        const int style = ctx.options.BarStyle;
        table = std::make_unique<frmTab>(LinkTableContext{
            ctx.programFolder, ctx.links, ctx.placement, ctx.language, ctx.commands, ctx.dispatcher, chosenLink,
            ctx.main.TodayText, ctx.platform, [] { return CurrentPage{}; }, nothing});
        editor = std::make_unique<frmEDit>(RowEditorContext{ctx.links, ctx.placement.editor, ctx.language,
                                                           ctx.commands, ctx.dispatcher, table->grid(),
                                                           ctx.platform, nothing});
        languageEditor = std::make_unique<frmLang>(ctx.programFolder, ctx.language, ctx.windows, ctx.commands,
                                                   ctx.dispatcher, ctx.platform, style, nothing);
        question = std::make_unique<frmInput>(ctx.language, ctx.windows, ctx.commands, ctx.dispatcher, style);
        about = std::make_unique<frmAbout>(ctx.programFolder, ctx.language, ctx.commands, ctx.dispatcher,
                                           ctx.platform, style);
        // The link-table window and the row editor make their bars when loaded.
        Make_WindowBars(ctx.commands, CommandWindow::Table);
        Make_WindowBars(ctx.commands, CommandWindow::RowEditor);
    }
};

// A bar as a window shows it: clicks on its entries report `element`,
// clicks in the menus hung below them `menus`.
struct ShownBar
{
    Element element;
    QString bar;
    Element menus;
};

// The bars every window shows, as the windows show them.
QList<ShownBar> shownBars()
{
    using namespace elements;
    return {
        {StartTools, keys::Standard0, StartMenus},
        {StartTabs, keys::Standard1, StartMenus},
        {StartSites, keys::Standard2, StartMenus},
        {TableTools, keys::Tab0, TableTools},
        {TableExit, keys::Tab1, TableExit},
        {EditorBar, keys::Edit9, EditorBar},
    };
}

// Every bar in `views` (the command bars of the windows that show theirs as
// soon as they are made) as it shows it.
void addShownBars(QList<ShownBar> &bars, const QList<CommandBarView *> &views)
{
    for (const CommandBarView *view : views)
        bars.append({view->element(), view->barKey(), view->element()});
}

QString describe(const Element &element)
{
    return QStringLiteral("window %1 element %2").arg(int(element.window)).arg(element.index);
}

// The entries of the shown bars whose click would reach no row: each named
// with the element its click reports.
QStringList entriesWithoutARow(const CommandBars &commands, const Dispatcher &dispatcher,
                               const QList<ShownBar> &shown, int *walked)
{
    QStringList missing;
    const auto check = [&](const Element &element, const QString &key, const QString &where) {
        ++*walked;
        if (!dispatcher.handles(element, key))
            missing << key + QStringLiteral(" (") + where + QStringLiteral(", ") + describe(element) + u')';
    };
    for (const ShownBar &bar : shown) {
        for (const QString &key : commands.bar(bar.bar)) {
            const CommandEntry *entry = commands.entry(key);
            if (!entry)
                continue;
            if (entry->opensMenu()) {
                // In a menu every entry but a separator reports its click.
                for (const QString &inMenu : commands.bar(entry->bar)) {
                    const CommandEntry *item = commands.entry(inMenu);
                    if (item && item->style != StyleSeparator)
                        check(bar.menus, inMenu, QStringLiteral("menu ") + entry->bar);
                }
            } else if (entry->reportsClicks()) {
                check(bar.element, key, QStringLiteral("bar ") + bar.bar);
            }
        }
    }
    return missing;
}

} // namespace

TEST(EveryEntryHasARow, InEveryBarAndMenuOfEveryWindow)
{
    Registered r;
    QList<ShownBar> shown = shownBars();
    addShownBars(shown, r.languageEditor->findChildren<CommandBarView *>());
    addShownBars(shown, r.question->findChildren<CommandBarView *>());
    addShownBars(shown, r.about->findChildren<CommandBarView *>());
    ASSERT_EQ(shown.size(), 9) << "every window's bars are walked";
    for (const ShownBar &bar : shown)
        ASSERT_FALSE(r.ctx.commands.bar(bar.bar).isEmpty()) << qPrintable(bar.bar);

    int walked = 0;
    EXPECT_EQ(entriesWithoutARow(r.ctx.commands, r.ctx.dispatcher, shown, &walked), QStringList());
    // The walk reached the language and voice entries as well.
    EXPECT_GT(walked, 70);
}
