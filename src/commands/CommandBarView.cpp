#include "commands/CommandBarView.h"

#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/ImageList.h"
#include "config/Geometry.h"

#include <QAction>
#include <QCursor>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace lorva {

CommandBarView::CommandBarView(CommandBars &bars, const ImageList &images, Element element, Element menus,
                               QWidget *parent)
    : QWidget(parent), m_bars(bars), m_images(images), m_element(element), m_menuElement(menus),
      m_toolBar(new QToolBar(this))
{
    setObjectName(QStringLiteral("cmdBar"));
    setProperty("index", element.index);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setContentsMargins(0, 0, 0, 0);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    connect(&m_bars, &CommandBars::entryChanged, this, &CommandBarView::update);
    connect(&m_bars, &CommandBars::barChanged, this, [this](const QString &bar) {
        const bool shown = bar == m_barKey || std::any_of(m_allMenus.begin(), m_allMenus.end(), [&](const auto &menu) {
                               return menu && menu->objectName() == bar;
                           });
        // Later: the change may come from a click in a menu that the
        // rebuild deletes.
        if (shown)
            QMetaObject::invokeMethod(this, [this] { showBar(m_barKey); }, Qt::QueuedConnection);
    });
}

void CommandBarView::showBar(const QString &bar)
{
    m_barKey = bar;
    m_toolBar->clear();
    m_actions.clear();
    m_menus.clear();
    for (const QPointer<QMenu> &menu : std::as_const(m_allMenus))
        delete menu.data();
    m_allMenus.clear();

    for (const QString &key : m_bars.bar(bar)) {
        const CommandEntry *e = m_bars.entry(key);
        if (!e)
            continue;
        if (e->style == StyleSeparator) {
            m_toolBar->addSeparator();
            continue;
        }
        if (e->style == StylePanel) {
            QWidget *control = m_panels.value(key);
            if (!control) {
                control = new QWidget;
                control->setObjectName(key);
            }
            control->setFixedWidth(qMax(0, toPixels(e->panelWidth)));
            m_toolBar->addWidget(control);
            continue;
        }
        QAction *action = makeAction(key, bar, m_element, m_toolBar);
        m_toolBar->addAction(action);
        if (QWidget *button = m_toolBar->widgetForAction(action)) {
            // Reachable from the keyboard: Tab, and the arrows along the bars.
            button->setFocusPolicy(Qt::TabFocus);
            button->installEventFilter(this);
        }
        update(key); // now that the action has its button
        if (e->opensMenu()) {
            QMenu *menu = makeMenu(e->bar);
            m_menus.insert(key, menu);
            action->setMenu(menu);
            if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(action))) {
                button->setPopupMode(QToolButton::InstantPopup);
                // The menu took the pointer away from the button, which
                // never learnt that it left: it would go on looking hovered
                // (pressed, in the flat looks) until the pointer came back.
                connect(menu, &QMenu::aboutToHide, button, [button] {
                    QMetaObject::invokeMethod(button, [button] {
                        const bool under = button->rect().contains(button->mapFromGlobal(QCursor::pos()));
                        button->setDown(false);
                        button->setAttribute(Qt::WA_UnderMouse, under);
                        button->update();
                    }, Qt::QueuedConnection);
                });
            }
        }
    }
    setBarStyle(m_style);
}

QMenu *CommandBarView::makeMenu(const QString &bar)
{
    auto *menu = new QMenu;
    menu->setObjectName(bar);
    menu->setToolTipsVisible(true);
    m_allMenus << menu;
    for (const QString &key : m_bars.bar(bar)) {
        const CommandEntry *e = m_bars.entry(key);
        if (!e)
            continue;
        if (e->style == StyleSeparator)
            menu->addSeparator();
        else
            menu->addAction(makeAction(key, bar, m_menuElement, menu));
    }
    // Floating bars rest while a menu is open.
    connect(menu, &QMenu::aboutToShow, this, &CommandBarView::menuOpened);
    connect(menu, &QMenu::aboutToHide, this, &CommandBarView::menuClosed);
    return menu;
}

