// Feeds arbitrary bytes to the reader of a link group's file, with a count
// taken from the input's first byte pair: the grid never grows past what a
// count can say, and a save and a read give the same links again.
#include "commands/CommandBars.h"
#include "commands/Dispatcher.h"
#include "config/Language.h"
#include "linktables/LinkFiles.h"
#include "linktables/LinkGrid.h"
#include "linktables/LinkTable.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include "FuzzFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Window : lorva::LinkTableWindow
{
    void setStripCaption(int, int, const QString &) override {}
    void showSelectedTabs(const std::array<int, lorva::kStrips> &) override {}
    void setGridVisible(bool) override {}
    void setCurrentCell(int, int) override {}
    void setLabelText(const QString &) override {}
    void openTitleBox() override {}
    void closeTitleBox() override {}
    QString titleBoxText() const override { return {}; }
    void setTitleBoxText(const QString &) override {}
    int cellHeightTwips() const override { return 240; }
    void applyLayout(const lorva::TableLayout &) override {}
    void hideWindow() override {}
};

struct NoDialogs : lorva::Dialogs
{
    void failure(const QString &, int) override { std::abort(); }
    void information(const QString &, const QString &) override {}
    bool question(const QString &) override { return false; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileNameAsking(const QString &, const QString &) override { return {}; }
};

QList<QStringList> links(const lorva::LinkGrid &grid, int count)
{
    QList<QStringList> out;
    for (int r = 1; r <= count && r < grid.rows(); ++r) {
        if (grid.text(r, 1).isEmpty())
            continue;
        QStringList row;
        for (int c = 1; c <= 6; ++c)
            row << (c == 4 ? grid.hidden(r) : grid.text(r, c));
        out << row;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QString &path = lorva::fuzz::folder("Links");
    const int count = (data[0] << 8 | data[1]) % 2000; // counts up to 32767 are tested by the unit tests
    lorva::fuzz::writeInput(path + "/Links/Links.000", data + 2, size - 2);
    const QByteArray titles = "Group," + QByteArray::number(count) + "\r\n";
    lorva::fuzz::writeInput(path + "/Links/Links.Bok", reinterpret_cast<const uint8_t *>(titles.constData()),
                            size_t(titles.size()));
    lorva::LinkGroups groups;
    lorva::Read_Links(path, groups, QStringLiteral(" Group"));
    lorva::Placement placement;
    lorva::Language language;
    lorva::CommandBars commands;
    QString chosen, today;
    NoDialogs dialogs;
    lorva::LinkGrid grid;
    lorva::TableState state;
    Window window;
    // Never used here: the reader and writer reach no platform.
    alignas(lorva::Platform) static char noPlatform[sizeof(void *) * 4];
    lorva::Dispatcher dispatcher;
    lorva::LinkTableContext ctx{path,  groups, placement, language, commands, dispatcher, chosen, today,
                                *reinterpret_cast<lorva::Platform *>(noPlatform),
                                {},    {},     &window,   nullptr,  &dialogs, &grid,      &state};
    state.TableFile = lorva::TableFile(path, 0);
    state.MinGridRows = 10;
    lorva::Read_Table(ctx);
    if (grid.rows() > count + 1 && grid.rows() > state.MinGridRows)
        std::abort();
    QList<QStringList> before = links(grid, state.LinkCount);
    lorva::Save_Table(ctx);
    lorva::Read_Table(ctx);
    QList<QStringList> after = links(grid, state.LinkCount);
    // The save sorts by title and defuses separators; compare as sets of
    // what the file can hold.
    for (QStringList &row : before) {
        const QString fields[6] = {row[0], row[1], row[2], row[3], row[4], row[5]};
        const lorva::LinkLine line = lorva::parseLinkLine(lorva::formatLinkLine(fields));
        row = QStringList(std::begin(line.fields), std::end(line.fields));
    }
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    if (before != after)
        std::abort();
    return 0;
}
