#include "platform/WebEngineView.h"

#include "platform/EngineDownloads.h"
#include "platform/PagePrinter.h"
#include "platform/PageCapture.h"

#include <QApplication>
#include <QChildEvent>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEngineScript>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWebEngineFindTextResult>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QAction>
#include <QWebEngineSettings>
#include <QMenu>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace lorva {

namespace {

bool isEngineAddress(const QString &text)
{
    // The engine's own pages (its error page, its settings) have addresses
    // that can neither be opened nor mean anything to the user.
    static const QStringList schemes{QStringLiteral("chrome-error:"), QStringLiteral("chrome:"),
                                     QStringLiteral("devtools:"), QStringLiteral("qrc:")};
    const QString trimmed = text.trimmed();
    return std::any_of(schemes.begin(), schemes.end(),
                       [&](const QString &scheme) { return trimmed.startsWith(scheme, Qt::CaseInsensitive); });
}

} // namespace

bool LorvaPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    // Reported for the page itself; never refused.
    if (isMainFrame)
        emit navigationRequested(url);
    return true;
}

QWebEnginePage *LorvaPage::createWindow(WebWindowType type)
{
    // A background tab is only ever asked for by the user (a middle click or
    // Ctrl+click on a link): no page is made for it, so that the engine
    // names the link in newWindowRequested, where the view hands it on.
    // Everything else that asks for a window, a page's target=_blank or
    // window.open among them, opens it in this view.
    if (type == WebBrowserBackgroundTab)
        return nullptr;
    return this;
}

void LorvaPage::javaScriptAlert(const QUrl &origin, const QString &msg)
{
    if (!silent)
        QWebEnginePage::javaScriptAlert(origin, msg);
}

bool LorvaPage::javaScriptConfirm(const QUrl &origin, const QString &msg)
{
    return silent ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
}

bool LorvaPage::javaScriptPrompt(const QUrl &origin, const QString &msg, const QString &defaultValue,
                                 QString *result)
{
    return silent ? false : QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
}

WebEngineView::WebEngineView(QWidget *parent)
    : m_view(new QWebEngineView(parent)), m_page(new LorvaPage(QWebEngineProfile::defaultProfile(), m_view)),
      m_printing(new PagePrinter(m_page))
{
    m_view->setObjectName(QStringLiteral("Web"));
    m_view->setPage(m_page);
    // A PDF document is shown in the engine's own viewer, as a browser does;
    // without its plugin the engine turns the document into a download.
    m_page->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    m_page->settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    connect(m_page, &LorvaPage::navigationRequested, this, [this](const QUrl &url) {
        // Loading the program's own page is no navigation of the user's;
        // anything after it is.
        if (m_showingOwnPage && url.scheme() == u"data")
            return;
        m_showingOwnPage = false;
        emit BeforeNavigate2(url.toString());
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        m_busy = true;
        m_pdf = false;
        m_pdfSelectionDropped = false;
    });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int p) { emit ProgressChange(p, 100); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_busy = false;
        // The engine tells nothing of what it loaded; the document does.
        const QPointer<WebEngineView> alive(this);
        m_page->runJavaScript(QStringLiteral("document.contentType"), [this, alive](const QVariant &type) {
            if (alive)
                m_pdf = type.toString() == u"application/pdf";
        });
        emit DocumentComplete(m_page->url().toString());
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        if (m_showingOwnPage)
            return;
        // The engine's error page is titled with its own inner address,
        // which means nothing to the user: the address that failed does.
        emit TitleChange(isEngineAddress(title) ? m_page->requestedUrl().toString() : title);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        emit AddressChange(url.toString());
        // A link's address shown while the pointer was over it belongs to
        // the page that has gone (the engine does not clear it when the
        // page changes under a pointer that stays still).
        if (!m_hovered.isEmpty()) {
            m_hovered.clear();
            emit StatusTextChange(QString());
        }
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                m_busy = false;
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                // Whoever started the program learns what ended the page.
                const char *what = status == QWebEnginePage::KilledTerminationStatus ? "was killed"
                                   : status == QWebEnginePage::CrashedTerminationStatus ? "crashed"
                                                                                        : "ended abnormally";
                std::fprintf(stderr, "lorvaspeak: the page renderer %s (exit code %d): %s\n", what, exitCode,
                             qPrintable(m_page->url().toString()));
                std::fflush(stderr);
                emit PageCrashed();
            });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        // The engine clears the hovered link as a page comes in; over the
        // program's own page that would wipe the status text saying why it
        // is there, until the pointer has been over its link.
        if (url.isEmpty() && m_keepStatus)
            return;
        if (isEngineAddress(url))
            return;
        m_keepStatus = false;
        m_hovered = url;
        emit StatusTextChange(url);
    });
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &BrowserView::WindowClosing);
    // Asked only when createWindow() made no page: the request is left
    // unanswered, and the engine drops the window it would have filled.
    connect(m_page, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest &request) {
        if (request.destination() == QWebEngineNewWindowRequest::InNewBackgroundTab &&
            request.requestedUrl().isValid())
            emit LinkInNewTab(request.requestedUrl().toString());
    });
    // The engine's own context menu, with reading aloud from where it was asked.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu *menu = m_view->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The engine's own entries for a link in a new tab or window would
        // ask this page for a window, as target=_blank does, and their texts
        // are English only: the program's entries take their places.
        const QUrl link = m_view->lastContextMenuRequest()->linkUrl();
        const std::pair<QWebEnginePage::WebAction, QString> linkEntries[] = {
            {QWebEnginePage::OpenLinkInNewTab, m_newTabEntry}, {QWebEnginePage::OpenLinkInNewWindow, m_newWindowEntry}};
        for (const auto &[action, caption] : linkEntries) {
            QAction *engine = m_page->action(action);
            if (!menu->actions().contains(engine))
                continue;
            auto *own = new QAction(caption.isEmpty() ? engine->text() : caption, menu);
            own->setEnabled(link.isValid());
            connect(own, &QAction::triggered, this, [this, link] { emit LinkInNewTab(link.toString()); });
            menu->insertAction(engine, own);
            menu->removeAction(engine);
        }
        if (!m_readAloud.isEmpty()) {
            menu->addSeparator();
            menu->addAction(m_readAloud, this, [this, at] { emit ReadFrom(at); });
        }
        menu->popup(m_view->mapToGlobal(at));
    });
    // The page's mouse events go to a surface widget that the engine
    // creates (and creates anew after a renderer crash) inside the view.
    m_view->installEventFilter(this);
    for (QObject *child : m_view->children())
        child->installEventFilter(this);
}

