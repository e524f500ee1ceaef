#pragma once

#include "browser/MainWindowPorts.h"

#include <QObject>
#include <QPoint>

#include <memory>
#include <vector>

class QTabBar;
class QWidget;

namespace lorva {

class Platform;

// The tab strip and the browser view of each tab: it creates the views,
// connects each one once and reports what any of them does, with the tab it
// belongs to, so that the window wires the strip instead of every view.
class TabStrip : public QObject, public TabHost
{
    Q_OBJECT

public:
    // The views are made by `platform` inside `window`, at the place of the
    // page in `layout`; the strip itself sits in `panel`.
    TabStrip(Platform &platform, const MainLayout &layout, QWidget *window, QWidget *panel);
    ~TabStrip() override;

    QTabBar *bar() const { return m_bar; }
    BrowserView *Web(int index) const;
    // The pages' context-menu entry that reads aloud, in every view.
    void setReadAloudEntry(const QString &text);
    // The pages' context-menu entries that open a link in a new tab or window.
    void setLinkEntries(const QString &newTab, const QString &newWindow);
    // Equal tabs filling the panel the layout gives the strip.
    void updateTabWidths();

    void setTabCount(int count) override;
    int tabCount() const override;
    void createView(int index) override;
    BrowserView *view(int index) override { return Web(index); }
    void setTabCaption(int index, const QString &caption) override;
    QString tabCaption(int index) const override;
    void setTabToolTip(const QString &text) override;
    void setCurrentTab(int index) override;
    int currentTab() const override;
    void showView(int index) override;
    void setViewVisible(int index, bool visible) override;
    void placeView(int index, const TwipsRect &place) override;
    void focusView(int index) override;

signals:
    // Every view, shown or not, reports these with the tab it belongs to.
    void statusTextChanged(int index, const QString &text);
    void progressChanged(int index, int progress, int maximum);
    void titleChanged(int index, const QString &title);
    void beforeNavigate(int index, const QString &address);
    void documentComplete(int index, const QString &address);
    void pageCrashed(int index);
    // The left button was released over the page of view `index`.
    void leftButtonUp(int index);
    // The page's context menu asked to read aloud from `point` of view `index`.
    void readFrom(int index, QPoint point);
    // View `index` shows a page at a new address.
    void addressChanged(int index, const QString &address);
    // Ctrl+wheel over the page of view `index`, in notches (larger when more than 0).
    void zoomWheel(int index, int steps);
    // The user asked for a link of the page of view `index` in a new tab.
    void linkInNewTab(int index, const QString &address);

private:
    Platform &m_platform;
    const MainLayout &m_layout;
    QWidget *m_window;
    QTabBar *m_bar;
    std::vector<std::unique_ptr<BrowserView>> m_web;
    QString m_readAloud;
    QString m_newTabEntry;
    QString m_newWindowEntry;
    int m_tabWidthPixels = 0;
};

} // namespace lorva
