// Printing a long page in the real window. Print to a PDF file through the
// print dialog (its "Print to File (PDF)" entry), against
// `soffice --headless --convert-to pdf` of the same saved page: time, size,
// pages, and how much of the page's text the file holds. Then print preview
// of a one-page page and of the long page: time until the preview shows its
// pages, and the peak memory meanwhile (the program's own, and the engine's
// helper processes), while the preview is scrolled from the first page to
// the last. And the printer's course, the same PDF drawn as pictures of
// 300 dpi, one page at a time (on a PDF file standing in for the printer):
// time, size and peak memory. Needs an X display.
//
//   print [chapter]     a chapter of /usr/share/debian-reference, ch09 unless given
//   print --cap S       gives up a preview that has not shown after S seconds (default 90)
//   print --preview     the previews alone
#include "app/Program.h"
#include "ProcessMemory.h"
#include "browser/frmStart.h"
#include "commands/CommandKeys.h"
#include "commands/Elements.h"
#include "platform/BrowserView.h"
#include "platform/PagePrinter.h"
#include "platform/Platform.h"
#include "support/HttpServer.h"
#include "support/ProcStatus.h"
#include "support/TempFolder.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <cstdio>
#include <unistd.h>

using namespace lorva;
using namespace lorva::test;

namespace {

const QString kReference = QStringLiteral("/usr/share/debian-reference");


// Starts the peak (VmHWM) afresh from what is in memory now.
void resetPeak()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

// PSS of the engine's helper processes (renderers, GPU, zygotes), in kB.
long helpersPss()
{
    return bench::treePss(getpid()) - bench::pssOf(QString::number(getpid()));
}

struct PdfFacts
{
    qint64 bytes = 0;
    int pages = 0;
    int words = 0; // of its text, as pdftotext finds it
    int pictures = 0;
};

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(300000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

PdfFacts factsOf(const QString &pdf)
{
    PdfFacts facts;
    facts.bytes = QFileInfo(pdf).size();
    if (facts.bytes == 0)
        return facts;
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(u"Pages:"))
            facts.pages = line.mid(6).trimmed().toInt();
    }
    facts.words = int(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                          .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)
                          .size());
    // pdfimages -list: two heading lines, then one line per picture.
    facts.pictures = std::max(0, int(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                         .split(u'\n', Qt::SkipEmptyParts)
                                         .size()) - 2);
    return facts;
}

void printFacts(const char *label, double seconds, const PdfFacts &f)
{
    std::printf("%-34s %7.1f s  %9.2f MB  %3d pages  %6d words  %4d pictures\n", label, seconds,
                double(f.bytes) / 1e6, f.pages, f.words, f.pictures);
}

// What the preview shows: pages, once it has them; 0 before.
int previewPages(QWidget *dialog)
{
    for (QAbstractScrollArea *area : dialog->findChildren<QAbstractScrollArea *>()) {
        if (area->inherits("QPdfView")) {
            QObject *document = area->property("document").value<QObject *>();
            return document ? document->property("pageCount").toInt() : 0;
        }
    }
    return 0;
}

QAbstractScrollArea *previewArea(QWidget *dialog)
{
    for (QAbstractScrollArea *area : dialog->findChildren<QAbstractScrollArea *>()) {
        if (area->inherits("QPdfView") || area->inherits("QGraphicsView"))
            return area;
    }
    return nullptr;
}

struct PreviewFigures
{
    double shownSeconds = -1;
    int pages = 0;
    long peakSelfKb = 0; // above what the program held before
    long peakHelpersKb = 0; // above what the helpers held before
    long heldSelfKb = 0; // still held after the preview closed
};

