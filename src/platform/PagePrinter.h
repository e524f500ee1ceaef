#pragma once

#include <QByteArray>
#include <QObject>
#include <QPageLayout>
#include <QPageRanges>
#include <QString>

#include <memory>

class QPrinter;
class QWebEnginePage;
class QWidget;

namespace lorva {

// Printing a page: the print dialog, print preview and page setup. All of
// them work from the engine's own PDF of the page, laid out as page setup
// says. Printing to a file writes that PDF as it is (text stays text); a
// printer gets its pages as pictures of bounded resolution, one page in
// memory at a time. Every wait keeps the program's events running.
class PagePrinter : public QObject
{
    Q_OBJECT

public:
    explicit PagePrinter(QWebEnginePage *page);
    ~PagePrinter() override;

    void print(QWidget *parent);
    void preview(QWidget *parent);
    void pageSetup(QWidget *parent);

private:
    QPrinter &printer();
    // The engine's PDF of the page; empty when it gave none.
    QByteArray makePdf(const QPageLayout &layout, const QPageRanges &ranges = {});
    // Prints what the print dialog chose. `whole` is the PDF of all pages
    // laid out as `wholeLayout`, when one is at hand already.
    void output(const QByteArray &whole = {}, const QPageLayout &wholeLayout = {});

    QWebEnginePage *m_page;
    std::unique_ptr<QPrinter> m_printer; // keeps the page setup between commands
    bool m_busy = false;
};

// Puts the pages of `pdf` that the printer's page ranges name (all when it
// names none) on `printer`, each as a picture of at most `maxDpi`, one page
// in memory at a time. The drawing happens on a thread of its own while
// events keep running. False when nothing could be printed.
bool printPdf(const QByteArray &pdf, QPrinter &printer, int maxDpi = 300);

} // namespace lorva