QAction *CommandBarView::makeAction(const QString &key, const QString &inBar, Element clickElement, QWidget *owner)
{
    auto *action = new QAction(owner);
    action->setObjectName(key);
    action->setData(key);
    // Shown beside a menu's entry; the window itself answers the keys (on a
    // button of the bar they would clash with the window's own).
    if (qobject_cast<QMenu *>(owner)) {
        action->setShortcuts(keys::shortcutsOf(key));
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    m_actions.insert(key, action);
    update(key);
    connect(action, &QAction::triggered, this, [this, key, inBar, clickElement] {
        m_bars.clickEntry(key, inBar);
        update(key);
        emit clicked(clickElement, key);
    });
    return action;
}

void CommandBarView::setPanelWidget(const QString &key, QWidget *control) { m_panels.insert(key, control); }

void CommandBarView::setEndInset(int pixels)
{
    if (pixels == m_endInset)
        return;
    m_endInset = pixels;
    auto *box = static_cast<QHBoxLayout *>(layout());
    box->setContentsMargins(0, 0, qMax(0, pixels), 0);
    box->setAlignment(m_toolBar, Qt::AlignRight | Qt::AlignVCenter);
}

QList<QToolButton *> CommandBarView::focusableButtons() const
{
    QList<QToolButton *> out;
    for (QAction *action : m_toolBar->actions()) {
        auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(action));
        if (button && button->isEnabled() && button->isVisible() && button->focusPolicy() != Qt::NoFocus)
            out << button;
    }
    return out;
}

bool CommandBarView::focusButton(int which)
{
    const QList<QToolButton *> buttons = focusableButtons();
    if (buttons.isEmpty())
        return false;
    (which < 0 ? buttons.last() : buttons.first())->setFocus(Qt::TabFocusReason);
    return true;
}

bool CommandBarView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *button = qobject_cast<QToolButton *>(watched);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (!button)
        return false;
    const QList<QToolButton *> buttons = focusableButtons();
    const qsizetype at = buttons.indexOf(button);
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = key == Qt::Key_Left ? -1 : 1;
        const qsizetype next = at + step;
        if (at < 0 || next < 0 || next >= buttons.size())
            emit leftBar(step);
        else
            buttons[next]->setFocus(Qt::TabFocusReason);
        return true;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
        focusButton(key == Qt::Key_Home ? 0 : -1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Only the entries with a drop-down bar pop up at once.
        if (button->popupMode() == QToolButton::InstantPopup)
            button->showMenu();
        else if (key != Qt::Key_Down)
            button->click();
        return true;
    case Qt::Key_Escape:
        emit escaped();
        return true;
    default:
        return false;
    }
}

void CommandBarView::update(const QString &key)
{
    const CommandEntry *e = m_bars.entry(key);
    if (!e)
        return;
    const QList<QAction *> actions = m_actions.values(key);
    for (QAction *action : actions) {
        // Screen readers announce the caption, or the tooltip where there is none.
        action->setText(e->caption.isEmpty() ? e->tooltip : e->caption);
        action->setToolTip(e->tooltip.isEmpty() ? e->caption : e->tooltip);
        action->setIcon(m_images.icon(e->image));
        action->setCheckable(e->style == StyleCheck || e->style == StyleOption);
        action->setChecked(e->checked);
        if (action->isCheckable()) {
            // The styles mark a checked entry with a frame round its picture
            // that is easily missed: the entry that is on (the language, the
            // voice) also stands out in bold.
            QFont font = action->font();
            font.setBold(e->checked);
            action->setFont(font);
        }
        action->setEnabled(e->enabled);
        if (QWidget *button = m_toolBar->widgetForAction(action))
            button->setAccessibleName(action->text());
    }
}

namespace {

// A menu longer than the screen (the voices) scrolls instead of spreading
// over the screen in columns.
QString common() { return QStringLiteral("QMenu { menu-scrollable: 1; }"); }

} // namespace

