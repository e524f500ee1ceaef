#include "addresses/Bookmark.h"
#include "browser/MainCommands.h"
#include "commands/CommandKeys.h"
#include "config/AppError.h"
#include "fakes/FakeProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

namespace {

struct Folder
{
    TempFolder folder;
};

struct Window : Folder, FakeProgram
{
    Window() : FakeProgram(folder.path())
    {
        window.setTabCount(2);
        ctx.main.TabURLs = QStringList(2, QString());
        window.current = 1;
        addMainWindowRows(ctx.dispatcher, main);
    }
    void click(const QString &key) { ctx.dispatcher.click(elements::StartMenus, key); }
};

} // namespace

TEST(Bookmark, PickStoresThePageShownAndGoOpensItWithoutHistory)
{
    Window w;
    w.click(keys::NavigateGo); // nothing stored yet: nothing happens
    EXPECT_FALSE(w.window.calls.join('\n').contains("navigate"));
    EXPECT_FALSE(w.window.calls.join('\n').contains("stop"));

    w.ctx.main.CurrentURL = QStringLiteral("http://first.example/");
    w.click(keys::NavigatePick);
    w.ctx.main.CurrentURL = QStringLiteral("http://second.example/");
    w.click(keys::NavigatePick);
    EXPECT_EQ(w.folder.read("Data/LorvaBook.bm"), QByteArray("http://second.example/\r\n"));

    w.window.list.boxText = QStringLiteral("typed but not opened");
    w.click(keys::NavigateGo);
    EXPECT_EQ(w.window.addressText(), QStringLiteral("http://second.example/"));
    const QString calls = w.window.calls.join('\n');
    EXPECT_LT(calls.indexOf("stop 1"), calls.indexOf("navigate 1 http://second.example/")) << qPrintable(calls);
    EXPECT_TRUE(w.window.list.items.isEmpty());
}

TEST(Bookmark, EmptyCasesAndAFailedSave)
{
    Window w;
    // No page yet: nothing is stored. An empty line puts an empty text in the box.
    w.click(keys::NavigatePick);
    EXPECT_FALSE(w.folder.exists("Data/LorvaBook.bm"));
    w.folder.write("Data/LorvaBook.bm", "\r\n");
    w.window.list.boxText = QStringLiteral("before");
    w.click(keys::NavigateGo);
    EXPECT_EQ(w.window.addressText(), QString());
    EXPECT_FALSE(w.window.calls.join('\n').contains("navigate"));

    w.folder.write("Data/LorvaBook.bm", "");
    EXPECT_EQ(Read_BookMark(w.folder.path()), std::nullopt);
    w.folder.write("Data/LorvaBook.bm", "http://caf\xe9.example/\r\nsecond line\r\n");
    EXPECT_EQ(Read_BookMark(w.folder.path()), QString::fromUtf8("http://caf\u00e9.example/"));

    w.folder.remove("Data");
    EXPECT_THROW(Save_BookMark(w.folder.path(), QStringLiteral("http://x/")), AppError);
}
