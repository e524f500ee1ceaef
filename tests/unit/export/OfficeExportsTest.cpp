#include "support/ExportingProgram.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

namespace {

// The main window on a page, the office answering, a user who picks a name.
struct Exporting : ExportingProgram
{
    Exporting() : ExportingProgram(QStringLiteral("A Page: with punctuation, été!"))
    {
        view.captured = CapturedPage{QStringLiteral("<html><body><h1>Heading</h1></body></html>"), QStringLiteral("Heading")};
        ctx.exports.templatePath = folder.file("Data/Template.Doc");
        ctx.exports.templatePathH = folder.file("Data/TemplateH.Doc");
        for (int i = 1; i < kCaptionCount; ++i)
            ctx.language.Captions[i] = QStringLiteral("c%1 ").arg(i);
        window.dialogs.saveAnswer = folder.file("out.doc");
    }

    FakeOffice &office() { return platform.fakeOffice; }
};

} // namespace

TEST(DefaultExportName, CutsTo22ThenKeepsOnlyDigitsAndAsciiLetters)
{
    EXPECT_EQ(Default_Export_Name("Hello, World! 2026"), QStringLiteral("HelloWorld2026"));
    // Cut before filtering: nothing after the 22nd character counts.
    EXPECT_EQ(Default_Export_Name("a b c d e f g h i j k lmnopq"), QStringLiteral("abcdefghijk"));
    EXPECT_EQ(Default_Export_Name(QStringLiteral("Caff\u00E8 cr\u00E8me br\u00FBl\u00E9e")), QStringLiteral("Caffcrmebrle"));
    EXPECT_EQ(Default_Export_Name(""), QString());
    EXPECT_EQ(Default_Export_Name("!!! ??? ..."), QString());
}

TEST(WordExport, CapturesAsksStartsTheOfficeEarlyAndConfirmsOnlyAWrittenDocument)
{
    Exporting e;
    e.window.calls.clear();
    SaveAsW(e.exports, false);

    const QStringList expected{"alpha 205",
                               "office prepare",
                               "clearClipboard",
                               "capture 0",
                               "setClipboard",
                               "save APagewithpunctuati.doc Microsoft Word (*.doc)|*.doc",
                               "office run " + e.folder.file("out.doc"),
                               "alpha 255",
                               "information",
                               "alpha 255"};
    EXPECT_EQ(e.window.calls, expected);
    ASSERT_EQ(e.office().jobs.size(), 1u);
    const OfficeJob &job = e.office().jobs[0];
    EXPECT_EQ(job.kind, OfficeJob::Kind::Word);
    EXPECT_EQ(job.templatePath, e.folder.file("Data/Template.Doc"));
    EXPECT_EQ(job.source, e.folder.file("html.txt"));
    EXPECT_EQ(e.folder.read("html.txt"), QByteArray("<html><body><h1>Heading</h1></body></html>"));
    // The page is on the clipboard as text and HTML.
    EXPECT_EQ(e.platform.fakeClipboard.plain, QStringLiteral("Heading"));
    EXPECT_EQ(e.informations(), QStringList({"lorvaspeak|c108 " + e.folder.file("out.doc")}));
    EXPECT_EQ(e.window.opacity, 255);
    EXPECT_FALSE(e.ctx.exports.running);
}

TEST(WordExport, LandscapeTakesTheOtherTemplateAndWithoutOneANewLandscapeDocument)
{
    Exporting e;
    SaveAsW(e.exports, true);
    EXPECT_EQ(e.office().jobs.at(0).templatePath, e.folder.file("Data/TemplateH.Doc"));

    Exporting early;
    early.ctx.exports.templatePath.clear(); // before the start-up tail
    SaveAsW(early.exports, false);
    EXPECT_TRUE(early.office().jobs.at(0).templatePath.isEmpty());
    EXPECT_TRUE(early.office().jobs.at(0).landscape);
}