bool WebEngineView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view) {
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // A plain click in a PDF document clears its selection, but the
        // viewer may not have had the click yet when it is asked for a copy
        // right after it (it then gives the selection of before).
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_pdf && m_plainPress &&
            (mouse->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            m_pdfSelectionDropped = true;
        // Reported after the surface has passed the release on to the page.
        QMetaObject::invokeMethod(this, &BrowserView::LeftButtonUp, Qt::QueuedConnection);
    } else if (event->type() == QEvent::Wheel &&
               static_cast<QWheelEvent *>(event)->modifiers().testFlag(Qt::ControlModifier)) {
        // The engine would zoom by its own factors, unknown to the zoom the
        // program keeps per site: the wheel goes the program's steps instead.
        // A touchpad turns in fractions of a notch; they add up.
        m_wheel += static_cast<QWheelEvent *>(event)->angleDelta().y();
        const int steps = m_wheel / QWheelEvent::DefaultDeltasPerStep;
        m_wheel -= steps * QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0)
            emit ZoomWheel(steps);
        return true;
    } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // A click in a PDF document changes or clears its selection; a
        // double click, or a click with Shift, selects.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pdfSelectionDropped = false;
        m_pressedAt = mouse->position().toPoint();
        m_plainPress = event->type() == QEvent::MouseButtonPress && !(mouse->modifiers() & Qt::ShiftModifier);
    } else if (event->type() == QEvent::KeyPress) {
        m_pdfSelectionDropped = false;
    }
    return BrowserView::eventFilter(watched, event);
}

WebEngineView::~WebEngineView() = default;

QWidget *WebEngineView::widget() { return m_view; }

void WebEngineView::Navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid()) {
        m_standIn.clear();
        m_view->load(url);
    }
}

void WebEngineView::Stop() { m_view->stop(); }

void WebEngineView::Refresh()
{
    // A page of the program's own is reloaded as the page it stands in for.
    if (m_standIn.isValid() && m_page->url() == m_standIn)
        m_view->load(std::exchange(m_standIn, QUrl()));
    else
        m_view->reload();
}

void WebEngineView::showPage(const QString &html, const QString &address)
{
    m_standIn = QUrl(address);
    m_showingOwnPage = true;
    m_keepStatus = true;
    m_page->setHtml(html, m_standIn);
}

bool WebEngineView::Busy() const { return m_busy; }

QString WebEngineView::LocationURL() const { return m_page->url().toString(); }

