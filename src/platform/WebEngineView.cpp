#include "platform/WebEngineView.h"

#include "platform/PagePrinter.h"
#include "platform/PageCapture.h"

#include <QChildEvent>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QEventLoop>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWebEngineFindTextResult>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QAction>
#include <QMenu>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
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
    connect(m_page, &LorvaPage::navigationRequested, this, [this](const QUrl &url) {
        // Loading the program's own page is no navigation of the user's;
        // anything after it is.
        if (m_showingOwnPage && url.scheme() == u"data")
            return;
        m_showingOwnPage = false;
        emit BeforeNavigate2(url.toString());
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_busy = true; });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int p) { emit ProgressChange(p, 100); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_busy = false;
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

QString WebEngineView::runScript(const QString &script)
{
    // The page answers asynchronously; wait for it with events running, but
    // never longer than a few seconds (a hung renderer gives no answer).
    QString answer;
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    m_page->runJavaScript(script, [&answer, guard](const QVariant &value) {
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
    // The engine keeps its saved pages to their owner; a document the user
    // saved gets the permissions of any other file of theirs.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    if (mode & 0400) permissions |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & 0200) permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & 0040) permissions |= QFileDevice::ReadGroup;
    if (mode & 0020) permissions |= QFileDevice::WriteGroup;
    if (mode & 0004) permissions |= QFileDevice::ReadOther;
    if (mode & 0002) permissions |= QFileDevice::WriteOther;
    QFile::setPermissions(target.absoluteFilePath(), permissions);
    return true;
}

QString WebEngineView::readyState() { return runScript(QStringLiteral("document.readyState")).toLower(); }

QString WebEngineView::outerHTML() { return runScript(QStringLiteral("document.documentElement.outerHTML")); }

QString WebEngineView::pageText()
{
    return runScript(QStringLiteral("document.body ? document.body.innerText : ''"));
}

// The highlight never waits for the page: its scripts go without an answer.
void WebEngineView::keepSelection(int scope)
{
    m_page->runJavaScript(QString::fromUtf8(highlightScript()) +
                          QStringLiteral("(function () { var s = window.getSelection(); if (s.rangeCount)"
                                         " window.__lorva.scopes[%1] = { range: s.getRangeAt(0).cloneRange() }; })();")
                              .arg(scope));
}

void WebEngineView::keepPage(int scope)
{
    m_page->runJavaScript(QString::fromUtf8(highlightScript()) +
                          QStringLiteral("(function () { if (!document.body) return; var r = document.createRange();"
                                         " r.selectNodeContents(document.body); window.__lorva.scopes[%1] = { range: r };"
                                         " })();")
                              .arg(scope));
}

void WebEngineView::highlightWord(int scope, int word)
{
    m_page->runJavaScript(QString::fromUtf8(highlightScript()) +
                          QStringLiteral("window.__lorva.show(%1, %2);").arg(scope).arg(word));
}

void WebEngineView::clearHighlight()
{
    m_page->runJavaScript(QString::fromUtf8(highlightScript()) + QStringLiteral("window.__lorva.clear();"));
}

QList<LanguageRun> WebEngineView::languageRuns(int scope)
{
    const QString answer =
        runScript(QString::fromUtf8(highlightScript()) + QStringLiteral("window.__lorva.langs(%1);").arg(scope));
    QList<LanguageRun> runs;
    for (const QJsonValue &run : QJsonDocument::fromJson(answer.toUtf8()).array()) {
        const QJsonArray pair = run.toArray();
        if (pair.size() == 2 && pair[0].isDouble() && pair[1].isString())
            runs.append({pair[0].toInt(), pair[1].toString()});
    }
    return runs;
}

int WebEngineView::firstWordAt(QPoint point)
{
    const QString answer = runScript(
        QString::fromUtf8(highlightScript()) +
        QStringLiteral("(function () { var e = document.elementFromPoint(%1, %2); if (!e || !document.body) return -1;"
                       " var L = window.__lorva, r = document.createRange(); r.selectNodeContents(document.body);"
                       " var words = L.words(r), block = e.nodeType === 1 ? e : e.parentElement;"
                       " while (block && /^inline/.test(getComputedStyle(block).display)) block = block.parentElement;"
                       " for (var i = 0; i < words.length; i++) if (block && block.contains(words[i][0])) return i;"
                       " return -1; })()")
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

QString WebEngineView::readableText()
{
    return runScript(QStringLiteral("(function () { var s = String(window.getSelection());"
                                    " return s.trim() ? s : (document.body ? document.body.innerText : ''); })()"));
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
        m_page->triggerAction(QWebEnginePage::Copy);
        break;
    case PageCommand::Paste:
        m_page->triggerAction(QWebEnginePage::Paste);
        break;
    case PageCommand::SelectAll:
        m_page->triggerAction(QWebEnginePage::SelectAll);
        break;
    case PageCommand::Unselect:
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
