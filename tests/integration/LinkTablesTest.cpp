// The link-table window and the row editor, opened from the real main window
// and driven through the X server as a person does.
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "linktables/frmTab.h"
#include "support/MainWindowFixture.h"
#include "windows/frmEDit.h"

#include <QHeaderView>
#include <QTableView>
#include <QToolBar>

using namespace lorva;
using namespace lorva::test;

namespace {

template <typename W>
W *shown(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return qobject_cast<W *>(w);
    }
    return nullptr;
}

QPoint buttonOf(CommandBarView *bar, const QString &key)
{
    return Person::at(bar->toolBar()->widgetForAction(bar->actionsOf(key).first()));
}

class LinkTables : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        // Group 0 holds two links already; the second has a hidden text.
        folder.write("Links/Links.Bok", crlf({"Mine,2"}));
        folder.write("Links/Links.000",
                     crlf({"beta site;-;http://127.0.0.1:1/beta;-;;-;;-;beta;-;2026-01-01",
                           "Alpha site;-;http://127.0.0.1:1/alpha;-;;-;s3cret;-;alpha;-;2026-01-02"}));
        MainWindowFixture::SetUp();
        ASSERT_TRUE(waitUntil([&] { return ctx->startupTailDone; }, 5000));
    }

    // Clicks "FAVORITE" and waits, aside, for the table to show.
    frmTab *openTable()
    {
        frmTab *table = nullptr;
        QPoint favorite;
        Person::onMain([&] { favorite = buttonOf(window->cmdBar(0), keys::Favorite); });
        person.click(favorite);
        Person::waitFor([&] { return (table = shown<frmTab>("frmTab")) != nullptr; }, 5000);
        return table;
    }

    // The middle of a grid cell on the screen (grid row r, column c).
    static QPoint cell(frmTab *table, int row, int column)
    {
        QPoint at;
        Person::onMain([&] {
            QTableView *grid = table->gridView();
            const QRect r = grid->visualRect(table->grid().index(row - 1, column));
            at = grid->viewport()->mapToGlobal(r.center());
        });
        return at;
    }

    static QString text(frmTab *table, int row, int column)
    {
        QString out;
        Person::onMain([&] { out = table->grid().text(row, column); });
        return out;
    }
};

} // namespace

