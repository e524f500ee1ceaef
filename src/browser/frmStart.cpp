#include "browser/frmStart.h"

#include "app/AppContext.h"
#include "app/Startup.h"
#include "browser/MainWindowLogic.h"
#include "browser/FindBar.h"
#include "browser/Navigation.h"
#include "commands/CommandBarView.h"
#include "platform/BrowserView.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/Speech.h"
#include "speech/Speech.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSizeGrip>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <cmath>
#include <cstdio>

Q_LOGGING_CATEGORY(lcStartup, "lorva.startup", QtWarningMsg)

namespace lorva {

namespace {

int toPixels(int twips) { return int(std::lround(twips / double(kTwipsPerPixel))); }

QRect toPixels(const TwipsRect &r) { return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)); }

QScreen *screenOf(const QWidget *widget)
{
    QScreen *screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

int buttonBits(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

} // namespace

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

frmStart::frmStart(AppContext &ctx, Platform &platform)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_ctx(ctx), m_platform(platform),
      m_picBar(new QWidget(this)),
      m_cmdBar{new CommandBarView(ctx.commands, m_images, 0, m_picBar),
               new CommandBarView(ctx.commands, m_images, 1, m_picBar),
               new CommandBarView(ctx.commands, m_images, 2, m_picBar)},
      m_tab1(new QTabBar(m_cmdBar[1])), m_text1(new QComboBox(m_cmdBar[1])),
      m_text1Label(new QLabel(m_cmdBar[1])), m_picStat(new QWidget(this)),
      m_cmdMoveL(new QToolButton(m_picStat)), m_statusBar(new QLabel(m_picStat)),
      m_timebar(new QToolButton(m_picStat)), m_progressBar(new QProgressBar(m_picStat)),
      m_cmdMove(new QToolButton(m_picStat)), m_sizeGrip(new QSizeGrip(this)), m_findBar(new FindBar(this)),
      m_history(m_text1), m_dispatcher(ctx, *this, *this)
{
    setObjectName(QStringLiteral("frmStart"));
    setMinimumSize(200, 80);
    m_picBar->setObjectName(QStringLiteral("picBar"));
    for (CommandBarView *bar : m_cmdBar) {
        connect(bar, &CommandBarView::clicked, this, [this](int element, const QString &key) {
            m_dispatcher.click(element, key);
        });
        connect(bar, &CommandBarView::menuOpened, this, [this] { m_dispatcher.menuOpened(); });
        connect(bar, &CommandBarView::menuClosed, this, [this] { m_dispatcher.menuClosed(); });
    }
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
    m_tab1->setFocusPolicy(Qt::NoFocus); // tabs change only by the mouse, as the views follow clicks
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
    connect(m_text1, &QComboBox::activated, this, [this](int) { Text1_Click(m_ctx, *this); });

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
        button->setCursor(Qt::SizeAllCursor);
        button->installEventFilter(this);
    }
    m_cmdMove->setIcon(m_images.icon(121));
    m_cmdMoveL->setIcon(m_images.icon(122));
    m_cmdMoveL->setObjectName(QStringLiteral("cmdMoveL"));
    m_cmdMove->setObjectName(QStringLiteral("cmdMove"));

    const char *names[] = {"Timer1", "Timer4", "Timer5", "Timer6"};
    for (int i = 0; i < 4; ++i) {
        m_timers[i] = new QTimer(this);
        m_timers[i]->setObjectName(QLatin1String(names[i]));
    }
    connect(timer(MainTimer::Timer1), &QTimer::timeout, this, [this] { Timer1_Timer(m_ctx, *this); });
    connect(timer(MainTimer::Timer4), &QTimer::timeout, this, [this] { Timer4_Timer(m_ctx, *this); });
    connect(timer(MainTimer::Timer5), &QTimer::timeout, this, [this] { Timer5_Timer(m_ctx, *this); });
    connect(timer(MainTimer::Timer6), &QTimer::timeout, this, [this] { Timer6_Timer(m_ctx, *this); });
    watchLeftButton();

    auto *f12 = new QShortcut(QKeySequence(Qt::Key_F12), this);
    f12->setContext(Qt::WindowShortcut);
    connect(f12, &QShortcut::activated, this, [this] { Form_KeyDown(m_ctx, *this, 123); });
    addKeyboardRoutes();

    // View 0 always exists.
    m_tab1->addTab(QString());
    createView(0);
}

frmStart::~frmStart() = default;