QString CommandBarView::styleSheet(int style)
{
    switch (style) {
    case 1: // flat, light
        return QStringLiteral(
            "QToolBar { background: #f4f7fb; border: none; spacing: 1px; padding: 0px; }"
            "QToolButton { border: 1px solid transparent; border-radius: 2px; padding: 1px; background: transparent; }"
            "QToolButton:hover { background: #dbe9f8; border-color: #8fb8e6; }"
            "QToolButton:pressed, QToolButton:checked { background: #bcd6f2; border-color: #5e95d3; }"
            "QToolBar::separator { background: #c9d3df; width: 1px; margin: 4px 3px; }"
            "QMenu { background: #ffffff; border: 1px solid #9bb0c8; }"
            "QMenu::item { padding: 4px 24px 4px 26px; }"
            "QMenu::item:selected { background: #dbe9f8; color: #10233a; }"
            "QMenu::separator { height: 1px; background: #d8dee6; margin: 3px 6px; }"
            "QMenu::icon:checked { background: #bcd6f2; border: 1px solid #5e95d3; border-radius: 2px; }"
            "QToolButton:focus { border-color: #2f6fb8; }") + common();
    case 2: // dark
        return QStringLiteral(
            "QToolBar { background: #23272e; border: none; spacing: 1px; padding: 0px; }"
            "QToolButton { border: 1px solid transparent; border-radius: 3px; padding: 1px; background: transparent; color: #e8e8e8; }"
            "QToolButton:hover { background: #3a4150; border-color: #56627a; }"
            "QToolButton:pressed, QToolButton:checked { background: #4b5568; }"
            "QToolBar::separator { background: #4a5160; width: 1px; margin: 4px 3px; }"
            "QMenu { background: #2b3038; color: #e8e8e8; border: 1px solid #4a5160; }"
            "QMenu::item { padding: 4px 24px 4px 26px; }"
            "QMenu::item:selected { background: #3f6fb0; color: #ffffff; }"
            "QMenu::item:disabled { color: #7a828f; }"
            "QMenu::separator { height: 1px; background: #4a5160; margin: 3px 6px; }"
            "QMenu::icon:checked { background: #3f6fb0; border: 1px solid #8fb3e8; border-radius: 2px; }"
            "QToolButton:focus { border-color: #8fb3e8; }") + common();
    case 3: // classic, raised
        return QStringLiteral(
            "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f2f6fd, stop:1 #c5d5ee);"
            " border-bottom: 1px solid #8ea6cc; spacing: 1px; padding: 0px; }"
            "QToolButton { border: 1px solid #9db2d3; border-radius: 3px; padding: 0px;"
            " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dbe5f5); }"
            "QToolButton:hover { border-color: #e39a2b; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
            " stop:0 #fff4d6, stop:1 #ffd88a); }"
            "QToolButton:pressed, QToolButton:checked { background: #ffc05a; border-color: #c77f12; }"
            "QToolBar::separator { background: #8ea6cc; width: 2px; margin: 3px 3px; }"
            "QMenu { background: #fbfcff; border: 2px solid #6d8ebf; }"
            "QMenu::item { padding: 4px 24px 4px 26px; }"
            "QMenu::item:selected { background: #ffd88a; color: #000000; border: 1px solid #e39a2b; }"
            "QMenu::separator { height: 2px; background: #b8c8e2; margin: 3px 6px; }"
            "QMenu::icon:checked { background: #ffc05a; border: 1px solid #c77f12; border-radius: 2px; }"
            "QToolButton:focus { border-color: #c77f12; }") + common();
    default: // the desktop's own look, packed tight enough for the narrow bars
        return QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                              "QToolButton { padding: 1px; }"
                              "QMenu::icon:checked { background: palette(highlight); border-radius: 2px; }"
                              "QToolButton:focus { border: 1px solid palette(highlight); border-radius: 2px; }") +
               common();
    }
}

void CommandBarView::setBarStyle(int style)
{
    m_style = style;
    const QString sheet = styleSheet(style);
    m_toolBar->setStyleSheet(sheet);
    for (const QPointer<QMenu> &menu : std::as_const(m_allMenus)) {
        if (menu)
            menu->setStyleSheet(sheet);
    }
}

} // namespace lorva
