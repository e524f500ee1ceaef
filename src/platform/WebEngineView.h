#pragma once

#include "platform/BrowserView.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

class QWebEngineView;

namespace lorva {

class PagePrinter;

// The page side of the spoken word's highlight, and of finding the article.
const char *highlightScript();
// The folder that holds Readability.js (the program's own, beside it,
// unless set: the benchmarks and tests run elsewhere).
void setArticleFinderFolder(const QString &folder);

class LorvaPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;
    bool silent = false;

signals:
    void navigationRequested(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &origin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
};

class WebEngineView : public BrowserView
{
    Q_OBJECT

public:
    explicit WebEngineView(QWidget *parent);
    ~WebEngineView() override;

    QWidget *widget() override;
    void Navigate(const QString &address) override;
    void Stop() override;
    void Refresh() override;
    void GoBack() override;
    void GoForward() override;
    void ExecWB(PageCommand command) override;
    void findText(const QString &text, bool backward, std::function<void(int matches, int current)> found) override;
    void startCaret() override;
    QString outerHTML() override;
    QString selectedText() const override;
    void keepSelection(int scope) override;
    void highlightWord(int scope, int word) override;
    void clearHighlight() override;
    QList<ReadingBlock> keepArticle(int scope, ReadingChoice choice) override;
    int firstWordAt(int scope, QPoint point) override;
    QList<LanguageRun> languageRuns(int scope) override;
    void setReadAloudEntry(const QString &caption) override;
    void setLinkEntries(const QString &newTab, const QString &newWindow) override;
    std::optional<CapturedPage> capturePage(qsizetype maxMarkup) override;
    bool saveArchive(const QString &path, QString &error) override;
    bool showsPdf() const override;
    std::optional<QByteArray> pdfDocument(QString &error) override;
    bool Busy() const override;
    QString LocationURL() const override;
    QString LocationName() const override;
    QString readyState() override;
    void setSilent(bool silent) override;
    void showPage(const QString &html, const QString &address) override;
    void setZoom(int percent) override;
    int zoom() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString runScript(const QString &script, quint32 world = QWebEngineScript::MainWorld);
    // The same in the world of the program's own scripts, apart from the page's.
    QString runOwnScript(const QString &script);
    void runOwnScriptLater(const QString &script);

    QWebEngineView *m_view;
    QString m_readAloud; // the context menu's entry; none while empty
    QString m_newTabEntry; // the context menu's link entries; the engine's texts while empty
    QString m_newWindowEntry;
    LorvaPage *m_page;
    PagePrinter *m_printing; // keeps the page setup between commands
    bool m_busy = false;
    // The address a page of the program's own stands in for, while it is shown.
    QUrl m_standIn;
    bool m_showingOwnPage = false;
    bool m_keepStatus = false;
    QString m_hovered; // the link address last shown, until the pointer leaves it
    int m_wheel = 0;   // Ctrl+wheel turned short of a whole notch (a touchpad's)
    bool m_pdf = false; // the page loaded is a PDF document in the engine's viewer
    // The viewer keeps its selection drawn when told to drop it: until the
    // person selects anew, the dropped selection is copied no more.
    bool m_pdfSelectionDropped = false;
    QPoint m_pressedAt;        // where the left button last went down in the page
    bool m_plainPress = false; // and whether that was a plain click's press
};

} // namespace lorva