void frmStart::Form_Load(const QDate &today)
{
    lorva::Form_Load(m_ctx, *this, today);
    m_loaded = true;
}

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
    m_web[index] = m_platform.createBrowserView(this);
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
    connect(view, &BrowserView::StatusTextChange, this, [this](const QString &text) { Web_StatusTextChange(*this, text); });
    connect(view, &BrowserView::ProgressChange, this,
            [this](int progress, int maximum) { Web_ProgressChange(*this, progress, maximum); });
    connect(view, &BrowserView::TitleChange, this, [this](const QString &title) { Web_TitleChange(m_ctx, *this, title); });
    connect(view, &BrowserView::BeforeNavigate2, this,
            [this](const QString &address) { Web_BeforeNavigate2(m_ctx, *this, address); });
    connect(view, &BrowserView::LeftButtonUp, this, [this, index] { Web_LeftButtonUp(m_ctx, *this, index); });
    connect(view, &BrowserView::PageCrashed, this, [this, index] { Web_PageCrashed(m_ctx, *this, index); });
    connect(view, &BrowserView::DocumentComplete, this, [this, index](const QString &address) {
        Web_DocumentComplete(m_ctx, *this, address);
        if (index == 0 && !m_firstPageReported) {
            m_firstPageReported = true;
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

void frmStart::navigateView(int index, const QString &address)
{
    if (BrowserView *view = Web(index))
        view->Navigate(address);
}

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

void frmStart::stopView(int index)
{
    if (BrowserView *view = Web(index))
        view->Stop();
}

void frmStart::refreshView(int index)
{
    if (BrowserView *view = Web(index))
        view->Refresh();
}

void frmStart::focusView(int index)
{
    if (BrowserView *view = Web(index))
        view->widget()->setFocus();
}

void frmStart::pageCommand(int index, int command)
{
    if (BrowserView *view = Web(index))
        view->ExecWB(command);
}

bool frmStart::viewBusy(int index) const
{
    const BrowserView *view = Web(index);
    return view && view->Busy();
}

QString frmStart::viewLocationURL(int index) const
{
    const BrowserView *view = Web(index);
    return view ? view->LocationURL() : QString();
}

QString frmStart::viewReadyState(int index)
{
    BrowserView *view = Web(index);
    return view ? view->readyState() : QString();
}

void frmStart::showViewPage(int index, const QString &html, const QString &address)
{
    if (BrowserView *view = Web(index))
        view->showPage(html, address);
}

QString frmStart::addressText() const { return m_text1->currentText(); }

void frmStart::setAddressText(const QString &text) { m_text1->setEditText(text); }

void frmStart::setStatusText(const QString &text) { m_statusBar->setText(text); }

void frmStart::setProgress(int value) { m_progressBar->setValue(qBound(0, value, 100)); }

void frmStart::setTimerInterval(MainTimer which, int milliseconds) { timer(which)->setInterval(milliseconds); }

int frmStart::timerInterval(MainTimer which) const { return timer(which)->interval(); }

void frmStart::setTimerEnabled(MainTimer which, bool enabled)
{
    if (enabled)
        timer(which)->start();
    else
        timer(which)->stop();
}

int frmStart::screenWidthTwips() const { return screenOf(this)->geometry().width() * kTwipsPerPixel; }

int frmStart::screenHeightTwips() const { return screenOf(this)->geometry().height() * kTwipsPerPixel; }

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

void frmStart::moveWindowTwips(int left, int top, int width, int height)
{
    setGeometry(toPixels(left), toPixels(top), qMax(1, toPixels(width)), qMax(1, toPixels(height)));
}

void frmStart::setWindowCaption(const QString &caption) { setWindowTitle(caption); }

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

std::unique_ptr<SpeechEngine> frmStart::createSpeech() { return m_platform.createSpeech(); }

QWidget *frmStart::tabStripWidget() { return m_tab1; }

void frmStart::attachCommandBars(int style)
{
    m_cmdBar[0]->showBar(QStringLiteral("STANDARD0"));
    m_cmdBar[2]->showBar(QStringLiteral("STANDARD2"));
    m_cmdBar[1]->showBar(QStringLiteral("STANDARD1"));
    applyBarStyle(style);
    m_tab1->setFixedHeight(toPixels(m_ctx.main.layout.Tab1.height));
    updateTabWidths();
}

void frmStart::setWindowNames(const WindowNames &names)
{
    m_names = names;
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

void frmStart::addKeyboardRoutes()
{
    const auto shortcut = [this](const QKeySequence &keys, auto action) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    // F10 goes to the main tool bar, as to a menu bar; again, back to the page.
    shortcut(QKeySequence(Qt::Key_F10), [this] {
        for (CommandBarView *bar : m_cmdBar) {
            if (bar->isAncestorOf(QApplication::focusWidget())) {
                focusView(currentTab());
                return;
            }
        }
        focusNextBar(-1, 1);
    });
    for (CommandBarView *bar : m_cmdBar) {
        const int element = bar->element();
        connect(bar, &CommandBarView::leftBar, this, [this, element](int direction) { focusNextBar(element, direction); });
        connect(bar, &CommandBarView::escaped, this, [this] { focusView(currentTab()); });
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
    const int count = tabCount();
    if (count < 1)
        return;
    // The same as a left click on the tab.
    Tab1_MouseDown(m_ctx, 1);
    setCurrentTab((currentTab() + step + count) % count);
    Tab1_Click(m_ctx, *this);
}

void frmStart::focusAddressBox()
{
    m_text1->setFocus(Qt::ShortcutFocusReason);
    m_text1->lineEdit()->selectAll();
}

void frmStart::closeProgram() { close(); }

void frmStart::execWB(int command)
{
    BrowserView *view = Web(currentTab());
    if (!view)
        return;
    if (command == 10) {
        showPageProperties();
        return;
    }
    // Editing commands act where the keyboard is: in the page.
    view->widget()->setFocus();
    view->ExecWB(command);
}

void frmStart::goBack()
{
    if (BrowserView *view = Web(currentTab()))
        view->GoBack();
}

void frmStart::goForward()
{
    if (BrowserView *view = Web(currentTab()))
        view->GoForward();
}

void frmStart::refreshCurrent() { refreshView(currentTab()); }

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
    BrowserView *view = Web(currentTab());
    const auto &C = m_ctx.language.Captions;
    QDialog dialog(this);
    dialog.setWindowTitle(C[177]);
    auto *form = new QFormLayout(&dialog);
    const auto value = [&dialog](const QString &text) {
        auto *label = new QLabel(text, &dialog);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        return label;
    };
    form->addRow(C[223], value(view->LocationName()));
    form->addRow(C[224], value(view->LocationURL()));
    form->addRow(C[225], value(QString::number(view->outerHTML().toUtf8().size()) + u' ' + C[226]));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(C[204]);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    form->addRow(buttons);
    dialog.setMinimumWidth(420);
    dialog.exec();
}

void frmStart::minimizeWindow() { showMinimized(); }

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

void frmStart::shellOpen(const QString &target) { openWithDesktop(target); }

void frmStart::openSettings(SettingsPanel panel) { openDesktopSettings(int(panel)); }

void frmStart::hideWindow() { hide(); }

void frmStart::unloadOtherWindows()
{
    // The secondary windows are owned by this window; none is open yet.
}

void frmStart::unloadWindow()
{
    close();
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

int frmStart::cursorScreenYTwips() const { return globalCursorPos().y() * kTwipsPerPixel; }

int frmStart::mouseButtons() const { return globalMouseButtons(); }

QString frmStart::clipboardText() const { return QGuiApplication::clipboard()->text(); }

void frmStart::clearClipboard() { QGuiApplication::clipboard()->clear(); }

ClipboardContent frmStart::clipboardContent() const { return readClipboard(); }

void frmStart::setClipboardContent(const ClipboardContent &content) { writeClipboard(content); }

void frmStart::setTimebarPicture(int image)
{
    m_timebarPicture = image;
    m_timebar->setIcon(m_images.icon(image));
    const QString &name = image == kSpeechOnPicture ? m_names.speechOn : m_names.speechOff;
    m_timebar->setAccessibleName(name);
    m_timebar->setToolTip(name);
}

bool frmStart::leftButtonDownOrPressed() { return lorva::leftButtonDownOrPressed(); }

void frmStart::forgetLeftPress() { lorva::forgetLeftPress(); }

void frmStart::processEvents() { QCoreApplication::processEvents(); }

void frmStart::wait(int milliseconds) { pumpWait(milliseconds); }

void frmStart::showFailure(const QString &message) { m_platform.showFailure(this, message); }

void frmStart::showExitFailure(const QString &message, int closeAfterMs)
{
    std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(message));
    std::fflush(stderr);
    m_platform.showFailure(this, message, closeAfterMs);
}

bool frmStart::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tab1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            // The event's own buttons too: a quick click may be over before the
            // server is asked.
            Tab1_MouseDown(m_ctx, globalMouseButtons() | buttonBits(mouse->buttons() | mouse->button()));
            const int index = m_tab1->tabAt(mouse->position().toPoint());
            if (index >= 0 && mouse->button() == Qt::LeftButton)
                setCurrentTab(index);
            if (index >= 0)
                Tab1_Click(m_ctx, *this);
            return true;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::MouseMove:
            Tab1_MouseMove(m_ctx, *this, int(static_cast<QMouseEvent *>(event)->position().x()));
            break;
        default:
            break;
        }
    } else if (watched == m_text1 || watched == m_text1->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Text1_KeyDown(m_ctx, *this, 13))
                return true;
        } else if (event->type() == QEvent::FocusIn) {
            Text1_GotFocus(m_ctx, *this);
        }
    } else if (watched == m_cmdMove || watched == m_cmdMoveL) {
        return handleMoveButton(event);
    }
    return QWidget::eventFilter(watched, event);
}

bool frmStart::handleMoveButton(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // The window manager moves the window where it can; otherwise the
        // window follows the pointer itself until the button is released.
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        m_dragging = !(windowHandle() && windowHandle()->startSystemMove());
        m_dragOffset = global - frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragging)
            move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_dragOffset);
        return m_dragging;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

void frmStart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_loaded)
        Form_Resize(m_ctx, *this);
}

void frmStart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_loaded)
        Form_Resize(m_ctx, *this);
}

void frmStart::closeEvent(QCloseEvent *event)
{
    GO_Exit(m_ctx, *this);
    event->accept();
}

void frmStart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    qCDebug(lcStartup, "main window shown");
}

} // namespace lorva
