#include "platform/PagePrinter.h"

#include "config/AppError.h"
#include "config/LegacyText.h"
#include "platform/PrintPreview.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfDocument>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <QWebEnginePage>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace lorva {

namespace {

// Runs `work` on a thread of its own while the program's events keep
// running here, and returns when it is done.
void runAside(const std::function<void()> &work)
{
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
}

// A busy pointer over the program while it lasts.
struct BusyPointer
{
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
};

// printPdf()'s work, on a thread of its own: a painter may draw on a printer
// from any thread, and the document is opened there.
bool drawPages(const QString &pdf, QPrinter &printer, int maxDpi)
{
    QPdfDocument document;
    if (document.load(pdf) != QPdfDocument::Error::None || document.status() != QPdfDocument::Status::Ready)
        return false;
    QList<int> pages;
    const QPageRanges ranges = printer.pageRanges();
    for (int page = 0; page < document.pageCount(); ++page) {
        if (ranges.isEmpty() || ranges.contains(page + 1))
            pages << page;
    }
    if (pages.isEmpty())
        return false;
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(pages.begin(), pages.end());
    // Copies that the printer does not make itself are made here.
    int documentCopies = 1;
    int pageCopies = 1;
    if (!printer.supportsMultipleCopies())
        (printer.collateCopies() ? documentCopies : pageCopies) = std::max(1, printer.copyCount());

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Each page of the PDF is a whole sheet; the painter starts at the
    // corner of the printable area.
    const int resolution = printer.resolution();
    const int dpi = std::min(resolution, maxDpi);
    const QPoint corner = printer.pageLayout().paintRectPixels(resolution).topLeft();
    bool first = true;
    for (int copy = 0; copy < documentCopies; ++copy) {
        for (int page : std::as_const(pages)) {
            // One page's picture at a time. Where the page draws nothing it
            // is transparent: on paper that is white, and an opaque picture
            // spares the printer a mask.
            const QSizeF points = document.pagePointSize(page);
            const QImage drawn = document.render(page, (points * dpi / 72.0).toSize());
            if (drawn.isNull()) {
                painter.end();
                return false;
            }
            QImage sheet(drawn.size(), QImage::Format_RGB32);
            sheet.fill(Qt::white);
            QPainter(&sheet).drawImage(0, 0, drawn);
            if (printer.colorMode() == QPrinter::GrayScale)
                sheet.convertTo(QImage::Format_Grayscale8);
            for (int pageCopy = 0; pageCopy < pageCopies; ++pageCopy) {
                if (!first && !printer.newPage()) {
                    painter.end();
                    return false;
                }
                first = false;
                painter.drawImage(QRectF(-corner, points * resolution / 72.0), sheet);
            }
        }
    }
    return painter.end();
}

} // namespace

bool printPdf(const QByteArray &pdf, QPrinter &printer, int maxDpi)
{
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return false;
    bool printed = false;
    runAside([&] { printed = drawPages(file.fileName(), printer, maxDpi); });
    return printed;
}

PagePrinter::PagePrinter(QWebEnginePage *page) : QObject(page), m_page(page) {}

PagePrinter::~PagePrinter() = default;

QByteArray PagePrinter::makePdf(const QPageLayout &layout, const QPageRanges &ranges)
{
    // The engine answers when it has laid out and drawn every page; a
    // renderer that ends gives no answer, and the wait ends with it.
    BusyPointer busy;
    auto answer = std::make_shared<std::optional<QByteArray>>();
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    m_page->printToPdf(
        [answer, guard](const QByteArray &pdf) {
            *answer = pdf;
            if (guard)
                guard->quit();
        },
        layout, ranges);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    if (!answer->has_value())
        loop.exec();
    return answer->value_or(QByteArray());
}

void PagePrinter::output(const QByteArray &whole, const QPageLayout &wholeLayout)
{
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    const QPageLayout layout = m_printer->pageLayout();
    const bool reuse = !whole.isEmpty() && wholeLayout.isEquivalentTo(layout);
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        // A file gets the engine's PDF as it is, with only the pages asked for.
        const QString path = m_printer->outputFileName();
        const QPageRanges ranges = m_printer->pageRanges();
        const QByteArray pdf = reuse && ranges.isEmpty() ? whole : makePdf(layout, ranges);
        // The print dialog has made sure that the file can be written.
        if (pdf.isEmpty()) {
            qWarning("The page gave no pages to print to %s", qPrintable(path));
            return;
        }
        try {
            legacy::writeFileAtomically(path, pdf, QStringLiteral("Print"));
        } catch (const AppError &error) {
            qWarning("%s", error.what());
        }
        return;
    }
    const QByteArray pdf = reuse ? whole : makePdf(layout);
    BusyPointer busy;
    if (pdf.isEmpty() || !printPdf(pdf, *m_printer))
        qWarning("Printing on %s failed", qPrintable(m_printer->printerName()));
}

QPrinter &PagePrinter::printer()
{
    // Made on first use: finding the printers can take a moment.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Print jobs, and the file the print dialog offers, take the page's title.
    m_printer->setDocName(m_page->title());
    return *m_printer;
}

void PagePrinter::print(QWidget *parent)
{
    if (m_busy)
        return;
    QPrintDialog dialog(&printer(), parent);
    if (dialog.exec() == QDialog::Accepted)
        output();
}

void PagePrinter::preview(QWidget *parent)
{
    if (m_busy)
        return;
    printer();
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    PrintPreview dialog(parent);
    QPageLayout shown; // the layout of the pages the dialog has
    const auto make = [&] {
        shown = m_printer->pageLayout();
        dialog.setPdf({});
        const QByteArray pdf = makePdf(shown);
        if (pdf.isEmpty()) {
            qWarning("The page gave no pages to preview");
            dialog.reject();
        }
        dialog.setPdf(pdf);
    };
    connect(&dialog, &PrintPreview::pageSetupRequested, this, [&] {
        QPageSetupDialog setup(m_printer.get(), &dialog);
        if (setup.exec() == QDialog::Accepted && !m_printer->pageLayout().isEquivalentTo(shown))
            make();
    });
    connect(&dialog, &PrintPreview::printRequested, this, [&] {
        QPrintDialog print(m_printer.get(), &dialog);
        if (print.exec() != QDialog::Accepted)
            return;
        // Printed as shown, unless the print dialog changed the layout.
        dialog.hide();
        output(dialog.pdf(), shown);
        dialog.accept();
    });
    // The dialog shows at once and fills when the engine has the pages.
    QTimer::singleShot(0, &dialog, make);
    dialog.exec();
}

void PagePrinter::pageSetup(QWidget *parent)
{
    if (m_busy)
        return;
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

} // namespace lorva
