#pragma once

#include "browser/MainWindowPorts.h"

#include <QTimer>
#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;
class QToolButton;

namespace lorva {

class ImageList;
struct WindowNames;

// The strip along the bottom of the main window: the move handles, the
// status text, the speech button and the progress bar.
class StatusStripWidget : public QWidget, public StatusStrip
{
public:
    // The move handles drag `window`.
    StatusStripWidget(const ImageList &images, QWidget *window);

    QLabel *statusBar() const { return m_statusBar; }
    QProgressBar *progressBar() const { return m_progressBar; }
    QToolButton *timebar() const { return m_timebar; }
    QToolButton *cmdMove() const { return m_cmdMove; }
    int timebarPicture() const { return m_timebarPicture; }

    void setStatusText(const QString &text) override;
    void showNotice(const QString &text) override;
    void setProgress(int value) override;
    void setTimebarPicture(int image) override;
    void setDownloadStatus(const QString &text, int progress) override;
    void clearDownloadStatus() override;
    bool showsDownloads() const override { return m_downloads.has_value(); }

    // Shows what was held back while the first page loaded; later calls do nothing.
    void release();
    void setNames(const WindowNames &names);
    void applyLayout(const MainLayout &layout);
    void setBarStyle(int style);

private:
    void showText(const QString &text);
    void showProgress(int value);

    const ImageList &m_images;
    QToolButton *m_cmdMoveL;
    QLabel *m_statusBar;
    QToolButton *m_timebar;
    QProgressBar *m_progressBar;
    QToolButton *m_cmdMove;
    // What the text and the progress bar are to show once the first page
    // is there (see release).
    struct HeldStrip
    {
        bool holding = true;
        std::optional<QString> status;
        std::optional<int> progress;
    } m_held;
    // What the pages last reported, shown again when the downloads end.
    QString m_pageText;
    int m_pageProgress = 0;
    struct DownloadLine
    {
        QString text;
        int progress;
    };
    std::optional<DownloadLine> m_downloads;
    int m_timebarPicture = -1;
    // A notice shown for a moment, and the text it stands in front of.
    QTimer m_notice;
    QString m_notified;
    QString m_beforeNotice;
    QString m_speechOn;
    QString m_speechOff;
};

} // namespace lorva
