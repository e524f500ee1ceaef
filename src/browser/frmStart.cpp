#include "browser/frmStart.h"

#include "browser/FindBar.h"
#include "browser/MainCommands.h"
#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "browser/PageProperties.h"
#include "commands/CommandBarView.h"
#include "commands/Dispatcher.h"
#include "commands/ImageList.h"
#include "config/Language.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/MoveHandle.h"
#include "platform/Platform.h"
#include "platform/Screens.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSizeGrip>
#include <QTabBar>
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

frmStart::frmStart(const MainValues &values)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_dialogs(values.platform.createDialogs(this)),
      m_ctx{values, *this, *this, *this, *this, *this, *this, *m_dialogs}, m_picBar(new QWidget(this)),
      m_cmdBar{new CommandBarView(values.commands, values.images, elements::StartTools, elements::StartMenus, m_picBar),
               new CommandBarView(values.commands, values.images, elements::StartTabs, elements::StartMenus, m_picBar),
               new CommandBarView(values.commands, values.images, elements::StartSites, elements::StartMenus, m_picBar)},
      m_tab1(new QTabBar(m_cmdBar[1])), m_text1(new QComboBox(m_cmdBar[1])),
      m_text1Label(new QLabel(m_cmdBar[1])), m_picStat(new QWidget(this)),
      m_cmdMoveL(new QToolButton(m_picStat)), m_statusBar(new QLabel(m_picStat)),
      m_timebar(new QToolButton(m_picStat)), m_progressBar(new QProgressBar(m_picStat)),
      m_cmdMove(new QToolButton(m_picStat)), m_sizeGrip(new QSizeGrip(this)), m_findBar(new FindBar(this)),
      m_history(m_text1)
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
    m_cmdBar[1]->setPanelWidget(QStringLiteral("NIL4"), m_tab1);
    m_findBar->setFinder([this](const QString &text, bool backward) {
        BrowserView *view = Web(currentTab());
        if (!view)
            return;
        QPointer<FindBar> bar(m_findBar);
        view->findText(text, backward, [bar](bool found) {
            if (bar)
                bar->setFound(found);
        });
    });
    m_tab1->setObjectName(QStringLiteral("Tab1"));
    m_tab1->setExpanding(false);
    m_tab1->setUsesScrollButtons(false);
    m_tab1->setElideMode(Qt::ElideRight);
    m_tab1->setDrawBase(false);
    m_tab1->setFocusPolicy(Qt::NoFocus); // tabs change by the mouse or Ctrl+Tab, as the views follow clicks
    m_tab1->setMouseTracking(true);
    m_tab1->installEventFilter(this);
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

    m_picStat->setObjectName(QStringLiteral("picStat"));
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setTextFormat(Qt::PlainText);
    m_timebar->setObjectName(QStringLiteral("timebar"));
    m_timebar->setAutoRaise(true);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    for (QToolButton *button : {m_cmdMoveL, m_cmdMove}) {
        button->setAutoRaise(true);
        new MoveHandle(button, this);
    }
    m_cmdMove->setIcon(m_ctx.images.icon(121));
    m_cmdMoveL->setIcon(m_ctx.images.icon(122));
    m_cmdMoveL->setObjectName(QStringLiteral("cmdMoveL"));
    m_cmdMove->setObjectName(QStringLiteral("cmdMove"));

    const char *names[] = {"Timer1", "Timer4", "Timer5", "Timer6"};
    for (int i = 0; i < 4; ++i) {
        m_timers[i] = new QTimer(this);
        m_timers[i]->setObjectName(QLatin1String(names[i]));
    }
    connect(timer(MainTimer::Timer1), &QTimer::timeout, this, [this] { Timer1_Timer(m_ctx); });
    connect(timer(MainTimer::Timer5), &QTimer::timeout, this, [this] { Timer5_Timer(m_ctx); });
    addKeyboardRoutes();
    qApp->installEventFilter(this); // Escape stops speech wherever the focus is

    // View 0 always exists.
    m_tab1->addTab(QString());
    createView(0);
}

frmStart::~frmStart() = default;

BrowserView *frmStart::Web(int index) const
{
    return index >= 0 && index < int(m_web.size()) ? m_web[index].get() : nullptr;
}

QTimer *frmStart::timer(MainTimer which) const { return m_timers[int(which)]; }

void frmStart::setTabCount(int count)
{
    const QSignalBlocker block(m_tab1);
    while (m_tab1->count() < count)
        m_tab1->addTab(QString());
    while (m_tab1->count() > count)
        m_tab1->removeTab(m_tab1->count() - 1);
    updateTabWidths();
}

int frmStart::tabCount() const { return m_tab1->count(); }

void frmStart::createView(int index)
{
    if (index < int(m_web.size()) && m_web[index])
        return;
    if (index >= int(m_web.size()))
        m_web.resize(index + 1);
    m_web[index] = m_ctx.platform.createBrowserView(this);
    BrowserView *view = m_web[index].get();
    view->widget()->setProperty("index", index);
    view->widget()->hide();
    // Script dialogs of pages are not shown.
    view->setSilent(true);
    connectView(view, index);
}

