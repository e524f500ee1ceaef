// Screen pictures, slides, web archives and page source of the real window,
// with real LibreOffice.
#include "browser/MainWindowLogic.h"
#include "commands/CommandKeys.h"
#include "export/Pictures.h"
#include "support/ExportFixture.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace lorva;
using namespace lorva::test;

TEST_F(Exports, TwoSlidesToOnePresentationEachHoldTheScreen)
{
    exportAs(keys::SavePpt, "Show.ppt");
    exportAs(keys::SavePpt, "Show.ppt");
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join('\n'));
    const auto &C = ctx->language.Captions;
    EXPECT_EQ(script.informations[0], C[216] + " 1 " + C[217] + "\r\n" + out() + "/Show.ppt");
    EXPECT_EQ(script.informations[1], C[216] + " 2 " + C[217] + "\r\n" + out() + "/Show.ppt");
    const QString pdf = officeConvert(out() + "/Show.ppt", "pdf", folder.file("check"));
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(commandOutput("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+2\\n")));
    EXPECT_EQ(pictures(pdf), 2);
    // The picture on the slide is the screen: its size.
    const QString list = commandOutput("pdfimages", {"-list", pdf});
    const QSize screen = window->screen()->geometry().size();
    EXPECT_TRUE(list.contains(QRegularExpression(QStringLiteral("image\\s+%1\\s+%2\\s").arg(screen.width()).arg(screen.height()))))
        << qPrintable(list);
    EXPECT_FALSE(ctx->main.NoResize);
    EXPECT_TRUE(window->picStat()->isVisible());
}

TEST_F(Exports, TheScreenPictureLeavesTheStatusStripShownEvenWhenItWasHidden)
{
    ExportContext &exports = program->exportContext();
    Load_ClipBoard(exports);
    const QImage picture = QGuiApplication::clipboard()->image();
    EXPECT_EQ(picture.size(), window->screen()->geometry().size());
    EXPECT_TRUE(window->picStat()->isVisible());

    GO_BarOff(window->context()); // floating mode has hidden it
    ASSERT_FALSE(window->picStat()->isVisible());
    Load_ClipBoard(exports);
    EXPECT_TRUE(window->picStat()->isVisible());
    EXPECT_TRUE(ctx->main.BarsShown);
}

TEST_F(Exports, AWebArchiveHoldsThePageAndOpensAgainInTheProgram)
{
    exportAs(keys::SaveHtml, "Page.mht");
    ASSERT_EQ(script.informations, QStringList({ctx->language.Captions[108] + out() + "/Page.mht"}))
        << qPrintable(script.failures.join('\n'));
    QFile archive(out() + "/Page.mht");
    ASSERT_TRUE(archive.open(QIODevice::ReadOnly));
    const QByteArray bytes = archive.readAll();
    // The page's text, once the archive's quoted-printable lines are undone.
    QByteArray text = bytes;
    text.replace("=\r\n", "").replace("=\n", "");
    text = QByteArray::fromPercentEncoding(text, '=');
    EXPECT_TRUE(text.contains("Exported heading"));
    EXPECT_TRUE(text.contains("caff\xC3\xA8"));
    EXPECT_TRUE(bytes.startsWith("From:") || bytes.contains("MIME-Version")) << bytes.left(200).constData();

    const QString address = QUrl::fromLocalFile(out() + "/Page.mht").toString();
    type(address);
    ASSERT_TRUE(waitForLoad(0, address));
    // An archive's page runs no script (the engine sandboxes it): its title shows it came back.
    EXPECT_TRUE(waitUntil([&] { return window->Web(0)->LocationName() == u"Export test"; }, 5000))
        << qPrintable(window->Web(0)->LocationName());
}

TEST_F(Exports, PageSourceIsTheRootMarkupAndIsReplacedNotAppended)
{
    ctx->dispatcher.click(elements::StartMenus, keys::EditView);
    const QString markup = window->Web(0)->outerHTML();
    EXPECT_EQ(QString::fromUtf8(folder.read("Doc.Txt")), markup);

    server.addPage("/short", page("Short", "<p>x</p>"));
    type(server.url("/short"));
    ASSERT_TRUE(waitForLoad(0, server.url("/short")));
    ctx->dispatcher.click(elements::StartMenus, keys::EditView);
    EXPECT_EQ(QString::fromUtf8(folder.read("Doc.Txt")), window->Web(0)->outerHTML());
    EXPECT_LT(folder.read("Doc.Txt").size(), markup.toUtf8().size());
}

TEST_F(Exports, TwoRunsThatEachGrabAPictureLeaveTwoFiles)
{
    ctx->dispatcher.click(elements::StartMenus, keys::EditPicture);
    stop();
    start();
    ctx->dispatcher.click(elements::StartMenus, keys::EditPicture);
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join('\n'));
    EXPECT_EQ(QDir(folder.file("Images")).entryList(QDir::Files), QStringList({"Lorva000.bmp", "Lorva001.bmp"}));
    const QImage first(folder.file("Images/Lorva000.bmp"));
    EXPECT_EQ(first.size(), window->screen()->geometry().size());
}
