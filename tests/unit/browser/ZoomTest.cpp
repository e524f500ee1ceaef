#include "browser/Zoom.h"
#include "config/AppError.h"
#include "config/SiteZoom.h"
#include "fakes/FakeProgram.h"
#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;

TEST(ZoomFile, ReadsWhatIsWholeAndPassesOverDamagedLines)
{
    test::TempFolder folder;
    folder.write("Data/Zoom.txt", crlf({"example.com\t150", "Mixed.Example\t 67 ", "xn--bcher-kva.example\t200",
                                        "::1\t110", "no tab 125", "\t125", "two words\t125", "low.example\t10",
                                        "high.example\t900", "sign.example\t+125", "part.example\t12x",
                                        "hundred.example\t100", "\xff\xfe\x01binary\t", "example.com\t175"}) +
                                     "last.example\t80");
    const SiteZoom expected{{"example.com", 175}, {"mixed.example", 67}, {"xn--bcher-kva.example", 200},
                            {"::1", 110},         {"last.example", 80}};
    EXPECT_EQ(readSiteZoom(folder.path()), expected);
    folder.remove("Data/Zoom.txt");
    EXPECT_TRUE(readSiteZoom(folder.path()).isEmpty());
}

TEST(ZoomFile, IsWrittenWholeWithCrLfAndReadsBackTheSame)
{
    test::TempFolder folder;
    folder.write("Data/Zoom.txt", "old.example\t300\r\nmore.example\t50\r\n");
    const SiteZoom zoom{{"b.example", 125}, {"a.example", 33}, {"plain.example", 100}};
    saveSiteZoom(folder.path(), zoom);
    EXPECT_EQ(folder.read("Data/Zoom.txt"), crlf({"a.example\t33", "b.example\t125"}));
    EXPECT_EQ(QDir(folder.file("Data")).entryList(QDir::Files), QStringList{"Zoom.txt"});
    SiteZoom back = zoom;
    back.remove("plain.example");
    EXPECT_EQ(readSiteZoom(folder.path()), back);

    // A folder that is not there: the failure is told, nothing half written.
    folder.remove("Data");
    EXPECT_THROW(saveSiteZoom(folder.path(), zoom), AppError);
    EXPECT_FALSE(folder.exists("Data"));
}

TEST(ZoomFile, KeysStepTheSiteAndItsOtherTabsFollow)
{
    test::TempFolder folder;
    test::FakeProgram p(folder.path());
    p.ctx.language.Captions[kZoomCaption] = QStringLiteral("Zoom");
    p.window.setTabCount(3);
    p.window.views[0].location = QStringLiteral("http://Site.example:8080/a");
    p.window.views[1].location = QStringLiteral("https://site.example/b");
    p.window.views[2].location = QStringLiteral("http://other.example/");
    p.window.current = 0;

    Zoom_Page(p.main, 1);
    Zoom_Page(p.main, 1);
    EXPECT_EQ(p.window.statusText, QStringLiteral("Zoom: 125%"));
    EXPECT_EQ(p.window.views[1].zoomPercent, 125);
    EXPECT_EQ(p.window.views[2].zoomPercent, 100);
    EXPECT_EQ(folder.read("Data/Zoom.txt"), crlf({"site.example\t125"}));

    // A page of the site opened in another tab takes its level; a page of no
    // site is shown as it comes.
    Zoom_Follow(p.main, 2, QStringLiteral("http://site.example/c"));
    EXPECT_EQ(p.window.views[2].zoomPercent, 125);
    Zoom_Follow(p.main, 2, QStringLiteral("file:///tmp/page.html"));
    EXPECT_EQ(p.window.views[2].zoomPercent, 100);

    // The ends of the steps hold; back at 100 % the site has no line.
    for (int i = 0; i < 20; ++i)
        Zoom_Page(p.main, -1);
    EXPECT_EQ(p.window.views[0].zoomPercent, 25);
    Zoom_Page(p.main, 0);
    EXPECT_EQ(p.window.views[1].zoomPercent, 100);
    EXPECT_EQ(folder.read("Data/Zoom.txt"), QByteArray());
    EXPECT_EQ(nextZoomStep(120, 1), 125);
    EXPECT_EQ(nextZoomStep(120, -1), 110);
    EXPECT_EQ(nextZoomStep(500, 1), 500);
}