void frmStart::connectView(BrowserView *view, int index)
{
    // Every view, shown or not, drives the shared address box and status strip.
    connect(view, &BrowserView::StatusTextChange, this, [this](const QString &text) { Web_StatusTextChange(m_ctx, text); });
    connect(view, &BrowserView::ProgressChange, this,
            [this](int progress, int maximum) { Web_ProgressChange(m_ctx, progress, maximum); });
    connect(view, &BrowserView::TitleChange, this, [this](const QString &title) { Web_TitleChange(m_ctx, title); });
    connect(view, &BrowserView::BeforeNavigate2, this,
            [this](const QString &address) { Web_BeforeNavigate2(m_ctx, address); });
    connect(view, &BrowserView::LeftButtonUp, this, [this, index] { emit viewLeftButtonUp(index); });
    connect(view, &BrowserView::ReadFrom, this, [this, index](QPoint point) { emit viewReadFrom(index, point); });
    view->setReadAloudEntry(m_names.readAloud);
    connect(view, &BrowserView::PageCrashed, this, [this, index] { Web_PageCrashed(m_ctx, index); });
    connect(view, &BrowserView::DocumentComplete, this, [this, index](const QString &address) {
        Web_DocumentComplete(m_ctx, address);
        if (index == 0 && !m_firstPageReported) {
            m_firstPageReported = true;
            releaseStrip();
            qCDebug(lcStartup, "first page loaded: %s", qPrintable(address));
        }
    });
}

void frmStart::setTabCaption(int index, const QString &caption)
{
    if (index >= 0 && index < m_tab1->count())
        m_tab1->setTabText(index, caption);
}

QString frmStart::tabCaption(int index) const { return m_tab1->tabText(index); }

void frmStart::setTabToolTip(const QString &text) { m_tab1->setToolTip(text); }

void frmStart::updateTabWidths()
{
    // Equal tabs filling the panel, so that the pointer's place tells the tab.
    const int count = qMax(1, m_tab1->count());
    const int width = qMax(24, toPixels(m_ctx.main.layout.Tab1.width) / count);
    // Every resize lays the window out; restyling the strip only when the
    // width changes keeps that cheap.
    if (width == m_tabWidthPixels)
        return;
    m_tabWidthPixels = width;
    m_tab1->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; }").arg(width - 4));
}

void frmStart::setCurrentTab(int index)
{
    const QSignalBlocker block(m_tab1);
    m_tab1->setCurrentIndex(index);
}

int frmStart::currentTab() const { return m_tab1->currentIndex(); }

void frmStart::showView(int index)
{
    if (BrowserView *view = Web(index)) {
        view->widget()->setGeometry(toPixels(m_ctx.main.layout.view));
        view->widget()->show();
        view->widget()->raise();
    }
}

void frmStart::setViewVisible(int index, bool visible)
{
    if (visible)
        showView(index);
    else if (BrowserView *view = Web(index))
        view->widget()->hide();
}

void frmStart::placeView(int index, const TwipsRect &place)
{
    if (BrowserView *view = Web(index))
        view->widget()->setGeometry(toPixels(place));
}

void frmStart::focusView(int index)
{
    if (BrowserView *view = Web(index))
        view->widget()->setFocus();
}

QString frmStart::addressText() const { return m_text1->currentText(); }

void frmStart::setAddressText(const QString &text) { m_text1->setEditText(text); }

bool frmStart::addressBeingEdited() const { return m_text1->hasFocus() || m_text1->lineEdit()->hasFocus(); }

void frmStart::setStatusText(const QString &text)
{
    if (m_held.holding)
        m_held.status = text;
    else
        m_statusBar->setText(text);
}

void frmStart::setProgress(int value)
{
    if (m_held.holding)
        m_held.progress = qBound(0, value, 100);
    else
        m_progressBar->setValue(qBound(0, value, 100));
}

// Each change of the status strip or the progress bar repaints the window;
// while the engine draws its first page those repaints hold it up (by about
// a tenth of a second where OpenGL draws). So they wait, and the strip shows
// where the first load ended at once: when it completes, or after a while.
void frmStart::releaseStrip()
{
    if (!m_held.holding)
        return;
    m_held.holding = false;
    if (m_held.status)
        m_statusBar->setText(*m_held.status);
    if (m_held.progress)
        m_progressBar->setValue(*m_held.progress);
}

void frmStart::setTimebarPicture(int image)
{
    m_timebarPicture = image;
    m_timebar->setIcon(m_ctx.images.icon(image));
    const QString &name = image == kSpeechOnPicture ? m_names.speechOn : m_names.speechOff;
    m_timebar->setAccessibleName(name);
    m_timebar->setToolTip(name);
}

void frmStart::setTimerInterval(MainTimer which, int milliseconds) { timer(which)->setInterval(milliseconds); }

