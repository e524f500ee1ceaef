#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QToolBar;

namespace lorva {

class CommandBars;
class ImageList;

// The element index that clicks in the drop-down menus of a window report.
inline constexpr int kMenuElement = 3;

// One command-bar control of a window: shows one bar of the shared
// collection as a tool bar, with the bars hung below its entries as menus.
class CommandBarView : public QWidget
{
    Q_OBJECT

public:
    CommandBarView(CommandBars &bars, const ImageList &images, int element, QWidget *parent = nullptr);

    int element() const { return m_element; }
    QString barKey() const { return m_barKey; }

    // Shows `bar` (built anew from the collection).
    void showBar(const QString &bar);
    // Draws the bar and its menus in one of the four styles 0 to 3.
    void setBarStyle(int style);
    int barStyle() const { return m_style; }

    QToolBar *toolBar() const { return m_toolBar; }
    // The menu hung below `key`, once the bar is shown.
    QMenu *menuOf(const QString &key) const { return m_menus.value(key); }
    QList<QAction *> actionsOf(const QString &key) const { return m_actions.values(key); }

    static QString styleSheet(int style);

signals:
    void clicked(int element, const QString &key);
    void menuOpened(int element);
    void menuClosed(int element);

private:
    QAction *makeAction(const QString &key, const QString &inBar, int clickElement, QWidget *owner);
    QMenu *makeMenu(const QString &bar);
    void update(const QString &key);

    CommandBars &m_bars;
    const ImageList &m_images;
    int m_element;
    int m_style = 0;
    QString m_barKey;
    QToolBar *m_toolBar;
    QMultiHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QList<QPointer<QMenu>> m_allMenus;
};

} // namespace lorva
