#include "export/Pictures.h"
#include "support/ExportingProgram.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

namespace {

struct Picturing : ExportingProgram
{
    Picturing() : ExportingProgram(QStringLiteral("Slides"))
    {
        ctx.main.BarsShown = true;
        ctx.language.Captions[192] = QStringLiteral("Picture saved");
        ctx.language.Captions[216] = QStringLiteral("Slide");
        ctx.language.Captions[217] = QStringLiteral("was added to");
        ctx.language.Captions[239] = QStringLiteral("Failed: ");
        ctx.language.Captions[242] = QStringLiteral("Full.");
        ctx.language.Captions[108] = QStringLiteral("Saved as ");
        platform.screen = QImage(64, 40, QImage::Format_RGB32);
        platform.screen.fill(Qt::darkBlue);
        QDir(folder.path()).mkpath("Images");
    }

    // The main window as it must be after any of the commands.
    void expectRestored() const
    {
        EXPECT_TRUE(ctx.main.BarsShown);
        EXPECT_TRUE(window.applied.picStatVisible);
        EXPECT_FALSE(ctx.main.NoResize);
        EXPECT_EQ(window.opacity, 255);
        EXPECT_FALSE(window.busyPointer);
    }
};

} // namespace

TEST(PictureNames, KeepTheLastThreeDigitsAndNeverReplaceAnEarlierPicture)
{
    EXPECT_EQ(pictureName(0), QStringLiteral("Images/Lorva000.bmp"));
    EXPECT_EQ(pictureName(7), QStringLiteral("Images/Lorva007.bmp"));
    EXPECT_EQ(pictureName(10), QStringLiteral("Images/Lorva010.bmp"));
    EXPECT_EQ(pictureName(123), QStringLiteral("Images/Lorva123.bmp"));
    EXPECT_EQ(pictureName(1000), QStringLiteral("Images/Lorva000.bmp"));

    TempFolder folder;
    for (int n : {0, 1, 2, 998, 999})
        folder.write(pictureName(n), "x");
    EXPECT_EQ(freePictureNumber(folder.path(), 0), 3);
    EXPECT_EQ(freePictureNumber(folder.path(), 998), 3); // round the thousand
    for (int n = 3; n < 998; ++n)
        folder.write(pictureName(n), "x");
    EXPECT_EQ(freePictureNumber(folder.path(), 0), -1);
}

TEST(TakePic, SavesTheScreenAsTheNextFreeBitmapAndSaysWhere)
{
    Picturing p;
    p.folder.write("Images/Lorva000.bmp", "an earlier run's picture");
    Take_Pic(p.exports);
    ASSERT_TRUE(p.failures().isEmpty()) << qPrintable(p.failures().join('\n'));
    EXPECT_EQ(p.folder.read("Images/Lorva000.bmp"), QByteArray("an earlier run's picture"));
    QImage saved(p.folder.file("Images/Lorva001.bmp"), "BMP");
    EXPECT_EQ(saved.size(), QSize(64, 40));
    EXPECT_EQ(p.informations(), QStringList({"lorvaspeak|Picture saved: " + p.folder.file("Images/Lorva001.bmp")}));
    EXPECT_EQ(p.ctx.exports.pictureCounter, 2);
    // The picture was taken with the page covering the window.
    EXPECT_GT(p.platform.fakeWaits.waitedMs, 3000);
    p.expectRestored();
}

TEST(TakePic, AFullOrMissingFolderEndsInOneMessageAndLeavesTheCounter)
{
    Picturing full;
    for (int n = 0; n < 1000; ++n)
        full.folder.write(pictureName(n), "x");
    Take_Pic(full.exports);
    EXPECT_EQ(full.informations(), QStringList({"lorvaspeak|Full."}));
    EXPECT_EQ(full.ctx.exports.pictureCounter, 0);
    full.expectRestored();

    Picturing missing;
    missing.folder.remove("Images");
    Take_Pic(missing.exports);
    ASSERT_EQ(missing.failures().size(), 1);
    EXPECT_TRUE(missing.failures()[0].startsWith("Failed: ")) << qPrintable(missing.failures()[0]);
    EXPECT_TRUE(missing.informations().isEmpty());
    EXPECT_EQ(missing.ctx.exports.pictureCounter, 0);
    missing.expectRestored();
}

