#include "platform/WebEngineView.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace lorva {

bool LorvaPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    // Reported for the page itself; never refused.
    if (isMainFrame)
        emit navigationRequested(url);
    return true;
}

QWebEnginePage *LorvaPage::createWindow(WebWindowType)
{
    // A page asking for a new window opens it in this view.
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
    : m_view(new QWebEngineView(parent)), m_page(new LorvaPage(QWebEngineProfile::defaultProfile(), m_view))
{
    m_view->setObjectName(QStringLiteral("Web"));
    m_view->setPage(m_page);
    connect(m_page, &LorvaPage::navigationRequested, this,
            [this](const QUrl &url) { emit BeforeNavigate2(url.toString()); });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_busy = true; });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int p) { emit ProgressChange(p, 100); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_busy = false;
        emit DocumentComplete(m_page->url().toString());
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, &BrowserView::TitleChange);
    connect(m_page, &QWebEnginePage::linkHovered, this, &BrowserView::StatusTextChange);
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &BrowserView::WindowClosing);
}

WebEngineView::~WebEngineView() = default;

QWidget *WebEngineView::widget() { return m_view; }

void WebEngineView::Navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid())
        m_view->load(url);
}

void WebEngineView::Stop() { m_view->stop(); }

void WebEngineView::Refresh() { m_view->reload(); }

bool WebEngineView::Busy() const { return m_busy; }

QString WebEngineView::LocationURL() const { return m_page->url().toString(); }

QString WebEngineView::LocationName() const { return m_page->title(); }

QString WebEngineView::readyState()
{
    // The page answers asynchronously; wait for it with events running, but
    // never longer than a few seconds (a hung renderer gives no answer).
    QString state;
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    m_page->runJavaScript(QStringLiteral("document.readyState"), [&state, guard](const QVariant &value) {
        if (!guard)
            return;
        state = value.toString().toLower();
        guard->quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return state;
}

void WebEngineView::setSilent(bool silent) { m_page->silent = silent; }

} // namespace lorva
