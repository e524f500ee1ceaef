#include "platform/WebEngineView.h"

#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace lorva {

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
    m_view->setPage(m_page);
    connect(m_page, &QWebEnginePage::loadFinished, this,
            [this](bool) { emit DocumentComplete(m_page->url().toString()); });
    connect(m_page, &QWebEnginePage::titleChanged, this, &BrowserView::TitleChange);
}

WebEngineView::~WebEngineView() = default;

QWidget *WebEngineView::widget() { return m_view; }

void WebEngineView::Navigate(const QString &address)
{
    m_view->load(QUrl::fromUserInput(address));
}

void WebEngineView::Stop() { m_view->stop(); }

QString WebEngineView::LocationURL() const { return m_page->url().toString(); }

QString WebEngineView::LocationName() const { return m_page->title(); }

void WebEngineView::setSilent(bool silent) { m_page->silent = silent; }

} // namespace lorva
