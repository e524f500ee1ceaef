#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace lorva {

// The content of a page's body as the view shows it, for an office document:
// HTML with its pictures inlined as data: addresses (nothing in it points
// to the network), and the text.
struct CapturedPage
{
    QString html; // a whole HTML document
    QString text;
    // The page's markup (its pictures apart) was longer than the capture
    // could take: html and text are empty, and markupSize says how long.
    bool tooLarge = false;
    qsizetype markupSize = 0; // characters
};

// A block of the text a page reads aloud (a heading, a paragraph, a table
// row...), in the language of its element: its nearest lang attribute,
// else the page's; empty when neither says.
struct ReadingBlock
{
    QString text;
    QString language;
};

// What of a page's article is read besides its text.
struct ReadingChoice
{
    bool code = true;     // code blocks
    bool pictures = true; // pictures' alternative texts
};

// Words of a page from `firstWord` on are in `language` (BCP-47, as the
// page wrote it).
struct LanguageRun
{
    int firstWord = 0;
    QString language;
};

// What ExecWB() does to a page, numbered as the program has always numbered
// them: declared once here so that no caller spells a number of its own.
enum class PageCommand { Print = 6, PrintPreview = 7, PageSetup = 8, Cut = 11, Copy = 12, Paste = 13,
                         SelectAll = 17, Unselect = 18, Delete = 33 };

// One browser view of a tab, with the operations and events the program uses.
class BrowserView : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~BrowserView() override = default;

    virtual QWidget *widget() = 0;

    virtual void Navigate(const QString &address) = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void ExecWB(PageCommand command) = 0;
    // Finds `text` in the page, highlighting it; `found` gets the number of
    // matches and which of them (from 1) is the current one.
    virtual void findText(const QString &text, bool backward, std::function<void(int matches, int current)> found) = 0;
    // The page's whole markup, asked of the page while events keep running.
    virtual QString outerHTML() = 0;
    // The text the user selected in the page; empty when there is none.
    virtual QString selectedText() const = 0;
    // The spoken word's highlight. The page keeps the range of the current
    // selection (or of what keepArticle() answers) as `scope`; then the
    // word numbered `word` in it (counted as wordIndexAt() counts) is drawn
    // over until another word or clearHighlight() comes.
    virtual void keepSelection(int scope) = 0;
    virtual void highlightWord(int scope, int word) = 0;
    virtual void clearHighlight() = 0;
    // The page's article, as Readability finds it in a copy of the page
    // (else, on a page without one, the whole body), in blocks whose words
    // are those the highlight counts: word n of the blocks' texts, taken in
    // order, is word n of `scope`, which the page keeps over its own live
    // elements. Asked while events keep running; empty when there is no text.
    virtual QList<ReadingBlock> keepArticle(int scope, ReadingChoice choice) = 0;
    // The number of the first word of `scope` in or after the paragraph at
    // `point` (in the view's pixels); -1 when there is none.
    virtual int firstWordAt(int scope, QPoint point) = 0;
    // The languages of the words of the range kept as `scope`, as runs: the
    // number of a run's first word (counted as highlightWord() counts) and
    // its language, from the nearest lang attribute, else the page's; empty
    // where there is none. Asked while events keep running.
    virtual QList<LanguageRun> languageRuns(int scope) { Q_UNUSED(scope); return {}; }
    // Adds an entry with `caption` to the page's context menu; choosing it
    // raises ReadFrom with the point where the menu was asked for.
    virtual void setReadAloudEntry(const QString &caption) = 0;
    // The captions of the context menu's entries that open a link in a new
    // tab and in a new window (both raise LinkInNewTab).
    virtual void setLinkEntries(const QString &newTab, const QString &newWindow) = 0;
    // The body's content, with events running meanwhile and taken from the
    // page in pieces small enough never to hold up the window; a body whose
    // markup has more than `maxMarkup` characters is not taken (tooLarge).
    // Pictures are those the page shows, as the browser engine loaded them;
    // the program never fetches one itself. Empty when the page has no body
    // or gives no answer.
    virtual std::optional<CapturedPage> capturePage(qsizetype maxMarkup) = 0;
    // Saves the page as a web archive (MHTML) at `path`, an absolute path in
    // a folder that exists; waits, with events running, until it is written.
    // False (with `error` set) when it was not.
    virtual bool saveArchive(const QString &path, QString &error) = 0;
    // The view shows a PDF document in the engine's viewer: it has no web
    // page to capture or archive, only the document itself.
    virtual bool showsPdf() const { return false; }
    // The PDF document shown, as the server sent it, asked of the page with
    // events running meanwhile; nothing (with `error` set) when it cannot be
    // had.
    virtual std::optional<QByteArray> pdfDocument(QString &error)
    {
        error = QStringLiteral("the page is no PDF document");
        return std::nullopt;
    }
    virtual bool Busy() const = 0;
    virtual QString LocationURL() const = 0;
    virtual QString LocationName() const = 0;
    // The document's ready state ("loading", "interactive", "complete"),
    // asked of the page while events keep running; empty when it gives none.
    virtual QString readyState() = 0;
    // A silent view shows no dialogs of its own (script alerts and the like).
    virtual void setSilent(bool silent) = 0;
    // Puts the keyboard's caret into the page, at the first text shown, so
    // that the arrow keys move it and Shift with them selects; a selection
    // there already stays.
    virtual void startCaret() {}
    // Shows `html`, made by the program, in place of the page at `address`:
    // the view reports that address, a reload opens it again, and showing
    // it raises no navigation or title events of its own.
    virtual void showPage(const QString &html, const QString &address) = 0;
    // The page's zoom in percent (100 shows it as it comes). A zoom set
    // stays with the view, over the pages it opens, until set again.
    virtual void setZoom(int percent) = 0;
    virtual int zoom() const = 0;

signals:
    void StatusTextChange(const QString &text);
    void ProgressChange(int progress, int maximum);
    void TitleChange(const QString &title);
    void BeforeNavigate2(const QString &address);
    void DocumentComplete(const QString &address);
    // A page script asked to close its window; the view stays.
    void WindowClosing();
    // The left mouse button was released over the page, which has had the
    // release (a selection made with the mouse is complete in the page).
    void LeftButtonUp();
    // The page's renderer ended abnormally (killed, crashed, out of memory):
    // nothing of the page is left to show.
    void PageCrashed();
    // The page's context menu asked to read aloud from `point`.
    void ReadFrom(QPoint point);
    // The view shows a page at a new address (another page, or the same
    // page moved to another place within itself).
    void AddressChange(const QString &address);
    // The wheel was turned with Ctrl held over the page: `steps` notches,
    // more than 0 away from the user (larger), less than 0 towards.
    void ZoomWheel(int steps);
    // The user asked for the link to `address` in a new tab: a middle click
    // or Ctrl+click on it, or the context menu's entries for a new tab or
    // window. A page's own request for a new window is no such thing: it
    // opens in this view.
    void LinkInNewTab(const QString &address);
};

} // namespace lorva
