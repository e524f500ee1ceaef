// The link tables against a fake of their window: the title and group files,
// the table's commands, and the row editor working on the table's grid.
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeWindowFrame.h"
#include "linktables/LinkFiles.h"
#include "linktables/LinkGrid.h"
#include "linktables/LinkTable.h"
#include "support/TempFolder.h"
#include "windows/RowEditor.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

namespace {

const QString kGroup = QStringLiteral(" Group");

class FakeTableWindow : public LinkTableWindow, public FakeWindowFrame
{
public:
    void setStripCaption(int strip, int tab, const QString &caption) override { captions[strip][tab] = caption; }
    void showSelectedTabs(const std::array<int, kStrips> &tabs) override { shownTabs = tabs; }
    void setGridVisible(bool visible) override { gridVisible = visible; }
    void setCurrentCell(int, int) override {}
    void setLabelText(const QString &text) override { label = text; }
    void openTitleBox() override { titleBoxOpen = true; }
    void closeTitleBox() override { titleBoxOpen = false; }
    QString titleBoxText() const override { return titleText; }
    void setTitleBoxText(const QString &text) override { titleText = text; }
    int cellHeightTwips() const override { return cellHeight; }
    void applyLayout(const TableLayout &l) override { layout = l; }
    void hideWindow() override { hidden = true; }

    QString captions[kStrips][kTabsPerStrip];
    std::array<int, kStrips> shownTabs{};
    bool gridVisible = false;
    QString label;
    bool titleBoxOpen = false;
    QString titleText;
    int cellHeight = 240;
    TableLayout layout;
    bool hidden = false;
};

class FakeEditorWindow : public RowEditorWindow, public FakeWindowFrame
{
public:
    QString boxText(int box) const override { return boxes[box]; }
    void setBoxText(int box, const QString &text) override { boxes[box] = text; }
    void setLabelText(int label, const QString &text) override { labels[label] = text; }
    void setCaption(const QString &text) override { caption = text; }
    void hideWindow() override { hidden = true; }

    QString boxes[7];
    QString labels[7];
    QString caption;
    bool hidden = false;
};

// A program folder with a Links folder, the group titles read from it, and
// the link-table window's logic over a fake window.
struct Tables
{
    Tables()
    {
        for (int i = 0; i < kCaptionCount; ++i)
            language.Captions[size_t(i)] = QStringLiteral("C%1").arg(i);
        language.Captions[34] = kGroup;
        language.LangCode = QStringLiteral("eng");
    }

    void readLinks() { Read_Links(folder.path(), links, kGroup); }
    void open()
    {
        readLinks();
        Form_Load(ctx);
    }
    void select(int strip, int tab) { stripSelected(ctx, strip, tab); }
    QStringList groupLines(int group) const
    {
        return QString::fromUtf8(folder.read("Links/Links." + groupDigits(group))).split("\r\n", Qt::SkipEmptyParts);
    }
    QString titleLine(int entry) const
    {
        return QString::fromUtf8(folder.read("Links/Links.Bok")).split("\r\n").value(entry - 1);
    }
    void writeGroup(int group, const QString &count, std::initializer_list<const char *> lines)
    {
        QStringList titles;
        for (int i = 1; i <= 150; ++i)
            titles << (i == group + 1 ? QStringLiteral("Mine,") + count : QStringLiteral(" %1 Group,0").arg(i));
        folder.write("Links/Links.Bok", (titles.join("\r\n") + "\r\n").toUtf8());
        folder.write("Links/Links." + groupDigits(group), crlf(lines));
    }
    void visit(const QString &title, const QString &url)
    {
        page = {title, url, url};
        tableCommand(ctx, keys::AddUrl);
    }
    void at(int row, int column) { gridCurrentChanged(ctx, row, column); }

    TempFolder folder;
    const QString path = folder.path();
    Language language;
    LinkGroups links;
    Placement placement;
    CommandBars commands;
    Dispatcher dispatcher;
    QString chosen;
    QString today = QStringLiteral("2026-03-07");
    QStringList calls;
    FakePlatform platform{&calls};
    FakeDialogs dialogs{&calls};
    LinkGrid grid;
    TableState state;
    FakeTableWindow window;
    CurrentPage page;
    std::function<void()> editor;
    LinkTableContext ctx{path,    links,   placement, language, commands, dispatcher, chosen, today, platform,
                         [this] { return page; }, [this] { if (editor) editor(); },
                         &window, &window, &dialogs, &grid, &state};
};

} // namespace