// Print preview of the current page: shows, is scrolled through over three
// seconds, and is closed. A watcher thread of its own samples the memory
// (the program's thread may be too busy to) and ends the benchmark when the
// preview has not shown after `capS`.
PreviewFigures preview(Program &program, int capS)
{
    PreviewFigures figures;
    QTest::qWait(500);
    const long selfBefore = statusKb("VmRSS:");
    const long helpersBefore = helpersPss();
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    std::atomic<qint64> shownAt{-1};
    std::atomic<bool> finished{false};
    std::atomic<long> peakHelpers{0};
    std::thread watcher([&] {
        while (!finished) {
            peakHelpers = std::max(peakHelpers.load(), helpersPss() - helpersBefore);
            if (shownAt < 0 && clock.elapsed() > capS * 1000) {
                std::printf("  no preview after %lld s: program %+ld MB (peak %+ld MB), helpers' peak %+ld MB\n",
                            static_cast<long long>(clock.elapsed() / 1000), (statusKb("VmRSS:") - selfBefore) / 1024,
                            (statusKb("VmHWM:") - selfBefore) / 1024, peakHelpers.load() / 1024);
                std::fflush(stdout);
                ::_exit(2);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->inherits("QPrintDialog"))
            return;
        if (shownAt < 0) {
            figures.pages = previewPages(dialog);
            if (figures.pages > 0) {
                shownAt = clock.elapsed();
                figures.shownSeconds = double(shownAt) / 1000;
            }
        }
        if (shownAt >= 0) {
            // A reader paging through from the first page to the last.
            const double part = std::min(1.0, double(clock.elapsed() - shownAt) / 3000);
            if (QAbstractScrollArea *area = previewArea(dialog))
                area->verticalScrollBar()->setValue(int(part * area->verticalScrollBar()->maximum()));
            if (part >= 1.0 && clock.elapsed() - shownAt > 3500)
                dialog->close();
        }
    });
    poll.start();
    program.context().dispatcher.click(elements::StartMenus, keys::EditPreview);
    poll.stop();
    finished = true;
    watcher.join();
    figures.peakSelfKb = statusKb("VmHWM:") - selfBefore;
    figures.peakHelpersKb = peakHelpers;
    QTest::qWait(500);
    figures.heldSelfKb = statusKb("VmRSS:") - selfBefore;
    return figures;
}

void printPreview(const char *label, const PreviewFigures &f)
{
    std::printf("%-34s shown after %5.1f s, %3d pages; peak above the program's own %5ld MB, "
                "helpers' peak +%4ld MB; held after closing %4ld MB\n",
                label, f.shownSeconds, f.pages, f.peakSelfKb / 1024, f.peakHelpersKb / 1024, f.heldSelfKb / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "print: needs an X display (DISPLAY)\n");
        return 1;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    preparePlatform();
    QApplication app(argc, argv);
    QString chapter = QStringLiteral("ch09");
    int capS = 90;
    bool previewsAlone = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--cap" && i + 1 < args.size())
            capS = args[++i].toInt();
        else if (args[i] == u"--preview")
            previewsAlone = true;
        else
            chapter = args[i];
    }

    // The chapter saved beside its style sheet and pictures, and served.
    TempFolder folder;
    const QString saved = folder.file(QStringLiteral("saved"));
    QDir().mkpath(saved + QStringLiteral("/images"));
    HttpServer server;
    const QString pageName = chapter + QStringLiteral(".en.html");
    QStringList files{pageName, QStringLiteral("debian-reference.css")};
    for (const QString &picture : QDir(kReference + QStringLiteral("/images")).entryList(QDir::Files))
        files << QStringLiteral("images/") + picture;
    for (const QString &name : files) {
        QFile source(kReference + u'/' + name);
        if (!source.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "print: %s is missing (package debian-reference-en)\n", qPrintable(source.fileName()));
            return 1;
        }
        const QByteArray bytes = source.readAll();
        server.addPage(u'/' + name, bytes);
        QFile copy(saved + u'/' + name);
        if (copy.open(QIODevice::WriteOnly))
            copy.write(bytes);
    }
    server.addPage(QStringLiteral("/short"), "<!DOCTYPE html><html><head><title>Short</title></head><body>"
                                             "<h1>A short page</h1><p>One paragraph of text.</p></body></html>");
    const QString longUrl = server.url(u'/' + pageName);
    std::printf("page: %s (%lld bytes of HTML)\n", qPrintable(pageName),
                static_cast<long long>(QFileInfo(saved + u'/' + pageName).size()));

    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_BIN_DIR) + '/' + sub);
        for (const QString &name : dir.entryList(QDir::Files))
            QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/short") + "\r\nEnglish\r\n").toUtf8());
    std::unique_ptr<Platform> platform = createRealPlatform(folder.path());
    Program program(folder.path(), *platform);
    frmStart &window = program.mainWindow();
    program.load(QDate::currentDate());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const auto loaded = [&](const QString &url) {
        QElapsedTimer wait;
        wait.start();
        while ((window.Web(0)->LocationURL() != url || window.Web(0)->Busy()) && wait.elapsed() < 20000)
            QTest::qWait(20);
        QTest::qWait(300);
    };
    loaded(server.url("/short"));

    // Print preview of a page of one sheet.
    printPreview("preview, one-page page:", preview(program, capS));

    window.Web(0)->Navigate(longUrl);
    loaded(longUrl);

    if (previewsAlone) {
        printPreview("preview, long page:", preview(program, capS));
        window.close();
        return 0;
    }

    // Print to file: the dialog is answered as soon as it shows, with its
    // "Print to File (PDF)" entry and a file name.
    const QString pdf = folder.file(QStringLiteral("printed.pdf"));
    qint64 accepted = -1;
    QElapsedTimer clock;
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->inherits("QPrintDialog") || accepted >= 0)
            return;
        if (auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers")))
            printers->setCurrentIndex(printers->count() - 1);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
            name->setText(pdf);
        accepted = clock.elapsed();
        dialog->accept();
    });
    clock.start();
    answer.start();
    program.context().dispatcher.click(elements::StartMenus, keys::EditPrint);
    answer.stop();
    // The file is complete when the command returns, or shortly after.
    qint64 done = clock.elapsed();
    for (qint64 size = -1; QFileInfo(pdf).size() != size;) {
        size = QFileInfo(pdf).size();
        QTest::qWait(200);
        done = size == QFileInfo(pdf).size() ? done : clock.elapsed();
    }
    printFacts("print to file, LorvaSpeak:", double(done - accepted) / 1000, factsOf(pdf));

    // The same saved page through the office's command line, with a profile
    // of its own; start-up included.
    QElapsedTimer office;
    office.start();
    run(QStringLiteral("soffice"),
                      {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(folder.file("profile")).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                       QStringLiteral("--outdir"), folder.file(QStringLiteral("office")), saved + u'/' + pageName});
    const double officeS = double(office.elapsed()) / 1000;
    printFacts("soffice --headless --convert-to pdf:", officeS,
               factsOf(folder.file(QStringLiteral("office/")) + chapter + QStringLiteral(".en.pdf")));

    // The printer's course for the same pages.
    {
        QFile file(pdf);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.file(QStringLiteral("pictures.pdf")));
        QTest::qWait(300);
        const long before = statusKb("VmRSS:");
        resetPeak();
        QElapsedTimer pictures;
        pictures.start();
        // The event loop's longest pause meanwhile.
        qint64 last = 0, longest = 0;
        QTimer ticks;
        ticks.setInterval(5);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            longest = std::max(longest, pictures.elapsed() - last);
            last = pictures.elapsed();
        });
        ticks.start();
        const bool printed = printPdf(bytes, printer);
        ticks.stop();
        const double seconds = double(pictures.elapsed()) / 1000;
        printFacts(printed ? "printer's course (300 dpi pictures):" : "printer's course FAILED:", seconds,
                   factsOf(printer.outputFileName()));
        std::printf("%-34s peak above the program's own %ld MB; longest pause of the event loop %lld ms\n", "",
                    (statusKb("VmHWM:") - before) / 1024, static_cast<long long>(longest));
    }

    printPreview("preview, long page:", preview(program, capS));
    window.close();
    return 0;
}
