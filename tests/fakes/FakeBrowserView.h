#pragma once

#include "config/Geometry.h"
#include "platform/BrowserView.h"

#include <QStringList>

namespace lorva::test {

// A browser view that only remembers what was asked of it, into a log
// shared with the other fakes, each call named with the view's index.
class FakeBrowserView : public BrowserView
{
public:
    QWidget *widget() override { return nullptr; }
    void Navigate(const QString &address) override
    {
        location = address;
        record(QStringLiteral("navigate %1 ").arg(index) + address);
    }
    void Stop() override { record(QStringLiteral("stop %1").arg(index)); }
    void Refresh() override { record(QStringLiteral("refresh %1").arg(index)); }
    void GoBack() override { record(QStringLiteral("back %1").arg(index)); }
    void GoForward() override { record(QStringLiteral("forward %1").arg(index)); }
    void ExecWB(PageCommand command) override
    {
        record(QStringLiteral("page %1 %2").arg(index).arg(int(command)));
        if (onPageCommand)
            onPageCommand(int(command));
    }
    void findText(const QString &, bool, std::function<void(int, int)> found) override
    {
        if (found)
            found(0, 0);
    }
    QString outerHTML() override { return markup.isEmpty() ? ownPage : markup; }
    QString selectedText() const override { return selected; }
    void keepSelection(int scope) override { record(QStringLiteral("keepSelection %1").arg(scope)); }
    // Each line of the page's text is a block of its article, in the
    // language blockLanguages gives it.
    QList<ReadingBlock> keepArticle(int scope, ReadingChoice) override
    {
        record(QStringLiteral("keepArticle %1").arg(scope));
        QList<ReadingBlock> blocks;
        for (const QString &line : page.split(u'\n', Qt::SkipEmptyParts))
            blocks.append({line, blockLanguages.value(blocks.size())});
        return blocks;
    }
    void highlightWord(int scope, int word) override { record(QStringLiteral("highlight %1 %2").arg(scope).arg(word)); }
    void clearHighlight() override { record(QStringLiteral("clearHighlight")); }
    int firstWordAt(int, QPoint) override { return wordAtPoint; }
    void setReadAloudEntry(const QString &caption) override { readAloudCaption = caption; }
    void setLinkEntries(const QString &, const QString &) override {}
    bool saveArchive(const QString &path, QString &error) override
    {
        record(QStringLiteral("archive %1 ").arg(index) + path);
        if (!archiveError.isEmpty())
            error = archiveError;
        return archiveError.isEmpty();
    }
    bool showsPdf() const override { return pdf; }
    std::optional<QByteArray> pdfDocument(QString &error) override
    {
        record(QStringLiteral("pdf %1").arg(index));
        if (!pdfBytes)
            error = pdfError;
        return pdfBytes;
    }
    std::optional<CapturedPage> capturePage(qsizetype maxMarkup) override
    {
        record(QStringLiteral("capture %1").arg(index));
        if (captured && captured->markupSize > maxMarkup)
            return CapturedPage{{}, {}, true, captured->markupSize};
        return captured;
    }
    bool Busy() const override { return busy; }
    QString LocationURL() const override { return location; }
    QString LocationName() const override { return title; }
    QString readyState() override { return readyStateText; }
    void setSilent(bool) override {}
    void showPage(const QString &html, const QString &address) override
    {
        ownPage = html;
        location = address;
        record(QStringLiteral("ownPage %1 ").arg(index) + address);
    }

    void setZoom(int percent) override
    {
        zoomPercent = percent;
        record(QStringLiteral("zoom %1 %2").arg(index).arg(percent));
    }
    int zoom() const override { return zoomPercent; }

    int index = 0;
    int zoomPercent = 100;
    QStringList *log = nullptr;
    QString location;
    bool busy = false;
    QString readyStateText = QStringLiteral("complete");
    QString ownPage;
    QString markup;       // the document's root markup
    QString selected;     // the selection alone
    QString page;         // the page article's text, a block a line
    QStringList blockLanguages; // the language of each block, in order
    int wordAtPoint = -1; // the first word of the paragraph under the pointer
    QString readAloudCaption;
    QString archiveError; // a web archive that cannot be written
    std::optional<CapturedPage> captured; // what the page gives an export
    bool pdf = false;                     // a PDF document is shown
    std::optional<QByteArray> pdfBytes;   // and what it is, when it can be had
    QString pdfError;
    QString title;
    // Where the window shows it.
    bool visible = false;
    TwipsRect place;
    // Called on every page command, to let a test play the page.
    std::function<void(int command)> onPageCommand;

private:
    void record(const QString &call)
    {
        if (log)
            log->append(call);
    }
};

} // namespace lorva::test