TEST_F(LinkTables, APersonAddsRevealsSortsEditsAndOpensALink)
{
    server.addPage("/zebra", page("Zebra page"));
    type(server.url("/zebra"));
    ASSERT_TRUE(waitForLoad(0, server.url("/zebra")));
    server.addPage("/alpha", page("Alpha"));

    QString added, revealed, sortedFirst, editorHidden;
    bool editorShown = false, tableClosed = false, editorEscaped = false, tableEscaped = false;
    person.aside([&] {
        frmTab *table = openTable();
        if (!table)
            return;
        // The current page joins the group, sorted in by title at once.
        QPoint add;
        Person::onMain([&] { add = buttonOf(table->bar(0), keys::AddUrl); });
        person.click(add);
        // Saved sorted by title with case: "Alpha site", "Zebra page", "beta site".
        Person::waitFor([&] { return table->grid().text(2, 1) == "Zebra page"; });
        added = text(table, 2, 1);

        person.click(cell(table, 1, 4)); // Alpha's masked hidden text
        revealed = text(table, 1, 4);

        // The row number opens the row editor with the real hidden text.
        person.xdotool({"mousemove", QString::number(cell(table, 1, 0).x()), QString::number(cell(table, 1, 0).y())});
        person.xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
        frmEDit *editor = nullptr;
        editorShown = Person::waitFor([&] { return (editor = shown<frmEDit>("frmEDit")) != nullptr; }, 5000);
        if (!editorShown)
            return;
        Person::onMain([&] { editorHidden = editor->box(4)->text(); });
        QPoint note, save;
        Person::onMain([&] {
            note = Person::at(editor->box(3));
            save = buttonOf(editor->bar(), keys::Save3);
        });
        person.click(note);
        person.type("my favourite");
        person.click(save);
        Person::waitFor([&] { return !shown<frmEDit>("frmEDit"); });
        // Opened again, the editor leaves with Escape, the row as it was.
        person.xdotool({"mousemove", QString::number(cell(table, 1, 0).x()), QString::number(cell(table, 1, 0).y())});
        person.xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
        if (Person::waitFor([&] { return shown<frmEDit>("frmEDit") != nullptr; }, 5000)) {
            person.key("Escape");
            editorEscaped = Person::waitFor([&] { return !shown<frmEDit>("frmEDit"); });
        }
        if (!editorEscaped)
            return;

        // Sorting by title, case-insensitively: "Alpha site", "beta site", "Zebra page".
        person.click(cell(table, 2, 1));
        QPoint sort;
        Person::onMain([&] { sort = buttonOf(table->bar(0), keys::Sort); });
        person.click(sort);
        sortedFirst = text(table, 1, 1) + '|' + text(table, 2, 1) + '|' + text(table, 3, 1);

        // A double-click on the title opens the link in the main window.
        Person::onMain([&] { table->grid().setText(1, 2, server.url("/alpha")); });
        const QPoint title = cell(table, 1, 1);
        person.xdotool({"mousemove", QString::number(title.x()), QString::number(title.y())});
        person.xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
        tableClosed = Person::waitFor([&] { return !shown<frmTab>("frmTab"); }, 5000);
        if (tableClosed && openTable()) {
            person.key("Escape");
            tableEscaped = Person::waitFor([&] { return !shown<frmTab>("frmTab"); });
        }
    });
    EXPECT_TRUE(editorEscaped) << "Escape left the row editor open";
    EXPECT_TRUE(tableEscaped) << "Escape left the link table open";
    EXPECT_EQ(added, "Zebra page");
    EXPECT_EQ(revealed, "s3cret");
    EXPECT_TRUE(editorShown);
    EXPECT_EQ(editorHidden, "s3cret");
    EXPECT_EQ(sortedFirst, "Alpha site|beta site|Zebra page");
    ASSERT_TRUE(tableClosed);
    EXPECT_TRUE(waitForLoad(0, server.url("/alpha")));
    EXPECT_TRUE(window->Text1()->findText(server.url("/alpha")) < 0) << "a chosen link enters no history";

    const QString file = QString::fromUtf8(folder.read("Links/Links.000"));
    EXPECT_TRUE(file.contains("Alpha site;-;http://127.0.0.1:1/alpha;-;my favourite;-;s3cret;-;alpha")) << qPrintable(file);
    EXPECT_TRUE(file.contains("Zebra page;-;" + server.url("/zebra")));
    EXPECT_TRUE(folder.read("Links/Links.Bok").startsWith("Mine, 3\r\n"));
}

TEST_F(LinkTables, TheTableReopensWhereItWasLeftAfterARestart)
{
    QRect before;
    person.aside([&] {
        frmTab *table = openTable();
        if (!table)
            return;
        QPoint from, first;
        Person::onMain([&] {
            from = table->mapToGlobal(QPoint(table->width() - 60, 12));
            first = table->frameGeometry().topLeft();
        });
        person.drag(from, from + QPoint(-90, 70));
        Person::waitFor([&] { return table->frameGeometry().topLeft() != first; });
        QPoint exit;
        Person::onMain([&] {
            before = table->frameGeometry();
            exit = buttonOf(table->bar(1), keys::Exit6);
        });
        person.click(exit);
        Person::waitFor([&] { return !shown<frmTab>("frmTab"); });
    });
    ASSERT_FALSE(before.isNull());
    stop();
    const QStringList lines = QString::fromUtf8(folder.read("Data/Lorvaspeak.Ini")).split("\r\n");
    ASSERT_GE(lines.size(), 13);
    EXPECT_EQ(lines[4].trimmed().toInt(), before.top() * 15);
    EXPECT_EQ(lines[5].trimmed().toInt(), before.left() * 15);

    start();
    ASSERT_TRUE(waitUntil([&] { return ctx->startupTailDone; }, 5000));
    QRect after;
    person.aside([&] {
        frmTab *table = openTable();
        if (!table)
            return;
        QPoint exit;
        Person::onMain([&] {
            after = table->frameGeometry();
            exit = buttonOf(table->bar(1), keys::Exit6);
        });
        person.click(exit);
        Person::waitFor([&] { return !shown<frmTab>("frmTab"); });
    });
    EXPECT_EQ(after.topLeft(), before.topLeft());
}