int frmStart::timerInterval(MainTimer which) const { return timer(which)->interval(); }

void frmStart::setTimerEnabled(MainTimer which, bool enabled)
{
    if (enabled)
        timer(which)->start();
    else
        timer(which)->stop();
}

int frmStart::screenWidthTwips() const { return screenGeometry(this).width() * kTwipsPerPixel; }

int frmStart::screenHeightTwips() const { return screenGeometry(this).height() * kTwipsPerPixel; }

int frmStart::innerWidthTwips() const { return width() * kTwipsPerPixel; }

int frmStart::innerHeightTwips() const { return height() * kTwipsPerPixel; }

TwipsRect frmStart::windowRectTwips() const
{
    const QRect r = frameGeometry();
    return {r.left() * kTwipsPerPixel, r.top() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
            r.height() * kTwipsPerPixel};
}

WindowShowState frmStart::windowShowState() const
{
    if (isMinimized())
        return WindowShowState::Minimized;
    if (isMaximized() || isFullScreen())
        return WindowShowState::Maximized;
    return WindowShowState::Normal;
}

int frmStart::cursorScreenYTwips() const { return m_ctx.platform.pointer->position().y() * kTwipsPerPixel; }

void frmStart::moveWindowTwips(int left, int top, int width, int height)
{
    setGeometry(toPixels(left), toPixels(top), qMax(1, toPixels(width)), qMax(1, toPixels(height)));
}

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
    m_picStat->setGeometry(toPixels(l.picStat));
    m_cmdMoveL->setGeometry(toPixels(l.cmdMoveL));
    m_statusBar->setGeometry(toPixels(l.statusBar));
    m_timebar->setGeometry(toPixels(l.timebar));
    m_progressBar->setGeometry(toPixels(l.progressBar));
    m_cmdMove->setGeometry(toPixels(l.cmdMove));
    m_statusBar->setVisible(l.statusBarVisible);
    m_picStat->setVisible(l.picStatVisible);
    // The tab panel gives way to the address box in a narrow window.
    if (const int tabPanel = toPixels(l.Tab1.width); m_tab1->width() != tabPanel && tabPanel > 0)
        m_tab1->setFixedWidth(tabPanel);
    updateTabWidths();

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
    m_cmdBar[0]->showBar(QStringLiteral("STANDARD0"));
    m_cmdBar[2]->showBar(QStringLiteral("STANDARD2"));
    m_cmdBar[1]->showBar(QStringLiteral("STANDARD1"));
    applyBarStyle(style);
    m_tab1->setFixedHeight(toPixels(m_ctx.main.layout.Tab1.height));
    updateTabWidths();
}

void frmStart::applyBarStyle(int style)
{
    for (CommandBarView *bar : m_cmdBar)
        bar->setBarStyle(style);
    // The bar area and the status strip take the colour of the bars.
    m_picBar->setStyleSheet(style == 2 ? QStringLiteral("#picBar { background: #23272e; }")
                            : style == 1 ? QStringLiteral("#picBar { background: #f4f7fb; }")
                            : style == 3 ? QStringLiteral("#picBar { background: #dbe5f5; }")
                                         : QString());
    m_picStat->setStyleSheet(
        style == 2   ? QStringLiteral("#picStat { background: #23272e; } #picStat QLabel { color: #e8e8e8; }"
                                      "#picStat QToolButton { color: #e8e8e8; border: none; }")
        : style == 1 ? QStringLiteral("#picStat { background: #f4f7fb; border-top: 1px solid #c9d3df; }")
        : style == 3 ? QStringLiteral("#picStat { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                      " stop:0 #dbe5f5, stop:1 #c5d5ee); border-top: 1px solid #8ea6cc; }")
                     : QString());
    m_picStat->setAttribute(Qt::WA_StyledBackground, style != 0);
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
    if (BrowserView *view = Web(currentTab()))
        lorva::showPageProperties(this, *view, m_ctx.language);
}

void frmStart::setWindowNames(const WindowNames &names)
{
    m_names = names;
    for (int i = 0; i < kMaxTabs; ++i) {
        if (BrowserView *view = Web(i))
            view->setReadAloudEntry(names.readAloud);
    }
    for (QToolButton *button : {m_cmdMove, m_cmdMoveL}) {
        button->setToolTip(names.moveButtons);
        button->setAccessibleName(names.moveButtons);
    }
    setAccessibleName(names.window);
    for (int i = 0; i < 3; ++i) {
        m_cmdBar[i]->setAccessibleName(names.bars[i]);
        m_cmdBar[i]->toolBar()->setAccessibleName(names.bars[i]);
    }
    m_text1Label->setText(names.addressBox);
    m_text1->lineEdit()->setAccessibleName(names.addressBox);
    setTimebarPicture(m_timebarPicture);
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
    QTimer::singleShot(1500, this, [this] { releaseStrip(); });
}

} // namespace lorva
