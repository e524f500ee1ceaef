#pragma once

#include "commands/Elements.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace lorva {

class CommandBars;
class ImageList;

// One command-bar control of a window: shows one bar of the shared
// collection as a tool bar, with the bars hung below its entries as menus.
class CommandBarView : public QWidget
{
    Q_OBJECT

public:
    // Clicks on the bar report `element`, clicks in its menus `menus`.
    CommandBarView(CommandBars &bars, const ImageList &images, Element element, Element menus,
                   QWidget *parent = nullptr);

    Element element() const { return m_element; }
    // The control shown in the panel entry `key` (owned by the window).
    void setPanelWidget(const QString &key, QWidget *control);
    QString barKey() const { return m_barKey; }

    // Shows `bar` (built anew from the collection).
    void showBar(const QString &bar);
    // Keeps the bar's buttons `pixels` clear of its right end and against
    // that end: for a bar that reaches past the window's edge.
    void setEndInset(int pixels);
    // Draws the bar and its menus in one of the four styles 0 to 3.
    void setBarStyle(int style);
    int barStyle() const { return m_style; }

    QToolBar *toolBar() const { return m_toolBar; }
    // The menu hung below `key`, once the bar is shown.
    QMenu *menuOf(const QString &key) const { return m_menus.value(key); }
    QList<QAction *> actionsOf(const QString &key) const { return m_actions.values(key); }

    static QString styleSheet(int style);

    // Keyboard access: the bar's buttons that can take the focus now, and
    // giving it to the first (0) or the last (-1) of them. False when none can.
    QList<QToolButton *> focusableButtons() const;
    bool focusButton(int which);

signals:
    void clicked(Element element, const QString &key);
    void menuOpened();
    void menuClosed();
    // The arrow keys went past the bar's first (-1) or last (+1) button.
    void leftBar(int direction);
    // Escape on one of the bar's buttons: the keyboard goes back to the page.
    void escaped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeAction(const QString &key, const QString &inBar, Element clickElement, QWidget *owner);
    QMenu *makeMenu(const QString &bar);
    void update(const QString &key);

    CommandBars &m_bars;
    const ImageList &m_images;
    Element m_element;
    Element m_menuElement;
    QHash<QString, QPointer<QWidget>> m_panels;
    int m_style = 0;
    QString m_barKey;
    QToolBar *m_toolBar;
    int m_endInset = -1;
    QMultiHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QList<QPointer<QMenu>> m_allMenus;
};

} // namespace lorva
