#include "linktables/LinkTable.h"

#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "linktables/LinkFiles.h"
#include "linktables/LinkGrid.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/WindowFrame.h"

#include <QFileInfo>

#include <cmath>

namespace lorva {

namespace {

constexpr int kStripRowHeight = 230; // one strip's row of tabs
constexpr int kMaxLinks = 32767;
constexpr int kCloseCaption = 210; // "Close"

const QString &caption(const LinkTableContext &ctx, int n) { return ctx.language.Captions[size_t(n)]; }

int countOf(const LinkTableContext &ctx, int group) { return linkCountOf(ctx.links.GroupTitles[size_t(group + 1)]); }

void gridRowsForCount(LinkTableContext &ctx)
{
    const TableState &s = *ctx.state;
    ctx.grid->setRows(s.LinkCount < s.MinGridRows ? s.MinGridRows : s.LinkCount + 1);
}

// Runs `work`; a file that could not be written is shown in the window's
// failure message, and the grid is shown again.
void reported(LinkTableContext &ctx, const std::function<void()> &work)
{
    try {
        work();
    } catch (const AppError &error) {
        ctx.window->setGridVisible(true);
        ctx.dialogs->failure(error.message());
    }
}

void selectGroup(LinkTableContext &ctx, int group)
{
    ctx.state->CurrentGroup = group;
    ctx.state->TableFile = TableFile(ctx.programFolder, group);
}

void layoutStrips(TableLayout &l, int stripWidth, int strip0Height)
{
    for (int k = kStrips - 1; k >= 0; --k) {
        TwipsRect &r = l.strip[size_t(k)];
        r.left = 100;
        r.top = k == kStrips - 1 ? l.PicLab.height + 50 : l.strip[size_t(k + 1)].top + kStripRowHeight;
        r.width = stripWidth;
        r.height = k == 0 ? strip0Height : kStripRowHeight;
    }
}

void layoutWidth(TableLayout &l, int innerWidth, int innerHeight)
{
    l.PicLab.width = innerWidth;
    l.bar[1].left = innerWidth - l.bar[1].width;
    l.bar[0].width = innerWidth - l.bar[1].width;
    layoutStrips(l, innerWidth - 250, innerHeight - 1900);
    l.grid = {100, 2040, l.strip[0].width - 10, l.strip[0].height - 260};
    int others = 300;
    for (int c : {0, 1, 2, 3, 4, 6})
        others += l.colWidth[size_t(c)];
    l.colWidth[5] = qMax(0, l.grid.width - others);
    l.lblMove.width = innerWidth - l.lblMove.left;
}

void masked(LinkTableContext &ctx, int row)
{
    if (!ctx.grid->hidden(row).isEmpty())
        ctx.grid->setText(row, 4, kMask);
}

} // namespace

void Form_Load(LinkTableContext &ctx)
{
    TableState &s = *ctx.state;
    LinkTableWindow &w = *ctx.window;
    const WindowFrame &frame = *ctx.frame;
    ctx.links.TablesLoaded = false;
    w.closeTitleBox();
    s.CurrentStrip = 0;
    s.layout.PicLab.left = 0;
    Load_Group(ctx);

    // The exit buttons close this window only, not the program.
    ctx.commands.setToolTip(keys::Exit6, caption(ctx, kCloseCaption));
    const std::pair<const QString &, int> tips[] = {
        {keys::Exit5, kCloseCaption}, {keys::AddUrl, 75}, {keys::EditUrl, 76}, {keys::GoUrl, 78},
        {keys::Sort, 81},             {keys::Save2, 82},  {keys::Help2, 83},   {keys::Title, 77},
        {keys::Search, 84}};
    for (const auto &[key, n] : tips)
        ctx.commands.setToolTip(key, caption(ctx, n));
    s.layout.bar[1].width = 530;
    s.layout.bar[0].left = 0;

    s.layout.Text1 = {3500, 30, 2500, s.layout.Text1.height};
    s.layout.lblMove.top = 70;
    s.layout.lblMove.left = s.layout.Text1.left;

    WindowPlace &place = ctx.placement.table;
    if (place.neverPlaced()) {
        place.height = kTableDesignHeight;
        place.width = kTableDesignWidth;
        place.top = frame.screenHeightTwips() / 2.0 - place.height / 2;
        place.left = frame.screenWidthTwips() / 2.0 - place.width / 2;
    }
    // The parts stand as designed until the window is wide enough to follow it.
    layoutWidth(s.layout, kTableDesignWidth, kTableDesignHeight);
    ctx.frame->placeWindow(keepOnScreen(place, frame.screenWidthTwips(), frame.screenHeightTwips()));

    const int cell = qMax(1, w.cellHeightTwips());
    s.MinGridRows = int(std::floor(frame.screenHeightTwips() / double(cell) * 0.75));
    ctx.grid->setRows(s.MinGridRows);

    GO_SetImg(ctx);
    Read_Place(ctx.programFolder, ctx.placement, frame.screenWidthTwips(), frame.screenHeightTwips());
    w.setLabelText(caption(ctx, 33));

    s.selectedTab.fill(-1);
    s.selectedTab[0] = 0;
    w.showSelectedTabs(s.selectedTab);
    selectGroup(ctx, 0);
    GO_Grid(ctx);
    Read_Table(ctx);
    Form_Resize(ctx);
    ctx.links.TablesLoaded = true;
}

void GO_SetImg(LinkTableContext &ctx)
{
    TableLayout &l = ctx.state->layout;
    l.Text1.top = l.PicLab.height / 2 - l.Text1.height / 2 - 20;
    l.Label1.width = 2500;
    layoutStrips(l, l.strip[0].width ? l.strip[0].width : kTableDesignWidth - 250,
                 l.strip[0].height ? l.strip[0].height : kTableDesignHeight - 1900);
    ctx.state->selectedTab.fill(-1);
    ctx.state->selectedTab[0] = 0;
    ctx.window->showSelectedTabs(ctx.state->selectedTab);
    l.Label1.top = l.Text1.top + 40;
    l.grid.left = 180;
    ctx.window->applyLayout(l);
}

void GO_Grid(LinkTableContext &ctx)
{
    // Widths are in the layout; alignments are the grid model's.
    ctx.window->applyLayout(ctx.state->layout);
}

void Column_Titles(LinkTableContext &ctx)
{
    for (int c = 0; c < kGridColumns; ++c) {
        if (c == 2)
            continue;
        ctx.grid->setText(0, c, caption(ctx, c == 6 ? 73 : 64 + c));
    }
}

void Form_Resize(LinkTableContext &ctx)
{
    LinkTableWindow &w = *ctx.window;
    const WindowFrame &frame = *ctx.frame;
    if (frame.innerWidthTwips() < 13400 || frame.minimized())
        return;
    layoutWidth(ctx.state->layout, frame.innerWidthTwips(), frame.innerHeightTwips());
    w.applyLayout(ctx.state->layout);
}

void Load_Group(LinkTableContext &ctx)
{
    for (int s = 0; s < kStrips; ++s) {
        for (int t = 0; t < kTabsPerStrip; ++t)
            ctx.window->setStripCaption(s, t, ctx.links.GroupTitles[size_t(kTabsPerStrip * s + t + 1)].title);
    }
}

void Read_Table(LinkTableContext &ctx)
{
    TableState &s = *ctx.state;
    LinkGrid &grid = *ctx.grid;
    grid.beginBulk();
    grid.clear();
    Column_Titles(ctx);
    s.LinkCount = countOf(ctx, s.CurrentGroup);
    gridRowsForCount(ctx);
    // Only as many lines as the count says are read, however large the file.
    const std::optional<QStringList> lines =
        QFileInfo::exists(s.TableFile) ? legacy::readTextLines(s.TableFile, s.LinkCount, legacy::kLongLineBytes)
                                       : std::nullopt;
    if (lines) {
        for (int r = 1; r <= s.LinkCount && r <= lines->size(); ++r) {
            const LinkLine line = parseLinkLine(lines->at(r - 1));
            if (!line.valid)
                continue;
            grid.setText(r, 0, QString::number(r));
            for (int c = 1; c <= 6; ++c)
                grid.setText(r, c, line.fields[c - 1]);
            grid.setHidden(r, line.fields[3]);
            masked(ctx, r);
        }
    }
    grid.endBulk();
    ctx.window->setGridVisible(true);
}

void Save_Table(LinkTableContext &ctx)
{
    TableState &s = *ctx.state;
    LinkGrid &grid = *ctx.grid;
    s.LinkCount = countOf(ctx, s.CurrentGroup);
    ctx.window->setGridVisible(false);
    grid.setRows(s.LinkCount + 1);
    const std::vector<int> moved = grid.sortRows(1, s.LinkCount, 1, Qt::CaseSensitive);
    if (s.RevealedRow >= 1 && s.RevealedRow <= s.LinkCount && !moved.empty())
        s.RevealedRow = moved[size_t(s.RevealedRow - 1)];

    QStringList lines;
    int count = countOf(ctx, s.CurrentGroup);
    for (int r = 1; r <= s.LinkCount; ++r) {
        if (grid.text(r, 1).isEmpty()) {
            --count;
            continue;
        }
        const QString fields[6] = {grid.text(r, 1), grid.text(r, 2), grid.text(r, 3),
                                   grid.hidden(r),  grid.text(r, 5), grid.text(r, 6)};
        lines << formatLinkLine(fields);
    }
    GroupTitle &entry = ctx.links.GroupTitles[size_t(s.CurrentGroup + 1)];
    if (count != countOf(ctx, s.CurrentGroup))
        entry.count = QString::number(count);
    ctx.links.TableChanged = false;
    takeEditedTitle(ctx);
    // The group's rows and its count in the title file change together: a
    // count that disagrees with its file would hide a link or show a stranger.
    writeGroupAndTitles(ctx.programFolder, s.TableFile, lines, ctx.links);
}

void takeEditedTitle(LinkTableContext &ctx)
{
    LinkGroups &links = ctx.links;
    if (links.EditedTitle.isEmpty())
        return;
    links.GroupTitles[size_t(ctx.state->CurrentGroup + 1)].title = links.EditedTitle;
    links.EditedTitle.clear();
    links.TitleEditOpen = false;
    Load_Group(ctx);
}

void Save_Title(LinkTableContext &ctx)
{
    takeEditedTitle(ctx);
    writeTitleFile(ctx.programFolder, ctx.links);
}

void ADD_Tab(LinkTableContext &ctx)
{
    const CurrentPage page = ctx.currentPage();
    const QString title = linkFieldText(page.title);
    if (title.isEmpty())
        return;
    TableState &s = *ctx.state;
    LinkGrid &grid = *ctx.grid;
    for (int r = 1; r <= s.LinkCount; ++r) {
        if (grid.text(r, 1) == title)
            return;
    }
    // A group holds at most as many links as its count can say.
    if (s.LinkCount >= kMaxLinks)
        return;
    ++s.LinkCount;
    if (s.LinkCount >= grid.rows())
        grid.setRows(s.LinkCount + 1);
    const int r = s.LinkCount;
    grid.setText(r, 0, QString::number(r));
    grid.setText(r, 1, title);
    grid.setText(r, 2, linkAddressText(page.url));
    grid.setText(r, 3, QString());
    grid.setText(r, 4, QString());
    grid.setHidden(r, QString());
    QString shown = page.addressText;
    if (shown.size() > 100)
        shown = shown.left(100) + QStringLiteral("..");
    grid.setText(r, 5, linkFieldText(shown));
    grid.setText(r, 6, ctx.TodayText);
    ctx.links.GroupTitles[size_t(s.CurrentGroup + 1)].count = u' ' + QString::number(s.LinkCount);
}

void Edit_URL(LinkTableContext &ctx)
{
    ctx.links.EditRow = qint16(qBound(0, ctx.state->Row, kMaxLinks));
    if (ctx.openRowEditor)
        ctx.openRowEditor();
    masked(ctx, ctx.links.EditRow);
    reported(ctx, [&] {
        Save_Table(ctx);
        Read_Table(ctx);
    });
    ctx.links.EditRow = 0;
}

void GO_Exit(LinkTableContext &ctx)
{
    ctx.placement.table = ctx.frame->windowPlace();
    reported(ctx, [&] { Save_Title(ctx); });
    ctx.window->hideWindow();
}

void Form_QueryUnload(LinkTableContext &ctx) { GO_Exit(ctx); }

void tableCommand(LinkTableContext &ctx, const QString &key)
{
    TableState &s = *ctx.state;
    if (key == keys::Exit5 || key == keys::Exit6) {
        if (ctx.links.TableChanged) {
            ctx.links.TableChanged = false;
            if (ctx.dialogs->question(caption(ctx, 101)))
                reported(ctx, [&] { Save_Table(ctx); });
        }
        GO_Exit(ctx);
    } else if (key == keys::AddUrl) {
        reported(ctx, [&] {
            ADD_Tab(ctx);
            selectGroup(ctx, s.CurrentGroup);
            Save_Table(ctx);
            Read_Table(ctx);
        });
    } else if (key == keys::EditUrl) {
        Edit_URL(ctx);
    } else if (key == keys::GoUrl) {
        ctx.ChosenLink = ctx.grid->text(s.Row, 2);
        GO_Exit(ctx);
    } else if (key == keys::Sort) {
        // The column the user picked; a whole row picked (from its number)
        // sorts by title.
        const int column = s.Col == s.ColSel && s.Col >= 1 && s.Col < kGridColumns ? s.Col : 1;
        s.Col = s.ColSel = column;
        ctx.grid->setRows(s.LinkCount + 1);
        const std::vector<int> moved = ctx.grid->sortRows(1, s.LinkCount, column, Qt::CaseInsensitive);
        // The revealed text went with its row.
        if (s.RevealedRow >= 1 && s.RevealedRow <= s.LinkCount && !moved.empty())
            s.RevealedRow = moved[size_t(s.RevealedRow - 1)];
        ctx.grid->beginBulk();
        for (int r = 1; r <= s.LinkCount; ++r)
            ctx.grid->setText(r, 0, QString::number(r));
        gridRowsForCount(ctx);
        ctx.grid->endBulk();
        ctx.window->setCurrentCell(qMin(s.Row, ctx.grid->rows() - 1), column);
    } else if (key == keys::Save2) {
        reported(ctx, [&] {
            Save_Table(ctx);
            Read_Table(ctx);
        });
    } else if (key == keys::Help2) {
        const QString help = legacy::resolvePath(
            ctx.programFolder, QStringLiteral("Data/LorvaGOTab") + ctx.language.LangCode + QStringLiteral(".pdf"));
        ctx.platform.desktop->open(help);
    } else if (key == keys::Title) {
        if (!ctx.links.TitleEditOpen) {
            ctx.links.TitleEditOpen = true;
            ctx.links.EditedTitle.clear();
            ctx.window->setTitleBoxText(QString());
            ctx.window->openTitleBox();
        } else {
            if (!ctx.window->titleBoxText().isEmpty())
                reported(ctx, [&] { Save_Title(ctx); });
            ctx.links.TitleEditOpen = false;
            ctx.window->closeTitleBox();
        }
    }
}

void stripSelected(LinkTableContext &ctx, int strip, int tab)
{
    if (!ctx.links.TablesLoaded || strip < 0 || strip >= kStrips || tab < 0 || tab >= kTabsPerStrip)
        return;
    TableState &s = *ctx.state;
    s.CurrentStrip = strip;
    s.selectedTab.fill(-1);
    s.selectedTab[size_t(strip)] = tab;
    ctx.window->showSelectedTabs(s.selectedTab);
    selectGroup(ctx, tab + kTabsPerStrip * strip);
    Read_Table(ctx);
}

void gridCurrentChanged(LinkTableContext &ctx, int row, int column)
{
    TableState &s = *ctx.state;
    s.Row = qMax(1, row);
    if (column <= 0) {
        s.Col = 1;
        s.ColSel = 6;
    } else {
        s.Col = s.ColSel = qMin(column, kGridColumns - 1);
    }
}

void GridList_Click(LinkTableContext &ctx)
{
    TableState &s = *ctx.state;
    if (s.Col != 4 || s.ColSel != 4)
        return;
    const int r = s.Row;
    LinkGrid &grid = *ctx.grid;
    if (grid.hidden(r).isEmpty())
        return;
    if (r != s.RevealedRow) {
        // Only a row that has a hidden text wears the mask.
        if (s.RevealedRow > 0)
            masked(ctx, s.RevealedRow);
        s.RevealedRow = r;
        s.RevealOn = true;
        grid.setText(r, 4, grid.hidden(r));
    } else if (s.RevealOn) {
        s.RevealOn = false;
        grid.setText(r, 4, kMask);
    } else {
        s.RevealOn = true;
        grid.setText(r, 4, grid.hidden(r));
    }
}

void GridList_DblClick(LinkTableContext &ctx)
{
    TableState &s = *ctx.state;
    if (s.Col == 1 && s.ColSel == 6) {
        Edit_URL(ctx);
    } else if (s.Col == 1 || s.Col == 5) {
        ctx.ChosenLink = ctx.grid->text(s.Row, 2);
        GO_Exit(ctx);
    }
}

void titleBoxEnter(LinkTableContext &ctx)
{
    LinkGroups &links = ctx.links;
    TableState &s = *ctx.state;
    const QString text = groupTitleText(ctx.window->titleBoxText());
    if (text.isEmpty()) {
        links.EditedTitle.clear();
        links.GroupTitles[size_t(s.CurrentGroup + 1)].title.clear();
    }
    links.EditedTitle = text;
    const int tab = s.selectedTab[size_t(s.CurrentStrip)];
    if (tab >= 0)
        ctx.window->setStripCaption(s.CurrentStrip, tab, links.EditedTitle);
    ctx.window->closeTitleBox();
    links.TitleEditOpen = false;
    reported(ctx, [&] { Save_Title(ctx); });
    ctx.window->setTitleBoxText(QString());
}

} // namespace lorva