TEST(WordExport, CancelAnEmptyNameAndABlankPageSaveNothingAndConfirmNothing)
{
    Exporting cancelled;
    cancelled.window.dialogs.saveAnswer.reset();
    SaveAsW(cancelled.exports, false);
    Exporting unnamed;
    unnamed.window.dialogs.saveAnswer = QString();
    SaveAsW(unnamed.exports, false);
    for (Exporting *e : {&cancelled, &unnamed}) {
        EXPECT_TRUE(e->office().jobs.empty());
        EXPECT_EQ(e->office().cancelled, 1);
        EXPECT_TRUE(e->informations().isEmpty());
        EXPECT_EQ(e->window.opacity, 255);
    }

    Exporting blank;
    blank.view.captured = CapturedPage{QStringLiteral("<html><body></body></html>"), QString()};
    SaveAsW(blank.exports, false);
    EXPECT_EQ(blank.informations(), QStringList({"lorvaspeak|c120 "}));
    EXPECT_FALSE(blank.window.calls.join(u'\n').contains("save "));
    EXPECT_EQ(blank.office().cancelled, 1);
    EXPECT_EQ(blank.window.opacity, 255);
}

TEST(WordExport, APageThatGivesNoCaptureIsCopiedFromTheFocusedView)
{
    Exporting e;
    e.view.captured.reset();
    e.view.onPageCommand = [&](int command) {
        if (command == 12)
            e.platform.fakeClipboard.plain = QStringLiteral("Copied <text>");
    };
    SaveAsW(e.exports, false);
    EXPECT_TRUE(e.window.calls.contains("page 0 17"));
    EXPECT_GT(e.window.calls.indexOf("page 0 12"), e.window.calls.indexOf("page 0 17"));
    EXPECT_TRUE(e.folder.read("html.txt").contains("<pre>Copied &lt;text&gt;</pre>"));
    EXPECT_EQ(e.office().jobs.size(), 1u);
}

TEST(OfficeFailures, AreOneMessageNamingWhatFailedWithTheWindowOpaqueAgain)
{
    Exporting e;
    e.office().result = {false, QStringLiteral("the template is missing: /x"), 0};
    SaveAsW(e.exports, false);
    EXPECT_EQ(e.failures(), QStringList({"c239 the template is missing: /x"}));
    EXPECT_TRUE(e.informations().isEmpty());
    EXPECT_EQ(e.window.opacity, 255);

    Exporting none;
    none.office().installed = false;
    SaveAsE(none.exports);
    EXPECT_EQ(none.failures(), QStringList({"c240 "}));
    EXPECT_EQ(none.office().prepared, 0);
    EXPECT_FALSE(none.window.calls.contains("capture 0"));
}

TEST(OfficeFailures, APageTooLargeForTheOfficeIsRefusedAtOnceSayingWhy)
{
    Exporting e;
    e.view.captured->markupSize = 50'000'000;
    SaveAsW(e.exports, false);
    EXPECT_EQ(e.failures(), QStringList({"c239 the page is too large to export: it has 50.0 million characters of "
                                         "text and markup, and at most 5.0 million go into a document."}));
    EXPECT_FALSE(e.window.calls.join(u'\n').contains("save "));
    EXPECT_TRUE(e.office().jobs.empty());
    EXPECT_EQ(e.office().cancelled, 1);
    EXPECT_EQ(e.window.opacity, 255);

    Exporting largest;
    largest.view.captured->markupSize = 5'000'000;
    SaveAsW(largest.exports, false);
    EXPECT_EQ(largest.office().jobs.size(), 1u);
    EXPECT_TRUE(largest.failures().isEmpty());
}

TEST(OfficeFailures, ASecondExportWhileOneRunsIsRefusedAndTheFirstGoesOn)
{
    Exporting e;
    e.office().answer = false;
    bool tried = false;
    e.platform.fakeWaits.onWait = [&] {
        if (!e.office().pending || tried)
            return;
        tried = true;
        SaveAsF(e.exports); // a second command while the office works
        e.office().finish();
    };
    SaveAsW(e.exports, false);
    EXPECT_EQ(e.window.statusText, QStringLiteral("c241 "));
    EXPECT_EQ(e.office().jobs.size(), 1u);
    EXPECT_EQ(e.informations().size(), 1);
}