QString WebEngineView::LocationName() const { return m_page->title(); }

QString WebEngineView::runScript(const QString &script, quint32 world)
{
    // The page answers asynchronously; wait for it with events running, but
    // never longer than a few seconds (a hung renderer gives no answer).
    QString answer;
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    m_page->runJavaScript(script, world, [&answer, guard](const QVariant &value) {
        if (!guard)
            return;
        answer = value.toString();
        guard->quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return answer;
}

std::optional<CapturedPage> WebEngineView::capturePage(qsizetype maxMarkup)
{
    return capturePageOf(m_page, maxMarkup);
}

bool WebEngineView::saveArchive(const QString &path, QString &error)
{
    // The engine would turn the save of a PDF document into a download.
    if (m_pdf) {
        error = QStringLiteral("a PDF document makes no web archive");
        return false;
    }
    // A relative path, or one in a folder that does not exist, brings the
    // whole engine down: never hand it over.
    const QFileInfo target(path);
    if (!target.isAbsolute() || !target.absoluteDir().exists()) {
        error = QStringLiteral("the folder does not exist: ") + target.absolutePath();
        return false;
    }
    bool finished = false;
    bool written = false;
    QEventLoop loop;
    QWebEngineProfile *profile = m_page->profile();
    const auto watch = connect(profile, &QWebEngineProfile::downloadRequested, &loop, [&](QWebEngineDownloadRequest *d) {
        if (!d->isSavePageDownload())
            return;
        connect(d, &QWebEngineDownloadRequest::stateChanged, &loop, [&, d](QWebEngineDownloadRequest::DownloadState s) {
            if (s == QWebEngineDownloadRequest::DownloadRequested || s == QWebEngineDownloadRequest::DownloadInProgress)
                return;
            finished = true;
            written = s == QWebEngineDownloadRequest::DownloadCompleted;
            if (!written)
                error = d->interruptReasonString();
            loop.quit();
        });
    });
    m_page->save(target.absoluteFilePath(), QWebEngineDownloadRequest::MimeHtmlSaveFormat);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!finished)
        loop.exec();
    disconnect(watch);
    if (!finished)
        error = QStringLiteral("the page was not saved in time");
    if (!written || !QFileInfo::exists(target.absoluteFilePath()))
        return false;
    giveUsualPermissions(target.absoluteFilePath());
    return true;
}

bool WebEngineView::showsPdf() const { return m_pdf; }

std::optional<QByteArray> WebEngineView::pdfDocument(QString &error)
{
    // The viewer hands out nothing of its document, but the page may ask
    // for its own address again, with its cookies, as the viewer did.
    const QString started = runScript(QStringLiteral(R"(
(function () {
  var L = window.__lorvaPdf = { done: false };
  var x = new XMLHttpRequest();
  x.open('GET', location.href);
  x.responseType = 'arraybuffer';
  x.onload = function () {
    if (x.status && x.status !== 200) L.error = 'the server answered ' + x.status + ' when asked for it again';
    else L.bytes = new Uint8Array(x.response);
    L.done = true;
  };
  x.onerror = function () { L.error = 'the document could not be had from its address again'; L.done = true; };
  x.send();
  return 'started';
})())"));
    if (started != u"started") {
        error = QStringLiteral("the page gave no answer");
        return std::nullopt;
    }
    const auto forget = qScopeGuard([this] { m_page->runJavaScript(QStringLiteral("delete window.__lorvaPdf")); });
    QString state;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        state = runScript(QStringLiteral("(function () { var L = window.__lorvaPdf; return !L ? 'gone' : !L.done ? '' :"
                                         " L.error ? 'error ' + L.error : 'size ' + L.bytes.length; })()"));
        if (!state.isEmpty())
            break;
        QEventLoop pause;
        QTimer::singleShot(50, &pause, &QEventLoop::quit);
        pause.exec();
    }
    if (state.startsWith(u"error ")) {
        error = state.mid(6);
        return std::nullopt;
    }
    if (!state.startsWith(u"size ")) {
        error = state.isEmpty() ? QStringLiteral("the document did not come in time")
                                : QStringLiteral("the page went away");
        return std::nullopt;
    }
    // Taken in pieces a few milliseconds each to turn into bytes, so that
    // the window goes on meanwhile.
    constexpr qsizetype kPiece = 3 << 18;
    const qsizetype size = state.mid(5).toLongLong();
    QByteArray document;
    document.reserve(size);
    for (qsizetype at = 0; at < size; at += kPiece) {
        const QString piece = runScript(QStringLiteral("(function () { var L = window.__lorvaPdf; if (!L) return '';"
                                                       " var b = L.bytes.subarray(%1, %2), s = '';"
                                                       " for (var i = 0; i < b.length; i += 0x8000)"
                                                       " s += String.fromCharCode.apply(null, b.subarray(i, i + 0x8000));"
                                                       " return btoa(s); })()")
                                            .arg(at)
                                            .arg(at + kPiece));
        const QByteArray bytes = QByteArray::fromBase64(piece.toLatin1());
        if (bytes.size() != std::min(kPiece, size - at)) {
            error = QStringLiteral("the page stopped answering");
            return std::nullopt;
        }
        document += bytes;
    }
    return document;
}

QString WebEngineView::readyState() { return runScript(QStringLiteral("document.readyState")).toLower(); }

QString WebEngineView::outerHTML() { return runScript(QStringLiteral("document.documentElement.outerHTML")); }

QString WebEngineView::runOwnScript(const QString &script)
{
    return runScript(QString::fromUtf8(highlightScript()) + script, QWebEngineScript::ApplicationWorld);
}

// The highlight never waits for the page: its scripts go without an answer.
void WebEngineView::runOwnScriptLater(const QString &script)
{
    m_page->runJavaScript(QString::fromUtf8(highlightScript()) + script, QWebEngineScript::ApplicationWorld);
}

void WebEngineView::keepSelection(int scope)
{
    runOwnScriptLater(QStringLiteral("(function () { var s = window.getSelection(); if (s.rangeCount)"
                                     " window.__lorva.scopes[%1] = { range: s.getRangeAt(0).cloneRange() }; })();")
                          .arg(scope));
}

namespace {

QString g_finderFolder;

// Readability's two scripts, read once; empty when they are not there.
const QString &articleFinder()
{
    static QString folder, script;
    const QString wanted = g_finderFolder.isEmpty()
                               ? QCoreApplication::applicationDirPath() + QStringLiteral("/Readability")
                               : g_finderFolder;
    if (folder == wanted)
        return script;
    folder = wanted;
    script.clear();
    for (const char *name : {"Readability.js", "Readability-readerable.js"}) {
        QFile file(folder + u'/' + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly)) {
            // The page is still read, whole, as it was before articles.
            std::fprintf(stderr, "lorvaspeak: %s cannot be read: pages are read whole, not their articles\n",
                         qPrintable(file.fileName()));
            std::fflush(stderr);
            script.clear();
            return script;
        }
        script += QString::fromUtf8(file.readAll()) + u'\n';
    }
    return script;
}

} // namespace

