#include "browser/frmStart.h"

#include "app/AppContext.h"
#include "app/Startup.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QScreen>
#include <QStackedLayout>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcStartup, "lorva.startup", QtWarningMsg)

namespace lorva {

namespace {

constexpr int kTwipsPerPixel = 15;

QScreen *screenOf(const QWidget *widget)
{
    QScreen *screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

frmStart::frmStart(AppContext &ctx, Platform &platform)
    : m_ctx(ctx), m_platform(platform), m_tab1(new QTabBar(this)), m_text1(new QComboBox(this)),
      m_viewArea(new QWidget(this)), m_viewStack(new QStackedLayout(m_viewArea))
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("LorvaSpeak"));
    m_tab1->setObjectName(QStringLiteral("Tab1"));
    m_tab1->setExpanding(false);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setEditable(true);
    m_text1->setInsertPolicy(QComboBox::NoInsert);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_tab1);
    top->addWidget(m_text1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_viewArea, 1);

    const char *names[] = {"Timer1", "Timer4", "Timer5", "Timer6"};
    for (int i = 0; i < 4; ++i) {
        m_timers[i] = new QTimer(this);
        m_timers[i]->setObjectName(QLatin1String(names[i]));
    }
    connect(m_timers[1], &QTimer::timeout, this, [this] { Timer4_Timer(m_ctx, *this); });

    // View 0 always exists.
    createView(0);
    m_tab1->addTab(QString());
    connect(m_tab1, &QTabBar::currentChanged, this, [this](int index) { showView(index); });
}

frmStart::~frmStart() = default;

void frmStart::Form_Load(const QDate &today) { lorva::Form_Load(m_ctx, *this, today); }

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
}

int frmStart::tabCount() const { return m_tab1->count(); }

void frmStart::createView(int index)
{
    if (index < int(m_web.size()) && m_web[index])
        return;
    if (index >= int(m_web.size()))
        m_web.resize(index + 1);
    m_web[index] = m_platform.createBrowserView(m_viewArea);
    BrowserView *view = m_web[index].get();
    // Script dialogs of pages are not shown.
    view->setSilent(true);
    m_viewStack->addWidget(view->widget());
    if (index == 0) {
        connect(view, &BrowserView::DocumentComplete, this, [this](const QString &address) {
            if (!m_firstPageReported) {
                m_firstPageReported = true;
                qCDebug(lcStartup, "first page loaded: %s", qPrintable(address));
            }
        });
    }
}

void frmStart::setTabCaption(int index, const QString &caption)
{
    if (index >= 0 && index < m_tab1->count())
        m_tab1->setTabText(index, caption);
}

void frmStart::setAddressText(const QString &text) { m_text1->setEditText(text); }

void frmStart::setCurrentTab(int index) { m_tab1->setCurrentIndex(index); }

int frmStart::currentTab() const { return m_tab1->currentIndex(); }

void frmStart::navigateView(int index, const QString &address)
{
    if (BrowserView *view = Web(index))
        view->Navigate(address);
}

void frmStart::showView(int index)
{
    if (BrowserView *view = Web(index))
        m_viewStack->setCurrentWidget(view->widget());
}

void frmStart::stopView(int index)
{
    if (BrowserView *view = Web(index))
        view->Stop();
}

void frmStart::setTimerInterval(MainTimer which, int milliseconds)
{
    timer(which)->setInterval(milliseconds);
}

void frmStart::setTimerEnabled(MainTimer which, bool enabled)
{
    if (enabled)
        timer(which)->start();
    else
        timer(which)->stop();
}

int frmStart::screenWidthTwips() const { return screenOf(this)->geometry().width() * kTwipsPerPixel; }

int frmStart::screenHeightTwips() const { return screenOf(this)->geometry().height() * kTwipsPerPixel; }

void frmStart::moveWindowTwips(int left, int top, int width, int height)
{
    setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                height / kTwipsPerPixel);
}

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

void frmStart::showFailure(const QString &message) { m_platform.showFailure(this, message); }

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