TEST(PdfExport, NeverReplacesAFileBesideTheChosenOne)
{
    Exporting e;
    e.folder.write("Page.doc", "the user's own document");
    e.window.dialogs.saveAnswer = e.folder.file("Page.pdf");
    SaveAsF(e.exports);
    const OfficeJob &job = e.office().jobs.at(0);
    EXPECT_EQ(job.kind, OfficeJob::Kind::Pdf);
    EXPECT_EQ(job.templatePath, e.folder.file("Data/TemplateH.Doc"));
    EXPECT_EQ(job.intermediate, e.folder.file("Page-1.doc"));

    Exporting dotless;
    dotless.window.dialogs.saveAnswer = dotless.folder.file("Report");
    SaveAsF(dotless.exports);
    EXPECT_EQ(dotless.office().jobs.at(0).intermediate, dotless.folder.file("Report.doc"));
}

TEST(ExcelExport, OffersExcelDocumentForAnUntitledPageAndKeepsTheClipboardUntilTheCapture)
{
    Exporting e;
    e.view.title.clear();
    e.window.dialogs.saveAnswer = e.folder.file("book.xls");
    e.window.calls.clear();
    SaveAsE(e.exports);
    EXPECT_FALSE(e.window.calls.contains("clearClipboard"));
    EXPECT_TRUE(e.window.calls.contains("save ExcelDocument.xls Microsoft Excel(*.xls)|*.xls"));
    EXPECT_EQ(e.office().jobs.at(0).kind, OfficeJob::Kind::Excel);

    // The Word export offers no word of its own for an untitled page.
    Exporting w;
    w.view.title.clear();
    SaveAsW(w.exports, false);
    EXPECT_TRUE(w.window.calls.contains("save .doc Microsoft Word (*.doc)|*.doc"));
}

TEST(PdfShown, WordAndExcelSaySoWhileThePdfExportKeepsTheDocumentItself)
{
    Exporting e;
    e.view.pdf = true;
    e.view.location = QStringLiteral("http://127.0.0.1/papers/Annual%20report.pdf?copy=2");
    e.view.pdfBytes = QByteArray("%PDF-1.4 the document as the server sent it");
    e.window.dialogs.saveAnswer = e.folder.file("kept.pdf");
    SaveAsW(e.exports, false);
    SaveAsE(e.exports);
    EXPECT_EQ(e.informations(), QStringList({"lorvaspeak|c255 ", "lorvaspeak|c255 "}));
    EXPECT_FALSE(e.window.calls.join(u'\n').contains("save ")) << "a name was asked for nothing";

    e.window.calls.clear();
    SaveAsF(e.exports);
    EXPECT_TRUE(e.window.calls.contains("save Annual report.pdf PDF  (*.pdf)|*.pdf"));
    EXPECT_EQ(e.folder.read("kept.pdf"), *e.view.pdfBytes);
    EXPECT_EQ(e.informations().last(), "lorvaspeak|c108 " + e.folder.file("kept.pdf"));
    EXPECT_TRUE(e.office().jobs.empty());
    EXPECT_FALSE(e.window.calls.contains("office prepare"));

    // A document the page cannot have again: said, and nothing written.
    e.view.pdfBytes.reset();
    e.view.pdfError = QStringLiteral("the server answered 404 when asked for it again");
    e.window.dialogs.saveAnswer = e.folder.file("lost.pdf");
    SaveAsF(e.exports);
    EXPECT_EQ(e.failures(), QStringList({"c239 the server answered 404 when asked for it again"}));
    EXPECT_FALSE(QFileInfo::exists(e.folder.file("lost.pdf")));
}
