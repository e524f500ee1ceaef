// Speed of the link tables: opening the link-table window, reading and
// showing a group of 32,767 links, and saving it. Prints medians of 7 runs.
#include "commands/CommandBars.h"
#include "commands/Dispatcher.h"
#include "commands/ImageList.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "fakes/FakePlatform.h"
#include "linktables/LinkFiles.h"
#include "linktables/frmTab.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace lorva;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(const QElapsedTimer &clock) { return double(clock.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    useIconThemes();
    test::TempFolder folder;
    const QString path = folder.path();
    // Group 1 holds 32,767 links with every field filled.
    QByteArray big;
    for (int i = 0; i < 32767; ++i)
        big += "Link number " + QByteArray::number(32767 - i) + ";-;https://example.org/page/" + QByteArray::number(i) +
               ";-;a note;-;hidden " + QByteArray::number(i) + ";-;https://example.org/page/" +
               QByteArray::number(i) + ";-;2026-03-07\r\n";
    folder.write("Links/Links.001", big);
    QByteArray titles = " 1 Group,0\r\nBig,32767\r\n";
    folder.write("Links/Links.Bok", titles);

    Language language;
    language.Captions[34] = QStringLiteral(" Group");
    LinkGroups links;
    Read_Links(path, links, language.Captions[34]);
    Placement placement;
    CommandBars commands;
    ImageList images;
    Make_Menus(commands, images, {}, {}, 5000);
    Dispatcher dispatcher;
    QString chosen, today = QStringLiteral("2026-03-07");
    QStringList calls;
    test::FakePlatform platform(&calls);

    std::vector<double> open, shown, saved;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        frmTab table(LinkTableContext{path, links, placement, language, commands, dispatcher, chosen, today, platform,
                                     [] { return CurrentPage{}; }, {}});
        table.load();
        table.show();
        if (!QTest::qWaitForWindowExposed(&table))
            return 1;
        QCoreApplication::processEvents();
        open.push_back(ms(clock));

        clock.restart();
        stripSelected(table.context(), 0, 1);
        table.gridView()->viewport()->repaint();
        QCoreApplication::processEvents();
        shown.push_back(ms(clock));
        if (table.grid().text(32767, 1).isEmpty())
            return 1;

        clock.restart();
        Save_Table(table.context());
        saved.push_back(ms(clock));
        Read_Table(table.context());
        table.hide();
    }
    std::printf("link-table window opened and shown: median %6.1f ms (target 200)\n", median(open));
    std::printf("group of 32,767 links read and shown: median %6.1f ms (target 150)\n", median(shown));
    std::printf("group of 32,767 links saved:          median %6.1f ms (target 100)\n", median(saved));
    return 0;
}