TEST(SaveAsP, TheMessageNamesTheSlideNumberWithItsSpace)
{
    Picturing p;
    p.platform.fakeOffice.result = {true, {}, 2};
    p.window.dialogs.saveAnswer = p.folder.file("show.ppt");
    SaveAsP(p.exports);
    EXPECT_TRUE(p.window.calls.contains("save Slides.ppt Microsoft Powerpoint(*.ppt)|*.ppt"));
    ASSERT_EQ(p.platform.fakeOffice.jobs.size(), 1u);
    EXPECT_EQ(p.platform.fakeOffice.jobs[0].kind, OfficeJob::Kind::Slide);
    EXPECT_EQ(p.informations(), QStringList({"lorvaspeak|Slide 2 was added to\r\n" + p.folder.file("show.ppt")}));
    p.expectRestored();

    Picturing untitled;
    untitled.view.title.clear();
    SaveAsP(untitled.exports);
    EXPECT_TRUE(untitled.window.calls.contains("save PPTDocument.ppt Microsoft Powerpoint(*.ppt)|*.ppt"));
}

TEST(SaveAsP, CancelAndFailuresRestoreTheWindow)
{
    Picturing cancelled;
    SaveAsP(cancelled.exports);
    EXPECT_TRUE(cancelled.platform.fakeOffice.jobs.empty());
    EXPECT_EQ(cancelled.platform.fakeOffice.cancelled, 1);
    EXPECT_TRUE(cancelled.informations().isEmpty());
    EXPECT_TRUE(cancelled.failures().isEmpty());
    cancelled.expectRestored();

    Picturing refused;
    refused.window.dialogs.saveAnswer = refused.folder.file("show.ppt");
    refused.platform.fakeOffice.result = {false, QStringLiteral("cannot open show.ppt"), 0};
    SaveAsP(refused.exports);
    EXPECT_EQ(refused.failures(), QStringList({"Failed: cannot open show.ppt"}));
    refused.expectRestored();
}

TEST(SaveArchive, ConfirmsOnlyAWrittenFileUnderItsRealName)
{
    Picturing p;
    p.window.dialogs.saveAnswer = p.folder.file("kept.mht");
    Save_Archive(p.exports);
    EXPECT_TRUE(p.window.calls.contains("save Slides.mht Web archive (*.mht)|*.mht"));
    EXPECT_TRUE(p.window.calls.contains("archive 0 " + p.folder.file("kept.mht")));
    EXPECT_EQ(p.informations(), QStringList({"lorvaspeak|Saved as " + p.folder.file("kept.mht")}));
    p.expectRestored();

    Picturing cancelled;
    Save_Archive(cancelled.exports);
    EXPECT_TRUE(cancelled.informations().isEmpty());
    EXPECT_FALSE(cancelled.window.calls.join(u'\n').contains("archive 0 "));
    cancelled.expectRestored();

    Picturing refused;
    refused.window.dialogs.saveAnswer = refused.folder.file("gone/kept.mht");
    refused.view.archiveError = QStringLiteral("the folder does not exist");
    Save_Archive(refused.exports);
    EXPECT_EQ(refused.failures(), QStringList({"Failed: the folder does not exist"}));
    EXPECT_TRUE(refused.informations().isEmpty());
    refused.expectRestored();
}

TEST(ViewSource, ReplacesDocTxtWithTheMarkupAndOpensIt)
{
    Picturing p;
    p.folder.write("doc.txt", "an older, longer file of another spelling");
    p.view.markup = QStringLiteral("<html><head></head><body>caff\u00E8</body></html>");
    View_Source(p.exports);
    EXPECT_EQ(p.folder.read("Doc.Txt"), QByteArray("<html><head></head><body>caff\xC3\xA8</body></html>"));
    EXPECT_FALSE(p.folder.exists("doc.txt"));
    EXPECT_EQ(p.window.calls.last(), "shell " + p.folder.file("Doc.Txt"));

    p.view.markup = QStringLiteral("<html></html>");
    View_Source(p.exports);
    EXPECT_EQ(p.folder.read("Doc.Txt"), QByteArray("<html></html>"));

    p.view.markup.clear(); // a page without a document
    View_Source(p.exports);
    EXPECT_EQ(p.failures().size(), 1);
}
