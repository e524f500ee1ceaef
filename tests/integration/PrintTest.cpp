// Printing long pages in the real window, through the real print dialog and
// print preview, driven through the X server as a person does. The pages
// are chapters of the packaged Debian reference, served on 127.0.0.1 with
// their style sheet and pictures.
#include "commands/CommandKeys.h"
#include "support/MainWindowFixture.h"
#include "support/ProcStatus.h"

#include <QAbstractScrollArea>
#include <QRegularExpression>
#include <QScrollBar>

using namespace lorva;
using namespace lorva::test;

namespace {

const QString kReference = QStringLiteral("/usr/share/debian-reference");


// The dialog of `className` once the window manager has placed it and
// given it the keyboard.
QWidget *shownDialog(const char *className)
{
    QWidget *dialog = QApplication::activeModalWidget();
    return dialog && dialog->inherits(className) && dialog->isVisible() && dialog->isActiveWindow() ? dialog : nullptr;
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

class Printing : public MainWindowFixture
{
protected:
    // Opens a chapter; its HTML's size in bytes.
    qint64 open(const QString &chapter)
    {
        QStringList files{chapter + QStringLiteral(".en.html"), QStringLiteral("debian-reference.css")};
        for (const QString &picture : QDir(kReference + QStringLiteral("/images")).entryList(QDir::Files))
            files << QStringLiteral("images/") + picture;
        for (const QString &name : files) {
            QFile file(kReference + u'/' + name);
            if (!file.open(QIODevice::ReadOnly))
                ADD_FAILURE() << qPrintable(file.fileName()) << " is missing (package debian-reference-en)";
            server.addPage(u'/' + name, file.readAll());
        }
        const QString url = server.url(u'/' + files.first());
        type(url);
        EXPECT_TRUE(waitForLoad(0, url));
        return QFileInfo(kReference + u'/' + files.first()).size();
    }

    // From aside: in the print dialog, chooses the printer list's last entry,
    // the file, and prints to `pdf`.
    void printToFile(const QString &pdf)
    {
        QWidget *dialog = nullptr;
        ASSERT_TRUE(Person::waitFor([&] { return (dialog = shownDialog("QPrintDialog")); }, 15000));
        QWidget *printers = nullptr;
        QWidget *name = nullptr;
        Person::onMain([&] {
            printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
            name = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        });
        ASSERT_TRUE(printers && name);
        person.click(Person::at(printers));
        person.key(QStringLiteral("End Return"));
        person.click(Person::at(name));
        person.key(QStringLiteral("ctrl+a"));
        person.type(pdf);
        person.key(QStringLiteral("Return"));
        EXPECT_TRUE(Person::waitFor([] { return !shownDialog("QPrintDialog"); }));
    }
};

} // namespace

TEST_F(Printing, PrintingToAFileWritesThePagesAsTextInThePageSetupsLayout)
{
    const qint64 html = open(QStringLiteral("ch01"));
    const QString pdf = folder.file(QStringLiteral("Tutorials.pdf"));
    person.aside([&] {
        // Page setup first: the sheet turned sideways.
        ASSERT_TRUE(choose(keys::Edit, keys::EditPageSet));
        QWidget *setup = nullptr;
        ASSERT_TRUE(Person::waitFor([&] { return (setup = shownDialog("QPageSetupDialog")); }, 15000));
        QWidget *landscape = nullptr;
        Person::onMain([&] { landscape = setup->findChild<QWidget *>(QStringLiteral("landscape")); });
        ASSERT_TRUE(landscape);
        // Its round button, at the left: the widget is wider than its label.
        QPoint at;
        Person::onMain([&] { at = Person::at(landscape, QPoint(8, landscape->height() / 2)); });
        person.click(at);
        person.key(QStringLiteral("Return"));
        ASSERT_TRUE(Person::waitFor([] { return !shownDialog("QPageSetupDialog"); }));

        ASSERT_TRUE(choose(keys::Edit, keys::EditPrint));
        printToFile(pdf);
    });
    // The file appears whole, once.
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(pdf); }, 60000));
    const QString text = pdfText(pdf);
    // The first page and the last hold text that can be found.
    EXPECT_TRUE(text.contains(QStringLiteral("Chapter 1. GNU/Linux tutorials"))) << qPrintable(text.left(300));
    EXPECT_TRUE(text.contains(QStringLiteral("A one-line shell script can loop over many files")));
    // The engine's own PDF: text with its fonts is a few times the HTML.
    // Pictures of the pages would be megabytes a page (hundreds of times
    // the HTML); ten times the HTML is less than one such page.
    EXPECT_LT(QFileInfo(pdf).size(), 10 * html) << "HTML " << html << " bytes";
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(10000);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+)")).match(info.readAllStandardOutput());
    ASSERT_TRUE(size.hasMatch());
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble()) << "the sheets are not sideways";
}

TEST_F(Printing, PreviewOfALongPageShowsItsPagesInBoundedMemoryAndPrintsThem)
{
    const QString pdf = folder.file(QStringLiteral("Tips.pdf"));
    open(QStringLiteral("ch09"));
    QTest::qWait(500);
    const long before = statusKb("VmRSS:");
    {
        // The peak is counted from here.
        QFile peak(QStringLiteral("/proc/self/clear_refs"));
        ASSERT_TRUE(peak.open(QIODevice::WriteOnly) && peak.write("5") == 1);
    }
    int pages = 0;
    person.aside([&] {
        ASSERT_TRUE(choose(keys::Edit, keys::EditPreview));
        QAbstractScrollArea *view = nullptr;
        // The dialog shows at once; its pages when the engine has made them.
        ASSERT_TRUE(Person::waitFor(
            [&] {
                QWidget *dialog = shownDialog("lorva::PrintPreview");
                view = dialog ? dialog->findChild<QAbstractScrollArea *>(QStringLiteral("pages")) : nullptr;
                QObject *document = view ? view->property("document").value<QObject *>() : nullptr;
                pages = document ? document->property("pageCount").toInt() : 0;
                return pages > 0;
            },
            60000));
        // The reader pages through to the last page, each drawn on the way.
        bool atEnd = false;
        for (int presses = 0; presses < 400 && !atEnd; presses += 10) {
            person.key(QStringLiteral("Next Next Next Next Next Next Next Next Next Next"));
            Person::onMain([&] { atEnd = view->verticalScrollBar()->value() == view->verticalScrollBar()->maximum(); });
        }
        EXPECT_TRUE(atEnd);
        QTest::qWait(500);
        Person::onMain([&] {
            QDir().mkpath(QStringLiteral(LORVA_SCREENSHOT_DIR));
            window->screen()->grabWindow(0).save(QStringLiteral(LORVA_SCREENSHOT_DIR "/print-preview.png"));
        });
        // Printing from the preview closes it.
        person.key(QStringLiteral("ctrl+p"));
        printToFile(pdf);
        EXPECT_TRUE(Person::waitFor([] { return !shownDialog("lorva::PrintPreview"); }, 15000));
    });
    EXPECT_GT(pages, 30);
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(pdf); }, 60000));
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Chapter 9. System tips")));
    // Every page drawn at the screen's size is a few megabytes; pictures of
    // them at printer resolution were hundreds each.
    const long peakMb = (statusKb("VmHWM:") - before) / 1024;
    EXPECT_LT(peakMb, 250) << "peak memory above the program's own while previewing " << pages << " pages";
    std::printf("preview of %d pages: peak %ld MB above the program's own\n", pages, peakMb);
}
