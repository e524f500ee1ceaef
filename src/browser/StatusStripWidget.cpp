#include "browser/StatusStripWidget.h"

#include "commands/Captions.h"
#include "commands/ImageList.h"
#include "platform/MoveHandle.h"

#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace lorva {

StatusStripWidget::StatusStripWidget(const ImageList &images, QWidget *window)
    : QWidget(window), m_images(images), m_cmdMoveL(new QToolButton(this)), m_statusBar(new QLabel(this)),
      m_timebar(new QToolButton(this)), m_progressBar(new QProgressBar(this)), m_cmdMove(new QToolButton(this))
{
    setObjectName(QStringLiteral("picStat"));
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
        new MoveHandle(button, window);
    }
    m_cmdMove->setIcon(images.icon(121));
    m_cmdMoveL->setIcon(images.icon(122));
    m_cmdMoveL->setObjectName(QStringLiteral("cmdMoveL"));
    m_cmdMove->setObjectName(QStringLiteral("cmdMove"));
    m_notice.setSingleShot(true);
    m_notice.setInterval(2000);
    connect(&m_notice, &QTimer::timeout, this, [this] {
        if (m_statusBar->text() == m_notified)
            m_statusBar->setText(m_beforeNotice);
    });
}

void StatusStripWidget::showNotice(const QString &text)
{
    // Notices in a row (the wheel turned on) all stand in front of the text
    // that was there before the first.
    if (!m_notice.isActive() || m_statusBar->text() != m_notified)
        m_beforeNotice = m_statusBar->text();
    m_notified = text;
    m_statusBar->setText(text);
    m_notice.start();
}

void StatusStripWidget::setStatusText(const QString &text)
{
    m_pageText = text;
    if (!m_downloads)
        showText(text);
}

void StatusStripWidget::setProgress(int value)
{
    m_pageProgress = qBound(0, value, 100);
    if (!m_downloads)
        showProgress(m_pageProgress);
}

void StatusStripWidget::setDownloadStatus(const QString &text, int progress)
{
    m_downloads = DownloadLine{text, progress};
    showText(text);
    showProgress(progress);
}

void StatusStripWidget::clearDownloadStatus()
{
    if (!m_downloads)
        return;
    m_downloads.reset();
    showText(m_pageText);
    showProgress(m_pageProgress);
}

void StatusStripWidget::showText(const QString &text)
{
    if (m_held.holding)
        m_held.status = text;
    else
        m_statusBar->setText(text);
}

// -1 makes the bar a busy indicator: something arrives, how much of it is unknown.
void StatusStripWidget::showProgress(int value)
{
    const int shown = value < 0 ? -1 : qBound(0, value, 100);
    if (m_held.holding) {
        m_held.progress = shown;
        return;
    }
    m_progressBar->setRange(0, shown < 0 ? 0 : 100);
    if (shown >= 0)
        m_progressBar->setValue(shown);
}

// Each change of the status strip or the progress bar repaints the window;
// while the engine draws its first page those repaints hold it up (by about
// a tenth of a second where OpenGL draws). So they wait, and the strip shows
// where the first load ended at once: when it completes, or after a while.
void StatusStripWidget::release()
{
    if (!m_held.holding)
        return;
    m_held.holding = false;
    if (m_held.status)
        m_statusBar->setText(*m_held.status);
    if (m_held.progress)
        showProgress(*m_held.progress);
}

void StatusStripWidget::setTimebarPicture(int image)
{
    m_timebarPicture = image;
    m_timebar->setIcon(m_images.icon(image));
    const QString &name = image == kSpeechOnPicture ? m_speechOn : m_speechOff;
    m_timebar->setAccessibleName(name);
    m_timebar->setToolTip(name);
}

void StatusStripWidget::setNames(const WindowNames &names)
{
    for (QToolButton *button : {m_cmdMove, m_cmdMoveL}) {
        button->setToolTip(names.moveButtons);
        button->setAccessibleName(names.moveButtons);
    }
    m_progressBar->setAccessibleName(names.progress);
    m_speechOn = names.speechOn;
    m_speechOff = names.speechOff;
    setTimebarPicture(m_timebarPicture);
}

void StatusStripWidget::applyLayout(const MainLayout &l)
{
    setGeometry(toPixels(l.picStat));
    m_cmdMoveL->setGeometry(toPixels(l.cmdMoveL));
    m_statusBar->setGeometry(toPixels(l.statusBar));
    m_timebar->setGeometry(toPixels(l.timebar));
    m_progressBar->setGeometry(toPixels(l.progressBar));
    m_cmdMove->setGeometry(toPixels(l.cmdMove));
    m_statusBar->setVisible(l.statusBarVisible);
    setVisible(l.picStatVisible);
}

void StatusStripWidget::setBarStyle(int style)
{
    // The strip takes the colour of the bars.
    setStyleSheet(style == 2   ? QStringLiteral("#picStat { background: #23272e; } #picStat QLabel { color: #e8e8e8; }"
                                                "#picStat QToolButton { color: #e8e8e8; border: none; }")
                  : style == 1 ? QStringLiteral("#picStat { background: #f4f7fb; border-top: 1px solid #c9d3df; }")
                  : style == 3 ? QStringLiteral("#picStat { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                                " stop:0 #dbe5f5, stop:1 #c5d5ee); border-top: 1px solid #8ea6cc; }")
                               : QString());
    setAttribute(Qt::WA_StyledBackground, style != 0);
}

} // namespace lorva