void setArticleFinderFolder(const QString &folder) { g_finderFolder = folder; }

QList<ReadingBlock> WebEngineView::keepArticle(int scope, ReadingChoice choice)
{
    // Readability's scripts declare their functions in this world; `module`
    // is unknown here, so they export nothing else.
    const QString answer = runOwnScript(
        articleFinder() +
        QStringLiteral("(function () { if (!document.body) return '[]'; var L = window.__lorva, words = null;"
                       " try { words = L.articleWords(%2, %3); } catch (e) { words = null; }"
                       " if (!words) { var r = document.createRange(); r.selectNodeContents(document.body);"
                       " words = L.words(r); }"
                       " L.scopes[%1] = { words: words }; return JSON.stringify(L.blocks(words)); })()")
            .arg(scope)
            .arg(choice.code ? u"true" : u"false", choice.pictures ? u"true" : u"false"));
    QList<ReadingBlock> blocks;
    const QJsonArray read = QJsonDocument::fromJson(answer.toUtf8()).array();
    for (const QJsonValue &block : read)
        blocks.append({block[u"text"].toString(), block[u"language"].toString()});
    return blocks;
}

void WebEngineView::highlightWord(int scope, int word)
{
    runOwnScriptLater(QStringLiteral("window.__lorva.show(%1, %2);").arg(scope).arg(word));
}

void WebEngineView::clearHighlight() { runOwnScriptLater(QStringLiteral("window.__lorva.clear();")); }

QList<LanguageRun> WebEngineView::languageRuns(int scope)
{
    // The kept ranges live in the program's own world, beside the highlight.
    const QString answer = runOwnScript(QStringLiteral("window.__lorva.langs(%1);").arg(scope));
    QList<LanguageRun> runs;
    for (const QJsonValue &run : QJsonDocument::fromJson(answer.toUtf8()).array()) {
        const QJsonArray pair = run.toArray();
        if (pair.size() == 2 && pair[0].isDouble() && pair[1].isString())
            runs.append({pair[0].toInt(), pair[1].toString()});
    }
    return runs;
}