TEST(LinkFiles, GroupFilesAndTheTitleFileOfAFirstRun)
{
    Tables t;
    EXPECT_EQ(TableFile(t.folder.path(), 7), t.folder.file("Links/Links.007"));
    EXPECT_EQ(TableFile(t.folder.path(), 104), t.folder.file("Links/Links.104"));
    t.readLinks();
    EXPECT_EQ(t.links.LinksStem, t.folder.file("Links/Links."));
    const QByteArray file = t.folder.read("Links/Links.Bok");
    EXPECT_EQ(file.count("\r\n"), 150);
    EXPECT_TRUE(file.startsWith(" 1 Group,0\r\n 2 Group,0\r\n"));
    EXPECT_TRUE(file.endsWith(" 150 Group,0\r\n"));
    // Read back, each line is trimmed and split at its commas.
    EXPECT_EQ(t.links.GroupTitles[3].title, QStringLiteral("3 Group"));
    EXPECT_EQ(t.links.GroupTitles[3].count, QStringLiteral("0"));
}

TEST(LinkFiles, TitleFilesOfOtherMakersAndHandsReadSensibly)
{
    Tables t;
    QByteArray bok = "Caf\xe9 du monde, 7\r\nTravel,12,extra\r\nNo comma at all\r\nNegative,-5\r\nHuge,99999\r\n";
    for (int i = 6; i <= 170; ++i)
        bok += "Line " + QByteArray::number(i) + ",1\r\n";
    t.folder.write("Links/Links.Bok", bok);
    t.readLinks();
    const auto &g = t.links.GroupTitles;
    EXPECT_EQ(g[1].title, QString::fromUtf8("Caf\u00e9 du monde"));
    EXPECT_EQ(g[1].count, QStringLiteral("7"));
    EXPECT_EQ(g[2].title, QStringLiteral("Travel"));
    EXPECT_EQ(g[2].count, QStringLiteral("12"));
    EXPECT_EQ(g[3].title, QStringLiteral("No comma at all"));
    EXPECT_EQ(linkCountOf(g[3]), 0);
    EXPECT_EQ(linkCountOf(g[4]), 0);
    EXPECT_EQ(linkCountOf(g[5]), 32767);
    EXPECT_EQ(g[160].title, QStringLiteral("Line 160"));

    // Groups without links take the default title of the language in use.
    Default_Titles(t.links, QStringLiteral(" Gruppo"));
    EXPECT_EQ(g[3].title, QStringLiteral(" 3 Gruppo"));
    EXPECT_EQ(g[2].title, QStringLiteral("Travel"));
}

TEST(LinkTable, AddingCountsWithASpaceAndDeletingWithout)
{
    Tables t;
    t.writeGroup(0, "4", {"d;-;http://d/;-;;-;;-;d;-;2020-01-01", "b;-;http://b/;-;;-;;-;b;-;2020-01-01",
                          "c;-;http://c/;-;;-;;-;c;-;2020-01-01", "a;-;http://a/;-;;-;;-;a;-;2020-01-01"});
    t.open();
    EXPECT_EQ(t.state.LinkCount, 4);
    t.visit("e page", "http://e/");
    EXPECT_EQ(t.titleLine(1), QStringLiteral("Mine, 5"));
    EXPECT_EQ(t.groupLines(0).last(), QStringLiteral("e page;-;http://e/;-;;-;;-;http://e/;-;2026-03-07"));
    // The same page again adds nothing.
    t.visit("e page", "http://e/");
    EXPECT_EQ(t.groupLines(0).size(), 5);

    // The editor empties a row; the save drops it and counts without a space.
    t.at(2, 0);
    t.editor = [&t] {
        for (int c = 0; c <= 6; ++c)
            t.grid.setText(t.links.EditRow, c, QString());
    };
    tableCommand(t.ctx, keys::EditUrl);
    EXPECT_EQ(t.titleLine(1), QStringLiteral("Mine,4"));
    EXPECT_EQ(t.groupLines(0).size(), 4);
    EXPECT_FALSE(t.groupLines(0).join('\n').contains("http://b/"));
}

