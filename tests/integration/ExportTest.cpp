// The office exports of the real window: a page served on 127.0.0.1, Qt
// WebEngine capturing it, LibreOffice writing the documents, and the
// documents converted back to look at what they hold.
#include "support/ExportFixture.h"

#include <csignal>

using namespace lorva;
using namespace lorva::test;


TEST_F(Exports, WordHoldsThePageInsideThePortraitTemplate)
{
    exportAs("SAVE:WORDH", "Page.doc");
    ASSERT_EQ(script.informations, QStringList({ctx->language.Captions[108] + out() + "/Page.doc"}))
        << qPrintable(script.failures.join('\n'));
    const QString pdf = officeConvert(out() + "/Page.doc", "pdf", folder.file("check"));
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = pdfText(pdf);
    for (const char *expected : {"Exported heading", "caff\u00E8, na\u00EFve, fa\u00E7ade", "First item", "Second item",
                                 "Apples", "Pears", "LorvaSpeak"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);
    EXPECT_FALSE(landscape(pdf));
    EXPECT_EQ(pictures(pdf), 1) << "the picture is not embedded";
    EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden), QStringList({"Page.doc"}));
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

TEST_F(Exports, WordLandscapeAndPdfAreLandscapeAndThePdfKeepsItsDocumentBeside)
{
    exportAs("SAVE:WORDV", "Wide.doc");
    exportAs("SAVE:PDF", "Page.pdf");
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join('\n'));
    const QString wide = officeConvert(out() + "/Wide.doc", "pdf", folder.file("check"));
    EXPECT_TRUE(landscape(wide));
    EXPECT_TRUE(landscape(out() + "/Page.pdf"));
    const QString text = pdfText(out() + "/Page.pdf");
    EXPECT_TRUE(text.contains("Exported heading")) << qPrintable(text);
    EXPECT_TRUE(text.contains("Apples"));
    EXPECT_EQ(pictures(out() + "/Page.pdf"), 1);
    EXPECT_TRUE(QFileInfo::exists(out() + "/Page.doc"));
}

TEST_F(Exports, ExcelPutsTheTableInCellsAndASecondExportReplacesTheFirst)
{
    exportAs("SAVE:EXCEL", "Book.xls");
    ASSERT_EQ(script.informations.size(), 1) << qPrintable(script.failures.join('\n'));
    QString csv = officeConvert(out() + "/Book.xls", "csv", folder.file("check"));
    QFile first(csv);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QString cells = QString::fromLatin1(first.readAll());
    EXPECT_TRUE(cells.contains("Fruit,Count")) << qPrintable(cells);
    EXPECT_TRUE(cells.contains("Apples,12"));

    server.addPage("/other", page("Other", "<table><tr><td>Plums</td><td>3</td></tr></table>"));
    type(server.url("/other"));
    ASSERT_TRUE(waitForLoad(0, server.url("/other")));
    exportAs("SAVE:EXCEL", "Book.xls");
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join(u'\n'));
    QFile::remove(csv);
    csv = officeConvert(out() + "/Book.xls", "csv", folder.file("check"));
    QFile second(csv);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    const QString replaced = QString::fromLatin1(second.readAll());
    EXPECT_TRUE(replaced.contains("Plums,3")) << qPrintable(replaced);
    EXPECT_FALSE(replaced.contains("Apples"));
}

TEST_F(Exports, KillingTheHelperMidWayLeavesNoOfficeAndNoFile)
{
    // A long page, so that the office is still at work when the helper goes.
    ASSERT_TRUE(server.addFile("/long", "/usr/share/debian-reference/ch01.en.html")) << "install debian-reference-en";
    type(server.url("/long"));
    ASSERT_TRUE(waitForLoad(0, server.url("/long")));
    script.onSave = [] {
        QTimer::singleShot(400, [] { QProcess::execute("pkill", {"-KILL", "-x", "lorvaspeak-offi"}); });
    };
    exportAs("SAVE:WORDH", "Long.doc");
    EXPECT_TRUE(script.informations.isEmpty());
    ASSERT_EQ(script.failures.size(), 1);
    EXPECT_TRUE(script.failures[0].startsWith(ctx->language.Captions[239]));
    EXPECT_TRUE(waitUntil([] { return officeProcesses() == 0; }, 5000)) << "an office outlived its helper";
    EXPECT_TRUE(QDir(out()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << qPrintable(QDir(out()).entryList(QDir::Files | QDir::Hidden).join(' '));
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

class WithoutOffice : public Exports
{
protected:
    QString helper() const override { return folder.file("no-such-helper"); }
};

TEST_F(WithoutOffice, AnExportSaysSoAndWritesNothing)
{
    exportAs("SAVE:WORDH", "Page.doc");
    EXPECT_EQ(script.failures, QStringList({ctx->language.Captions[240]}));
    EXPECT_TRUE(script.informations.isEmpty());
    EXPECT_TRUE(QDir(out()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(window->windowOpacity(), 1.0);
}