int WebEngineView::firstWordAt(int scope, QPoint point)
{
    const QString answer = runOwnScript(
        QStringLiteral("(function () { var e = document.elementFromPoint(%2, %3), s = window.__lorva.scopes[%1];"
                       " if (!e || !s) return -1; if (!s.words) s.words = window.__lorva.words(s.range);"
                       " var block = e;"
                       " while (block && /^inline/.test(getComputedStyle(block).display)) block = block.parentElement;"
                       " if (!block) return -1;"
                       // A paragraph outside the article reads from the article's next word.
                       " for (var i = 0; i < s.words.length; i++) { var n = s.words[i][0];"
                       "   if (block.contains(n) || (block.compareDocumentPosition(n) & Node.DOCUMENT_POSITION_FOLLOWING))"
                       "     return i; }"
                       " return -1; })()")
            .arg(scope)
            // The page counts in its own pixels, which the zoom makes larger
            // or smaller than the view's.
            .arg(point.x() / m_view->zoomFactor())
            .arg(point.y() / m_view->zoomFactor()));
    bool ok = false;
    const int index = answer.toInt(&ok);
    return ok ? index : -1;
}

void WebEngineView::setReadAloudEntry(const QString &caption) { m_readAloud = caption; }

void WebEngineView::setLinkEntries(const QString &newTab, const QString &newWindow)
{
    m_newTabEntry = newTab;
    m_newWindowEntry = newWindow;
}

QString WebEngineView::selectedText() const { return m_page->selectedText(); }

void WebEngineView::GoBack() { m_view->back(); }

void WebEngineView::GoForward() { m_view->forward(); }

void WebEngineView::ExecWB(PageCommand command)
{
    switch (command) {
    case PageCommand::Print:
        m_printing->print(m_view->window());
        break;
    case PageCommand::PrintPreview:
        m_printing->preview(m_view->window());
        break;
    case PageCommand::PageSetup:
        m_printing->pageSetup(m_view->window());
        break;
    case PageCommand::Cut:
        m_page->triggerAction(QWebEnginePage::Cut);
        break;
    case PageCommand::Copy:
        if (!m_pdfSelectionDropped)
            m_page->triggerAction(QWebEnginePage::Copy);
        break;
    case PageCommand::Paste:
        m_page->triggerAction(QWebEnginePage::Paste);
        break;
    case PageCommand::SelectAll:
        m_page->triggerAction(QWebEnginePage::SelectAll);
        break;
    case PageCommand::Unselect:
        // The PDF viewer leaves its selection as it is.
        m_pdfSelectionDropped = m_pdf;
        m_page->triggerAction(QWebEnginePage::Unselect);
        break;
    case PageCommand::Delete:
        m_page->runJavaScript(QStringLiteral("document.execCommand('delete')"));
        break;
    }
}

void WebEngineView::findText(const QString &text, bool backward, std::function<void(int, int)> found)
{
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    m_page->findText(text, flags, [found](const QWebEngineFindTextResult &result) {
        if (found)
            found(result.numberOfMatches(), result.activeMatch());
    });
}

void WebEngineView::startCaret()
{
    // The engine moves a caret with the keys once there is one (caret
    // browsing is on from the start); the page is asked for the first text
    // at the top of what it shows.
    m_page->runJavaScript(QStringLiteral(R"(
(function () {
  var s = window.getSelection();
  if (s.rangeCount && !s.isCollapsed) return;
  var walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  var range = document.createRange();
  for (var n = walk.nextNode(); n; n = walk.nextNode()) {
    var at = n.textContent.search(/\S/);
    if (at < 0) continue;
    range.selectNodeContents(n);
    var box = range.getBoundingClientRect();
    if (box.height <= 0 || box.bottom <= 0) continue;
    if (box.top < 0) {
      var inside = document.caretRangeFromPoint(Math.max(box.left, 0) + 2, 8);
      if (inside && inside.startContainer === n) at = inside.startOffset;
    }
    s.collapse(n, at);
    return;
  }
})();)"));
}

void WebEngineView::setSilent(bool silent) { m_page->silent = silent; }

void WebEngineView::setZoom(int percent)
{
    // The engine keeps the factor for the pages the view opens next, too.
    if (zoom() != percent)
        m_view->setZoomFactor(percent / 100.0);
}

int WebEngineView::zoom() const { return qRound(m_view->zoomFactor() * 100.0); }

} // namespace lorva