TEST(LinkTable, SavingSortsByTitleDropsUntitledRowsAndKeepsHiddenTexts)
{
    Tables t;
    t.writeGroup(5, "3", {"beta;-;http://b/;-;a note;-;pin b;-;b;-;d", ";-;;-;;-;;-;;-;",
                          "Alpha;-;http://a/;-;b note;-;pin a;-;a;-;d"});
    t.readLinks();
    Form_Load(t.ctx);
    t.select(0, 5);
    EXPECT_EQ(t.grid.text(1, 4), kMask);
    EXPECT_EQ(t.grid.hidden(1), QStringLiteral("pin b"));
    Save_Table(t.ctx);
    EXPECT_EQ(t.groupLines(5), QStringList({"Alpha;-;http://a/;-;b note;-;pin a;-;a;-;d",
                                             "beta;-;http://b/;-;a note;-;pin b;-;b;-;d"}));
    EXPECT_EQ(t.links.GroupTitles[6].count, QStringLiteral("2"));
    // Sorting by address in the window only shows; each row keeps its hidden text.
    Read_Table(t.ctx);
    t.at(1, 2);
    tableCommand(t.ctx, keys::Sort);
    EXPECT_EQ(t.grid.text(1, 1), QStringLiteral("Alpha"));
    EXPECT_EQ(t.grid.hidden(2), QStringLiteral("pin b"));
    // Any column picked is the one sorted by.
    t.at(1, 3);
    tableCommand(t.ctx, keys::Sort);
    EXPECT_EQ(t.grid.text(1, 1), QStringLiteral("beta"));
    EXPECT_EQ(t.grid.hidden(1), QStringLiteral("pin b"));
}

TEST(LinkTable, ACountLargerThanTheFileGivesEmptyRowsAndIsMendedByTheNextSave)
{
    Tables t;
    t.writeGroup(0, "5", {"one;-;http://1/;-;;-;;-;1;-;d", "broken line", "three;-;http://3/;-;;-;;-;3;-;d"});
    t.open();
    EXPECT_EQ(t.grid.text(1, 1), QStringLiteral("one"));
    EXPECT_TRUE(t.grid.text(2, 1).isEmpty());
    EXPECT_EQ(t.grid.text(3, 1), QStringLiteral("three"));
    EXPECT_TRUE(t.grid.text(5, 1).isEmpty());
    tableCommand(t.ctx, keys::Save2);
    EXPECT_EQ(t.groupLines(0).size(), 2);
    EXPECT_EQ(t.titleLine(1), QStringLiteral("Mine,2"));

    // Absurd counts make no absurd tables.
    for (const char *count : {"-3", "abc", "1e300"}) {
        t.writeGroup(0, count, {"one;-;http://1/;-;;-;;-;1;-;d"});
        t.readLinks();
        Read_Table(t.ctx);
        EXPECT_LE(t.grid.rows(), 32768) << count;
        EXPECT_GE(t.state.LinkCount, 0) << count;
    }
}

TEST(LinkTable, StripsMapToGroupsAndSortKeepsEveryRow)
{
    Tables t;
    QList<QByteArray> lines;
    for (int i = 50; i >= 1; --i)
        lines << "Link " + QByteArray::number(i) + ";-;http://x/" + QByteArray::number(i) + ";-;;-;;-;x;-;d";
    t.writeGroup(33, "50", {});
    t.folder.write("Links/Links.033", lines.join("\r\n") + "\r\n");
    t.open();
    EXPECT_EQ(t.state.MinGridRows, 37); // 12000 / 240 * 0.75
    t.window.cellHeight = 250;
    t.open();
    EXPECT_EQ(t.state.MinGridRows, 36);
    EXPECT_EQ(t.window.shownTabs, (std::array<int, kStrips>{0, -1, -1, -1, -1, -1, -1}));
    t.select(2, 3);
    EXPECT_EQ(t.state.CurrentGroup, 33);
    EXPECT_EQ(t.state.TableFile, t.folder.file("Links/Links.033"));
    EXPECT_EQ(t.window.shownTabs, (std::array<int, kStrips>{-1, -1, 3, -1, -1, -1, -1}));
    EXPECT_EQ(t.window.captions[2][3], QStringLiteral("Mine"));
    t.at(1, 1);
    tableCommand(t.ctx, keys::Sort);
    EXPECT_EQ(t.grid.rows(), 51);
    EXPECT_EQ(t.grid.text(1, 1), QStringLiteral("Link 1"));
    EXPECT_EQ(t.grid.text(50, 1), QStringLiteral("Link 9"));
    EXPECT_EQ(t.grid.text(50, 0), QStringLiteral("50"));
}

