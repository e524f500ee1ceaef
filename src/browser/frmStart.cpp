#include "browser/frmStart.h"

#include "browser/FindBar.h"
#include "browser/MainCommands.h"
#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "browser/PageProperties.h"
#include "browser/Zoom.h"
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "commands/ImageList.h"
#include "config/Language.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
#include <QSizeGrip>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

Q_LOGGING_CATEGORY(lcStartup, "lorva.startup", QtWarningMsg)

namespace lorva {

int ComboHistory::count() const { return m_box->count(); }

QString ComboHistory::item(int index) const { return m_box->itemText(index); }

void ComboHistory::append(const QString &text)
{
    // Adding to an empty list would put the item into the box.
    const QString typed = m_box->currentText();
    m_box->addItem(text);
    m_box->setEditText(typed);
}

QString ComboHistory::text() const { return m_box->currentText(); }

frmStart::frmStart(const QString &programFolder, MainState &main, Placement &placement, Options &options,
                   Language &language, CommandBars &commands, const ImageList &images, Dispatcher &dispatcher,
                   Platform &platform)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_dialogs(platform.createDialogs(this)),
      m_picBar(new QWidget(this)),
      m_cmdBar{new CommandBarView(commands, images, elements::StartTools, elements::StartMenus, m_picBar),
               new CommandBarView(commands, images, elements::StartTabs, elements::StartMenus, m_picBar),
               new CommandBarView(commands, images, elements::StartSites, elements::StartMenus, m_picBar)},
      m_text1(new QComboBox(m_cmdBar[1])), m_text1Label(new QLabel(m_cmdBar[1])),
      m_status(new StatusStripWidget(images, this)), m_sizeGrip(new QSizeGrip(this)), m_findBar(new FindBar(this)),
      m_history(m_text1), m_tabs(platform, main.layout, this, m_cmdBar[1]),
      m_ctx{programFolder, main,   placement, options, language, commands, images, dispatcher, platform,
            m_tabs,        *this,  *m_status, m_timers, *this,  m_frame,  *this,  *m_dialogs}
{
    setObjectName(QStringLiteral("frmStart"));
    setMinimumSize(200, 80);
    m_picBar->setObjectName(QStringLiteral("picBar"));
    for (CommandBarView *bar : m_cmdBar) {
        connect(bar, &CommandBarView::clicked, this,
                [this](Element element, const QString &key) { m_ctx.dispatcher.click(element, key); });
        connect(bar, &CommandBarView::menuOpened, this, [this] { Menu_Opened(m_ctx); });
        connect(bar, &CommandBarView::menuClosed, this, [this] { Menu_Closed(m_ctx); });
    }
    // The tab strip is the control of the tab bar's panel.
    m_cmdBar[1]->setPanelWidget(keys::Nil4, Tab1());
    m_findBar->setFinder([this](const QString &text, bool backward) {
        BrowserView *view = Web(m_tabs.currentTab());
        if (!view)
            return;
        QPointer<FindBar> bar(m_findBar);
        view->findText(text, backward, [bar](int matches, int current) {
            if (bar)
                bar->showMatches(matches, current);
        });
    });
    Tab1()->installEventFilter(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    // Screen readers on Linux name an editable box by its label, not by an
    // accessible name (which would be its text): a label that stays hidden.
    m_text1Label->setBuddy(m_text1);
    m_text1Label->hide();
    m_text1->setEditable(true);
    m_text1->setInsertPolicy(QComboBox::NoInsert);
    m_text1->setMaxVisibleItems(30);
    // One more than the engine takes, so that a longer address is seen as
    // too long instead of being cut to fit without a word.
    m_text1->lineEdit()->setMaxLength(kMaxAddressLength + 1);
    // Keys typed into the box reach the combo box, which hands them to its
    // line edit directly: both are watched.
    m_text1->installEventFilter(this);
    m_text1->lineEdit()->installEventFilter(this);
    connect(m_text1, &QComboBox::activated, this, [this](int) { Text1_Click(m_ctx); });

    connect(timer(MainTimer::Timer1), &QTimer::timeout, this, [this] { Timer1_Timer(m_ctx); });
    connect(timer(MainTimer::Timer5), &QTimer::timeout, this, [this] { Timer5_Timer(m_ctx); });
    connectTabStrip();
    addKeyboardRoutes();
    qApp->installEventFilter(this); // Escape stops speech wherever the focus is
}

frmStart::~frmStart() = default;

void frmStart::connectTabStrip()
{
    // Every view, shown or not, keeps its own tab's page; the current tab's shows.
    connect(&m_tabs, &TabStrip::statusTextChanged, this,
            [this](int index, const QString &text) { Web_StatusTextChange(m_ctx, index, text); });
    connect(&m_tabs, &TabStrip::progressChanged, this,
            [this](int index, int progress, int maximum) { Web_ProgressChange(m_ctx, index, progress, maximum); });
    connect(&m_tabs, &TabStrip::titleChanged, this,
            [this](int index, const QString &title) { Web_TitleChange(m_ctx, index, title); });
    connect(&m_tabs, &TabStrip::beforeNavigate, this,
            [this](int index, const QString &address) { Web_BeforeNavigate2(m_ctx, index, address); });
    connect(&m_tabs, &TabStrip::pageCrashed, this, [this](int index) { Web_PageCrashed(m_ctx, index); });
    connect(&m_tabs, &TabStrip::addressChanged, this,
            [this](int index, const QString &address) { Zoom_Follow(m_ctx, index, address); });
    connect(&m_tabs, &TabStrip::zoomWheel, this, [this](int index, int steps) {
        if (index == m_tabs.currentTab())
            for (int i = 0; i < qAbs(steps); ++i)
                Zoom_Page(m_ctx, steps);
    });
    connect(&m_tabs, &TabStrip::linkInNewTab, this,
            [this](int index, const QString &address) { Web_LinkInNewTab(m_ctx, index, address); });
    connect(&m_tabs, &TabStrip::documentComplete, this, [this](int index, const QString &address) {
        Web_DocumentComplete(m_ctx, index, address);
        if (index == 0 && !m_firstPageReported) {
            m_firstPageReported = true;
            m_status->release();
            qCDebug(lcStartup, "first page loaded: %s", qPrintable(address));
        }
    });
}

QString frmStart::addressText() const { return m_text1->currentText(); }

void frmStart::setAddressText(const QString &text)
{
    m_text1->setEditText(text);
    // An address the program writes while the keyboard is in the box (the
    // first page at start) is replaced by what is typed next, as in any
    // browser, instead of having it added to its end.
    if (m_text1->lineEdit()->hasFocus())
        m_text1->lineEdit()->selectAll();
}

bool frmStart::addressBeingEdited() const { return m_text1->hasFocus() || m_text1->lineEdit()->hasFocus(); }

WindowShowState frmStart::windowShowState() const
{
    if (isMinimized())
        return WindowShowState::Minimized;
    if (isMaximized() || isFullScreen())
        return WindowShowState::Maximized;
    return WindowShowState::Normal;
}

int frmStart::cursorScreenYTwips() const { return m_ctx.platform.pointer->position().y() * kTwipsPerPixel; }

void frmStart::setWindowCaption(const QString &caption) { setWindowTitle(caption); }

void frmStart::setOpacity(int alpha) { setWindowOpacity(qBound(0, alpha, 255) / 255.0); }

void frmStart::setBusyPointer(bool busy)
{
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
}

void frmStart::applyLayout(const MainLayout &l)
{
    m_picBar->setGeometry(toPixels(l.picBar));
    for (int i = 0; i < 3; ++i)
        m_cmdBar[i]->setGeometry(toPixels(l.cmdBar[i]));
    // The site bar reaches past the window's right edge: its buttons stay inside.
    m_cmdBar[2]->setEndInset(m_picBar->x() + m_cmdBar[2]->geometry().right() + 1 - width());
    m_text1->setGeometry(toPixels(l.Text1));
    m_text1->raise();
    m_status->applyLayout(l);
    // The tab panel gives way to the address box in a narrow window.
    if (const int tabPanel = toPixels(l.Tab1.width); Tab1()->width() != tabPanel && tabPanel > 0)
        Tab1()->setFixedWidth(tabPanel);
    m_tabs.updateTabWidths();

    placeFindBar();
    const int grip = 12;
    m_sizeGrip->setGeometry(width() - grip, height() - grip, grip, grip);
    m_sizeGrip->raise();
}

void frmStart::activateWindow() { QWidget::activateWindow(); }

void frmStart::minimizeWindow() { showMinimized(); }

void frmStart::hideWindow() { hide(); }

void frmStart::closeProgram() { close(); }

void frmStart::unloadWindow()
{
    close();
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

void frmStart::attachCommandBars(int style)
{
    m_cmdBar[0]->showBar(keys::Standard0);
    m_cmdBar[2]->showBar(keys::Standard2);
    m_cmdBar[1]->showBar(keys::Standard1);
    applyBarStyle(style);
    Tab1()->setFixedHeight(toPixels(m_ctx.main.layout.Tab1.height));
    m_tabs.updateTabWidths();
}

void frmStart::applyBarStyle(int style)
{
    for (CommandBarView *bar : m_cmdBar)
        bar->setBarStyle(style);
    // The bar area takes the colour of the bars.
    m_picBar->setStyleSheet(style == 2 ? QStringLiteral("#picBar { background: #23272e; }")
                            : style == 1 ? QStringLiteral("#picBar { background: #f4f7fb; }")
                            : style == 3 ? QStringLiteral("#picBar { background: #dbe5f5; }")
                                         : QString());
    m_status->setBarStyle(style);
}

void frmStart::placeFindBar()
{
    const QSize size = m_findBar->sizeHint().expandedTo(QSize(360, 0));
    const QRect view = toPixels(m_ctx.main.layout.view);
    m_findBar->setGeometry(qMax(0, width() - size.width() - 16), view.top() + 4, size.width(), size.height());
}

void frmStart::showFindBar()
{
    const auto &C = m_ctx.language.Captions;
    m_findBar->setTexts(C[227], C[228], C[229], C[230]);
    placeFindBar();
    m_findBar->open();
}

void frmStart::showPageProperties()
{
    if (BrowserView *view = Web(m_tabs.currentTab()))
        lorva::showPageProperties(this, *view, m_ctx.language);
}

void frmStart::setWindowNames(const WindowNames &names)
{
    m_tabs.setReadAloudEntry(names.readAloud);
    m_tabs.setLinkEntries(names.linkInNewTab, names.linkInNewWindow);
    m_status->setNames(names);
    setAccessibleName(names.window);
    for (int i = 0; i < 3; ++i) {
        m_cmdBar[i]->setAccessibleName(names.bars[i]);
        m_cmdBar[i]->toolBar()->setAccessibleName(names.bars[i]);
    }
    m_text1Label->setText(names.addressBox);
    m_text1->lineEdit()->setAccessibleName(names.addressBox);
}

void frmStart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_loaded)
        Form_Resize(m_ctx);
}

void frmStart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_loaded)
        Form_Resize(m_ctx);
}

void frmStart::closeEvent(QCloseEvent *event)
{
    emit closing();
    event->accept();
}

void frmStart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    qCDebug(lcStartup, "main window shown");
    // A first page that takes long must not leave the strip still.
    QTimer::singleShot(1500, m_status, &StatusStripWidget::release);
}

} // namespace lorva
