// The main window's mouse and keyboard: the tab strip, the address box and
// the keyboard routes to the bars and tabs.
#include "browser/frmStart.h"

#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "browser/Zoom.h"
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace lorva {

namespace {

int buttonBits(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

constexpr int kEnterKey = 13;
constexpr int kF12Key = 123;

} // namespace

bool frmStart::eventFilter(QObject *watched, QEvent *event)
{
    // Escape anywhere in the window stops what is being spoken, before the
    // page (which keeps Escape for itself) or a bar sees it; they still do.
    // While the status strip shows downloads, Escape cancels them too.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
        watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
        stopSpeaking();
        if (m_ctx.status.showsDownloads())
            m_ctx.dispatcher.click(elements::StartMenus, keys::EditCancelDownload);
    }
    if (watched == Tab1())
        return handleTabStrip(event);
    if (watched == m_text1 || watched == m_text1->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Text1_KeyDown(m_ctx, kEnterKey))
                return true;
        } else if (event->type() == QEvent::FocusIn) {
            Text1_GotFocus(m_ctx);
            // The keyboard may reach the box only once the window is made
            // active, after the program wrote the first page's address
            // there (the window manager's timing, the pointer's place):
            // an address nobody has edited is still replaced by what is
            // typed, not added to.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            QLineEdit *edit = m_text1->lineEdit();
            if (watched == edit && !edit->isModified() &&
                (reason == Qt::ActiveWindowFocusReason || reason == Qt::OtherFocusReason))
                QTimer::singleShot(0, edit, [edit] {
                    if (edit->hasFocus() && !edit->isModified())
                        edit->selectAll();
                });
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool frmStart::handleTabStrip(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        // The event's own buttons too: a quick click may be over before the
        // server is asked.
        Tab1_MouseDown(m_ctx.main, m_ctx.platform.pointer->buttons() | buttonBits(mouse->buttons() | mouse->button()));
        const int index = Tab1()->tabAt(mouse->position().toPoint());
        if (index >= 0 && mouse->button() == Qt::LeftButton)
            m_tabs.setCurrentTab(index);
        if (index >= 0)
            Tab1_Click(m_ctx);
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    case QEvent::MouseMove:
        Tab1_MouseMove(m_ctx, int(static_cast<QMouseEvent *>(event)->position().x()));
        return false;
    default:
        return false;
    }
}

void frmStart::addKeyboardRoutes()
{
    const auto shortcut = [this](const QKeySequence &keys, auto action) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::Key_F12), [this] { Form_KeyDown(m_ctx, kF12Key); });
    // F10 goes to the main tool bar, as to a menu bar; again, back to the page.
    shortcut(QKeySequence(Qt::Key_F10), [this] {
        for (CommandBarView *bar : m_cmdBar) {
            if (bar->isAncestorOf(QApplication::focusWidget())) {
                m_tabs.focusView(m_tabs.currentTab());
                return;
            }
        }
        focusNextBar(-1, 1);
    });
    for (CommandBarView *bar : m_cmdBar) {
        const int index = bar->element().index;
        connect(bar, &CommandBarView::leftBar, this, [this, index](int direction) { focusNextBar(index, direction); });
        connect(bar, &CommandBarView::escaped, this, [this] { m_tabs.focusView(m_tabs.currentTab()); });
    }
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D),
                                     QKeySequence(Qt::Key_F6)})
        shortcut(keys, [this] { focusAddressBox(); });
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        shortcut(keys, [this] { selectTabFromKeyboard(1); });
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        shortcut(keys, [this] { selectTabFromKeyboard(-1); });

    // The keys other browsers have, each the same as its menu entry.
    for (const QString &key : {keys::NavigateBack, keys::NavigateNext, keys::NavigateRefresh, keys::EditFindDoc,
                               keys::SpeakNext, keys::SpeakPrev})
        for (const QKeySequence &sequence : keys::shortcutsOf(key))
            shortcut(sequence, [this, key] { m_ctx.dispatcher.click(elements::StartMenus, key); });
    // Zoom, with the keyboard in the page or in the address box alike (the
    // box has no use of its own for these keys).
    for (const int direction : {1, -1, 0})
        for (const QKeySequence &sequence : keys::zoomKeys(direction))
            shortcut(sequence, [this, direction] { Zoom_Page(m_ctx, direction); });
    // F7 gives the page a caret to select text with from the keyboard.
    shortcut(QKeySequence(Qt::Key_F7), [this] {
        if (BrowserView *view = Web(m_tabs.currentTab())) {
            m_tabs.focusView(m_tabs.currentTab());
            view->startCaret();
        }
    });
}

void frmStart::focusNextBar(int from, int direction)
{
    // The bars in the order they stand, left to right: 0, 1, 2.
    for (int step = 1; step <= 3; ++step) {
        const int next = ((from < 0 ? (direction > 0 ? -1 : 3) : from) + direction * step + 6) % 3;
        if (m_cmdBar[next]->focusButton(direction > 0 ? 0 : -1))
            return;
    }
}

void frmStart::selectTabFromKeyboard(int step)
{
    const int count = m_tabs.tabCount();
    if (count < 1)
        return;
    // The same as a left click on the tab.
    Tab1_MouseDown(m_ctx.main, 1);
    m_tabs.setCurrentTab((m_tabs.currentTab() + step + count) % count);
    Tab1_Click(m_ctx);
}

void frmStart::focusAddressBox()
{
    m_text1->setFocus(Qt::ShortcutFocusReason);
    m_text1->lineEdit()->selectAll();
}

void frmStart::stopSpeaking() { m_ctx.dispatcher.click(elements::StartMenus, keys::SpeakStop); }

} // namespace lorva
