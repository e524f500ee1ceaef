// The office exports of the real window: a page served on 127.0.0.1, Qt
// WebEngine capturing it, LibreOffice writing the documents, and the
// documents converted back to look at what they hold.
#include "commands/CommandKeys.h"
#include "support/ExportFixture.h"

#include <QDirIterator>

#include <csignal>

using namespace lorva;
using namespace lorva::test;


TEST_F(Exports, WordHoldsThePageInsideThePortraitTemplateWithThePicturesAsTheEngineLoadedThem)
{
    // Another host, with a picture that the page shows and one that it
    // would show only further down (the engine has not loaded it).
    HttpServer elsewhere;
    elsewhere.addPage("/far.png", pictureBytes({60, 40}, QColor(0xc0, 0x30, 0x30)));
    elsewhere.addPage("/lazy.png", pictureBytes({60, 40}, QColor(0x30, 0xc0, 0x30)));
    const QByteArray body = QByteArray(kBody) + "<p><img src='" + elsewhere.url("/far.png").toUtf8() +
                            "'></p><div style='height:30000px'></div><p><img loading='lazy' src='" +
                            elsewhere.url("/lazy.png").toUtf8() + "'></p>";
    server.addPage("/pictures", page("Export test", body.constData()));
    type(server.url("/pictures"));
    ASSERT_TRUE(waitForLoad(0, server.url("/pictures")));
    const int loaded = elsewhere.requests("/far.png");
    ASSERT_GE(loaded, 1);

    exportAs(keys::SaveWordH, "Page.doc");
    ASSERT_EQ(script.informations, QStringList({ctx->language.Captions[108] + out() + "/Page.doc"}))
        << qPrintable(script.failures.join('\n'));
    const QString pdf = officeConvert(out() + "/Page.doc", "pdf", folder.file("check"));
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = pdfText(pdf);
    for (const char *expected : {"Exported heading", "caff\u00E8, na\u00EFve, fa\u00E7ade", "First item", "Second item",
                                 "Apples", "Pears", "LorvaSpeak"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);
    EXPECT_FALSE(landscape(pdf));
    EXPECT_EQ(pictures(pdf), 2) << "the page's own picture and the one from elsewhere are embedded";
    EXPECT_EQ(elsewhere.requests("/far.png"), loaded) << "the program asked the other host for a picture";
    EXPECT_EQ(elsewhere.requests("/lazy.png"), 0);
    EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden), QStringList({"Page.doc"}));
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

TEST_F(Exports, WordLandscapeAndPdfAreLandscapeAndThePdfKeepsItsDocumentBeside)
{
    exportAs(keys::SaveWordV, "Wide.doc");
    exportAs(keys::SavePdf, "Page.pdf");
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
    exportAs(keys::SaveExcel, "Book.xls");
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
    exportAs(keys::SaveExcel, "Book.xls");
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join(u'\n'));
    QFile::remove(csv);
    csv = officeConvert(out() + "/Book.xls", "csv", folder.file("check"));
    QFile second(csv);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    const QString replaced = QString::fromLatin1(second.readAll());
    EXPECT_TRUE(replaced.contains("Plums,3")) << qPrintable(replaced);
    EXPECT_FALSE(replaced.contains("Apples"));
}

TEST_F(Exports, AKilledOfficeOrHelperLeavesNothingBehindAndTheNextExportWorks)
{
    // A long page, so that the office is still at work when it is killed.
    ASSERT_TRUE(server.addFile("/long", "/usr/share/debian-reference/ch01.en.html")) << "install debian-reference-en";
    type(server.url("/long"));
    ASSERT_TRUE(waitForLoad(0, server.url("/long")));
    const QStringList deadPipes = deadOfficePipes();
    const auto locks = [&] {
        QStringList found;
        for (const QString &place : {folder.file("Data"), area()}) {
            QDirIterator it(place, {".~lock.*"}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                found << it.next();
        }
        return found;
    };

    // The office itself, then the helper, killed while the template is open.
    const QStringList victims{"soffice.bin", "lorvaspeak-offi"};
    for (const QString &victim : victims) {
        script.onSave = [&, victim] {
            auto *watch = new QTimer(window);
            QObject::connect(watch, &QTimer::timeout, [&, watch, victim] {
                if (locks().isEmpty())
                    return;
                if (const pid_t pid = descendant(victim))
                    ::kill(pid, SIGKILL);
                watch->deleteLater();
            });
            watch->start(10);
        };
        exportAs(keys::SaveWordH, "Long.doc");
        script.onSave = nullptr;
        EXPECT_TRUE(script.informations.isEmpty()) << qPrintable(victim);
        ASSERT_EQ(script.failures.size(), victims.indexOf(victim) + 1) << qPrintable(victim);
        EXPECT_TRUE(script.failures.last().startsWith(ctx->language.Captions[239])) << qPrintable(script.failures.last());
        EXPECT_TRUE(waitUntil([&] { return officeProcesses(area()) == 0; }, 5000)) << "an office outlived " << qPrintable(victim);
        EXPECT_TRUE(QDir(out()).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << qPrintable(QDir(out()).entryList(QDir::Files | QDir::Hidden).join(' '));
    }

    exportAs(keys::SaveWordH, "Long.doc");
    ASSERT_EQ(script.informations, QStringList({ctx->language.Captions[108] + out() + "/Long.doc"}))
        << qPrintable(script.failures.join('\n'));
    const QString pdf = officeConvert(out() + "/Long.doc", "pdf", folder.file("check"));
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(pdfText(pdf).contains("GNU/Linux tutorials"));
    EXPECT_TRUE(locks().isEmpty()) << qPrintable(locks().join(' '));
    // The last helper ends its office on its own; then nothing of any of
    // the exports is left.
    const auto inArea = [&] {
        return QDir(area()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    };
    EXPECT_TRUE(waitUntil([&] { return inArea().isEmpty(); }, 15000)) << qPrintable(inArea().join(' '));
    QStringList newDeadPipes = deadOfficePipes();
    for (const QString &pipe : deadPipes)
        newDeadPipes.removeAll(pipe);
    EXPECT_TRUE(newDeadPipes.isEmpty()) << qPrintable(newDeadPipes.join(' '));
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

class WithoutOffice : public Exports
{
protected:
    QString helper() const override { return folder.file("no-such-helper"); }
};

TEST_F(WithoutOffice, AnExportSaysSoAndWritesNothing)
{
    exportAs(keys::SaveWordH, "Page.doc");
    EXPECT_EQ(script.failures, QStringList({ctx->language.Captions[240]}));
    EXPECT_TRUE(script.informations.isEmpty());
    EXPECT_TRUE(QDir(out()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(window->windowOpacity(), 1.0);
}
