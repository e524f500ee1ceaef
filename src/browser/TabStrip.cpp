#include "browser/TabStrip.h"

#include "platform/BrowserView.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QTabBar>
#include <QVariant>
#include <QWidget>

namespace lorva {

TabStrip::TabStrip(Platform &platform, const MainLayout &layout, QWidget *window, QWidget *panel)
    : m_platform(platform), m_layout(layout), m_window(window), m_bar(new QTabBar(panel))
{
    m_bar->setObjectName(QStringLiteral("Tab1"));
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(false);
    m_bar->setElideMode(Qt::ElideRight);
    m_bar->setDrawBase(false);
    m_bar->setFocusPolicy(Qt::NoFocus); // tabs change by the mouse or Ctrl+Tab, as the views follow clicks
    m_bar->setMouseTracking(true);
    // View 0 always exists.
    m_bar->addTab(QString());
    createView(0);
}

TabStrip::~TabStrip() = default;

BrowserView *TabStrip::Web(int index) const
{
    return index >= 0 && index < int(m_web.size()) ? m_web[index].get() : nullptr;
}

void TabStrip::setReadAloudEntry(const QString &text)
{
    m_readAloud = text;
    for (const auto &view : m_web) {
        if (view)
            view->setReadAloudEntry(text);
    }
}

void TabStrip::setLinkEntries(const QString &newTab, const QString &newWindow)
{
    m_newTabEntry = newTab;
    m_newWindowEntry = newWindow;
    for (const auto &view : m_web) {
        if (view)
            view->setLinkEntries(newTab, newWindow);
    }
}

void TabStrip::setTabCount(int count)
{
    const QSignalBlocker block(m_bar);
    while (m_bar->count() < count)
        m_bar->addTab(QString());
    while (m_bar->count() > count)
        m_bar->removeTab(m_bar->count() - 1);
    updateTabWidths();
}

int TabStrip::tabCount() const { return m_bar->count(); }

void TabStrip::createView(int index)
{
    if (index < int(m_web.size()) && m_web[index])
        return;
    if (index >= int(m_web.size()))
        m_web.resize(index + 1);
    m_web[index] = m_platform.createBrowserView(m_window);
    BrowserView *view = m_web[index].get();
    view->widget()->setProperty("index", index);
    view->widget()->hide();
    // Script dialogs of pages are not shown.
    view->setSilent(true);
    view->setReadAloudEntry(m_readAloud);
    view->setLinkEntries(m_newTabEntry, m_newWindowEntry);
    connect(view, &BrowserView::StatusTextChange, this,
            [this, index](const QString &text) { emit statusTextChanged(index, text); });
    connect(view, &BrowserView::ProgressChange, this,
            [this, index](int progress, int maximum) { emit progressChanged(index, progress, maximum); });
    connect(view, &BrowserView::TitleChange, this, [this, index](const QString &title) {
        // A screen reader names the tab by the page it holds; the caption
        // is only the site's short name.
        if (index < m_bar->count())
            m_bar->setAccessibleTabName(index, title);
        emit titleChanged(index, title);
    });
    connect(view, &BrowserView::BeforeNavigate2, this,
            [this, index](const QString &address) { emit beforeNavigate(index, address); });
    connect(view, &BrowserView::DocumentComplete, this,
            [this, index](const QString &address) { emit documentComplete(index, address); });
    connect(view, &BrowserView::PageCrashed, this, [this, index] { emit pageCrashed(index); });
    connect(view, &BrowserView::LeftButtonUp, this, [this, index] { emit leftButtonUp(index); });
    connect(view, &BrowserView::ReadFrom, this, [this, index](QPoint point) { emit readFrom(index, point); });
    connect(view, &BrowserView::AddressChange, this,
            [this, index](const QString &address) { emit addressChanged(index, address); });
    connect(view, &BrowserView::ZoomWheel, this, [this, index](int steps) { emit zoomWheel(index, steps); });
    connect(view, &BrowserView::LinkInNewTab, this,
            [this, index](const QString &address) { emit linkInNewTab(index, address); });
}

void TabStrip::setTabCaption(int index, const QString &caption)
{
    if (index >= 0 && index < m_bar->count())
        m_bar->setTabText(index, caption);
}

QString TabStrip::tabCaption(int index) const { return m_bar->tabText(index); }

void TabStrip::setTabToolTip(const QString &text) { m_bar->setToolTip(text); }

void TabStrip::updateTabWidths()
{
    // Equal tabs filling the panel, so that the pointer's place tells the tab.
    const int count = qMax(1, m_bar->count());
    const int width = qMax(24, toPixels(m_layout.Tab1.width) / count);
    // Every resize lays the window out; restyling the strip only when the
    // width changes keeps that cheap.
    if (width == m_tabWidthPixels)
        return;
    m_tabWidthPixels = width;
    // Narrow padding leaves a site name such as "127.0.0.1" room to be read whole.
    m_bar->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; padding: 2px 3px; margin-right: 2px;"
                                        " border: 1px solid #a8a8a8; border-bottom: none; background: #e4e4e4; }"
                                        " QTabBar::tab:selected { background: #ffffff; }")
                             .arg(width - 10));
}

void TabStrip::setCurrentTab(int index)
{
    const QSignalBlocker block(m_bar);
    m_bar->setCurrentIndex(index);
}

int TabStrip::currentTab() const { return m_bar->currentIndex(); }

void TabStrip::showView(int index)
{
    if (BrowserView *view = Web(index)) {
        view->widget()->setGeometry(toPixels(m_layout.view));
        view->widget()->show();
        view->widget()->raise();
    }
}

void TabStrip::setViewVisible(int index, bool visible)
{
    if (visible) {
        showView(index);
        return;
    }
    BrowserView *view = Web(index);
    if (!view)
        return;
    QWidget *widget = view->widget();
    QWidget *focus = QApplication::focusWidget();
    // Hiding the page that has the focus would hand it on to the next
    // widget, the address box, with its text selected: the page shown in
    // its place takes it instead.
    if (focus && (focus == widget || widget->isAncestorOf(focus)) && index != currentTab()) {
        showView(currentTab());
        focusView(currentTab());
    }
    widget->hide();
}

void TabStrip::placeView(int index, const TwipsRect &place)
{
    if (BrowserView *view = Web(index))
        view->widget()->setGeometry(toPixels(place));
}

void TabStrip::focusView(int index)
{
    if (BrowserView *view = Web(index))
        view->widget()->setFocus();
}

} // namespace lorva