TEST(LinkTable, ClickingMaskedCellsRevealsOneAtATime)
{
    Tables t;
    t.writeGroup(0, "5", {"a;-;u;-;;-;;-;;-;", "b;-;u;-;;-;two;-;;-;", "c;-;u;-;;-;;-;;-;",
                          "d;-;u;-;;-;;-;;-;", "e;-;u;-;;-;five;-;;-;"});
    t.open();
    const auto click = [&t](int row) {
        t.at(row, 4);
        GridList_Click(t.ctx);
    };
    click(2);
    EXPECT_EQ(t.grid.text(2, 4), QStringLiteral("two"));
    click(5);
    EXPECT_EQ(t.grid.text(2, 4), kMask);
    EXPECT_EQ(t.grid.text(5, 4), QStringLiteral("five"));
    click(5);
    EXPECT_EQ(t.grid.text(5, 4), kMask);
    click(5);
    EXPECT_EQ(t.grid.text(5, 4), QStringLiteral("five"));
    click(3); // nothing hidden there
    EXPECT_TRUE(t.grid.text(3, 4).isEmpty());

    // In another group, the row remembered as revealed has no hidden text:
    // it must not be given a mask that the row editor would then store.
    t.writeGroup(1, "5", {"a;-;u;-;;-;;-;;-;", "b;-;u;-;;-;;-;;-;", "c;-;u;-;;-;x;-;;-;", "d;-;u;-;;-;;-;;-;",
                          "e;-;u;-;;-;;-;;-;"});
    t.readLinks();
    t.select(0, 1);
    click(3);
    EXPECT_TRUE(t.grid.text(5, 4).isEmpty());
}

TEST(LinkTable, TheTitleBoxRenamesTheGroupOnlyWithEnter)
{
    Tables t;
    t.open();
    tableCommand(t.ctx, keys::Title);
    EXPECT_TRUE(t.window.titleBoxOpen);
    t.window.titleText = QStringLiteral("Travel, Europe");
    titleBoxEnter(t.ctx);
    EXPECT_FALSE(t.window.titleBoxOpen);
    // A comma would cut the title and lose the count at the next start.
    EXPECT_EQ(t.titleLine(1), QStringLiteral("Travel; Europe,0"));
    EXPECT_EQ(t.window.captions[0][0], QStringLiteral("Travel; Europe"));

    // Typed, then "TITLE" instead of Enter: the box closes, the title stays.
    tableCommand(t.ctx, keys::Title);
    t.window.titleText = QStringLiteral("Other");
    tableCommand(t.ctx, keys::Title);
    EXPECT_FALSE(t.window.titleBoxOpen);
    EXPECT_EQ(t.titleLine(1), QStringLiteral("Travel; Europe,0"));

    // Closed with the box open: the next opening's first "TITLE" only closes.
    tableCommand(t.ctx, keys::Title);
    GO_Exit(t.ctx);
    EXPECT_TRUE(t.window.hidden);
    Form_Load(t.ctx);
    EXPECT_FALSE(t.window.titleBoxOpen);
    tableCommand(t.ctx, keys::Title);
    EXPECT_FALSE(t.window.titleBoxOpen);
    tableCommand(t.ctx, keys::Title);
    EXPECT_TRUE(t.window.titleBoxOpen);
}

TEST(LinkTable, ChoosingALinkAndLeaving)
{
    Tables t;
    t.writeGroup(0, "1", {"one;-;http://one/;-;;-;;-;one;-;d"});
    t.open();
    t.at(1, 3);
    GridList_DblClick(t.ctx); // the note column opens nothing
    EXPECT_TRUE(t.chosen.isEmpty());
    EXPECT_FALSE(t.window.hidden);
    t.at(1, 5);
    t.window.place = {1000, 2000, 9000, 14400};
    GridList_DblClick(t.ctx);
    EXPECT_EQ(t.chosen, QStringLiteral("http://one/"));
    EXPECT_TRUE(t.window.hidden);
    EXPECT_EQ(t.placement.table.left, 2000);

    // "EXIT5" asks only while the editor's changes are unsaved.
    t.window.hidden = false;
    t.links.TableChanged = true;
    tableCommand(t.ctx, keys::Exit5);
    EXPECT_EQ(t.dialogs.questions, QStringList({"C101"}));
    tableCommand(t.ctx, keys::Exit6);
    EXPECT_EQ(t.dialogs.questions.size(), 1);
    tableCommand(t.ctx, keys::Help2);
    EXPECT_TRUE(t.calls.contains("shell " + t.folder.file("Data/LorvaGOTabeng.pdf")))
        << qPrintable(t.calls.join('\n'));
}

TEST(LinkTable, AFailedWriteIsReportedAndLeavesTheWindowUsable)
{
    Tables t;
    t.writeGroup(0, "1", {"one;-;http://one/;-;;-;;-;one;-;d"});
    t.open();
    t.folder.remove("Links");
    t.visit("two", "http://two/");
    ASSERT_EQ(t.dialogs.failures.size(), 1);
    EXPECT_TRUE(t.dialogs.failures[0].contains("Save_Table")) << qPrintable(t.dialogs.failures[0]);
    EXPECT_TRUE(t.window.gridVisible);
    EXPECT_FALSE(t.folder.exists("Links"));
}

