#pragma once

#include "config/Geometry.h"
#include "config/Placement.h"
#include "linktables/LinkGroups.h"

#include <QString>

#include <array>
#include <functional>

namespace lorva {

class CommandBars;
class Dialogs;
class Dispatcher;
class LinkGrid;
class Platform;
class WindowFrame;
struct Language;

// Where the parts of the link-table window stand, in twips.
struct TableLayout
{
    TwipsRect PicLab{0, 0, 14400, 380};
    TwipsRect Text1{3500, 30, 2500, 315};
    TwipsRect Label1{3500, 0, 2500, 260};
    TwipsRect lblMove{3500, 70, 10900, 300};
    TwipsRect bar[2] = {{0, 0, 13870, 375}, {13870, 0, 530, 375}};
    std::array<TwipsRect, kStrips> strip{};
    TwipsRect grid{180, 2040, 14050, 6840};
    std::array<int, 7> colWidth{400, 4000, 0, 2000, 1600, 4600, 1100};
};

// The window's own state: which strip and group are shown, the grid's
// current cell and where its selection ends, the revealed hidden text.
struct TableState
{
    int CurrentStrip = 0;
    int CurrentGroup = 0;
    int LinkCount = 0;
    int MinGridRows = 0;
    int RevealedRow = 0;
    bool RevealOn = false;
    QString TableFile;
    std::array<int, kStrips> selectedTab{}; // -1: no tab of that strip is selected
    int Row = 1;
    int Col = 1;
    int ColSel = 1;
    TableLayout layout;
};

// The page open in the main window, as an addition takes it.
struct CurrentPage
{
    QString title;
    QString url;
    QString addressText;
};

// What the link-table window's logic needs of the window itself.
class LinkTableWindow
{
public:
    virtual ~LinkTableWindow() = default;
    virtual void setStripCaption(int strip, int tab, const QString &caption) = 0;
    // Shows which tab of each strip is selected (-1: none).
    virtual void showSelectedTabs(const std::array<int, kStrips> &tabs) = 0;
    virtual void setGridVisible(bool visible) = 0;
    // Makes (row, column) the grid's current cell.
    virtual void setCurrentCell(int row, int column) = 0;
    virtual void setLabelText(const QString &text) = 0;
    // The title box: shown in light yellow with the keyboard focus, or hidden.
    virtual void openTitleBox() = 0;
    virtual void closeTitleBox() = 0;
    virtual QString titleBoxText() const = 0;
    virtual void setTitleBoxText(const QString &text) = 0;
    virtual int cellHeightTwips() const = 0;
    virtual void applyLayout(const TableLayout &layout) = 0;
    virtual void hideWindow() = 0;
};

// Designed size of the link-table window, in twips.
inline constexpr int kTableDesignWidth = 14400;
inline constexpr int kTableDesignHeight = 9000;

// What the link-table window and its logic work on: the values the program
// lends it for as long as it is loaded, and the window's own parts, which
// the window sets when it is made (a test sets fakes).
struct LinkTableContext
{
    const QString &programFolder;
    LinkGroups &links;
    Placement &placement;
    const Language &language;
    CommandBars &commands;
    Dispatcher &dispatcher;
    QString &ChosenLink;
    const QString &TodayText;
    Platform &platform;
    std::function<CurrentPage()> currentPage;
    // Shows the row editor over the window until it closes.
    std::function<void()> openRowEditor;

    LinkTableWindow *window = nullptr;
    WindowFrame *frame = nullptr;
    Dialogs *dialogs = nullptr;
    LinkGrid *grid = nullptr;
    TableState *state = nullptr;
};

// The operations of the link-table window. Those that write files throw
// AppError when a file cannot be written; the old file then stays whole.
void Form_Load(LinkTableContext &ctx);
void Form_Resize(LinkTableContext &ctx);
void GO_SetImg(LinkTableContext &ctx);
void GO_Grid(LinkTableContext &ctx);
void Column_Titles(LinkTableContext &ctx);
void Load_Group(LinkTableContext &ctx);
void Read_Table(LinkTableContext &ctx);
void Save_Table(LinkTableContext &ctx);
void Save_Title(LinkTableContext &ctx);
// A group title being edited becomes the current group's title.
void takeEditedTitle(LinkTableContext &ctx);
void ADD_Tab(LinkTableContext &ctx);
void Edit_URL(LinkTableContext &ctx);
void GO_Exit(LinkTableContext &ctx);

// The user's actions. Failures to write are shown in the window's failure
// message and leave the window usable.
void tableCommand(LinkTableContext &ctx, const QString &key);
void stripSelected(LinkTableContext &ctx, int strip, int tab);
// The grid's current cell moved (column 0 stands for the row header: the
// whole row is selected).
void gridCurrentChanged(LinkTableContext &ctx, int row, int column);
void GridList_Click(LinkTableContext &ctx);
void GridList_DblClick(LinkTableContext &ctx);
void titleBoxEnter(LinkTableContext &ctx);
void Form_QueryUnload(LinkTableContext &ctx);

} // namespace lorva