TEST(LinkFields, SeparatorsAndLineBreaksCannotSplitALink)
{
    Tables t;
    t.open();
    t.visit("A;-;B\nC;-", "http://x/a;-;b");
    const QStringList lines = t.groupLines(0);
    ASSERT_EQ(lines.size(), 1);
    const LinkLine line = parseLinkLine(lines[0]);
    ASSERT_TRUE(line.valid);
    EXPECT_EQ(lines[0].count(";-;"), 5) << qPrintable(lines[0]);
    EXPECT_EQ(line.fields[1], QStringLiteral("http://x/a%3B-;b"));
}

TEST(RowEditor, EditsTheRealHiddenTextAndCentresItsFirstOpening)
{
    Tables t;
    t.writeGroup(0, "2", {"one;-;http://1/;-;n;-;pin;-;1;-;d", "two;-;http://2/;-;;-;;-;2;-;d"});
    t.open();
    FakeEditorWindow w;
    bool saved = false;
    RowEditorContext editor{t.links, t.placement.editor, t.language, t.commands, t.dispatcher, t.grid, t.platform,
                            [&] {
                                saved = true;
                                Save_Table(t.ctx);
                            },
                            &w, &w, &t.dialogs};
    t.links.EditRow = 1;
    Form_Load(editor);
    EXPECT_EQ(w.boxes[4], QStringLiteral("pin"));
    EXPECT_EQ(w.boxes[1], QStringLiteral("one"));
    EXPECT_EQ(w.caption, QStringLiteral("C76"));
    EXPECT_EQ(w.labels[6], QStringLiteral("C73"));
    EXPECT_EQ(w.place.left, 19200 / 2.0 - kEditorDesignWidth / 2.0);
    w.boxes[4] = QStringLiteral("new pin");
    w.place.left = 300;
    w.place.top = 400;
    editorCommand(editor, keys::Save3);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(w.hidden);
    EXPECT_EQ(t.groupLines(0)[0], QStringLiteral("one;-;http://1/;-;n;-;new pin;-;1;-;d"));
    EXPECT_EQ(t.placement.editor.left, 300);

    // The next opening stands where the last one was left.
    t.links.EditRow = 2;
    Form_Load(editor);
    EXPECT_EQ(w.place.left, 300);
    EXPECT_EQ(w.place.top, 400);
    EXPECT_TRUE(w.boxes[4].isEmpty());
    editorCommand(editor, keys::Cancel);
    for (int c = 0; c <= 6; ++c)
        EXPECT_TRUE(t.grid.text(2, c).isEmpty());
}

// What a kill in the middle of a save of a group and the title file leaves,
// the next start puts right: a change that was made is finished, one that
// was not is forgotten, and nothing written on the way stays behind.
TEST(LinkSaves, TheNextStartFinishesAMadeChangeAndForgetsAnUnmadeOne)
{
    TempFolder folder;
    folder.write("Links/Links.Bok", crlf({"Old,1"}));
    folder.write("Links/Links.007", crlf({"a;-;b;-;c;-;d;-;e;-;f"}));
    // Killed after the note: both new files go in.
    folder.write("Links/Links.007.new", crlf({"a;-;b;-;c;-;d;-;e;-;f", "g;-;h;-;i;-;j;-;k;-;l"}));
    folder.write("Links/Links.Bok.new", crlf({"Old,2"}));
    folder.write("Links/Links.Pair", crlf({"Links.007", "Links.Bok"}));
    folder.write("Links/Links.Bok.aB3dE9", "half a title file");
    recoverLinkSaves(folder.path());
    EXPECT_EQ(folder.read("Links/Links.007"), crlf({"a;-;b;-;c;-;d;-;e;-;f", "g;-;h;-;i;-;j;-;k;-;l"}));
    EXPECT_EQ(folder.read("Links/Links.Bok"), crlf({"Old,2"}));
    EXPECT_EQ(QDir(folder.file("Links")).entryList(QDir::Files), QStringList({"Links.007", "Links.Bok"}));

    // Killed before the note: the old pair stays.
    folder.write("Links/Links.007.new", crlf({"x;-;x;-;x;-;x;-;x;-;x"}));
    folder.write("Links/Links.Bok.new", crlf({"Old,3"}));
    LinkGroups links;
    Read_Links(folder.path(), links, kGroup);
    EXPECT_EQ(links.GroupTitles[1].count, "2");
    EXPECT_EQ(folder.read("Links/Links.Bok"), crlf({"Old,2"}));
    EXPECT_EQ(QDir(folder.file("Links")).entryList(QDir::Files), QStringList({"Links.007", "Links.Bok"}));
}
