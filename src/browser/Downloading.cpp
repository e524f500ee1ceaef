#include "browser/Downloading.h"

#include "browser/MainContext.h"
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "config/Language.h"
#include "platform/Dialogs.h"
#include "platform/Downloads.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace lorva {

namespace {

constexpr int kSaveDownloadCaption = 257;     // "Save the download as"
constexpr int kOneSizedCaption = 258;         // "Downloading %1: %2 of %3"
constexpr int kOneCaption = 259;              // "Downloading %1: %2"
constexpr int kSeveralSizedCaption = 260;     // "%1 downloads: %2 of %3"
constexpr int kSeveralCaption = 261;          // "%1 downloads: %2"
constexpr int kDownloadedCaption = 262;       // "Downloaded and saved as "
constexpr int kDownloadFailedCaption = 263;   // "The download of %1 failed: %2"
constexpr int kDownloadCancelledCaption = 264; // "Download cancelled: %1"

const QString kTitle = QStringLiteral("lorvaspeak");
constexpr int kShowEveryMs = 250;

// The name the page suggests, made safe to offer: no folder in it, never empty.
QString offeredName(const QString &suggested)
{
    QString name = suggested.section(u'/', -1).trimmed();
    if (name.isEmpty() || name == u"." || name == u"..")
        name = QStringLiteral("download");
    return name;
}

// The user's download folder, or the home folder where there is none.
QString downloadFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

QList<DownloadFigures> figuresOf(const DownloadState &state)
{
    QList<DownloadFigures> figures;
    for (const DownloadState::Running &running : state.running)
        figures.append({QFileInfo(running.path).fileName(), running.download->receivedBytes(),
                        running.download->totalBytes()});
    return figures;
}

// The strip follows the downloads a few times a second (`now`: at once).
void showDownloads(MainContext &ctx, DownloadState &state, bool now)
{
    ctx.commands.setEnabled(keys::EditCancelDownload, !state.running.empty());
    if (state.running.empty()) {
        ctx.status.clearDownloadStatus();
        return;
    }
    if (!now && state.lastShown.isValid() && state.lastShown.elapsed() < kShowEveryMs)
        return;
    state.lastShown.start();
    const QList<DownloadFigures> figures = figuresOf(state);
    ctx.status.setDownloadStatus(downloadStatusText(ctx.language, figures), downloadProgress(figures));
}

void downloadEnded(MainContext &ctx, DownloadState &state, const Download *download, DownloadEnd end,
                   const QString &reason)
{
    const auto it = std::find_if(state.running.begin(), state.running.end(),
                                 [download](const DownloadState::Running &r) { return r.download.get() == download; });
    if (it == state.running.end())
        return;
    const QString path = it->path;
    state.running.erase(it);
    showDownloads(ctx, state, true);

    const auto &C = ctx.language.Captions;
    const QString name = QFileInfo(path).fileName();
    switch (end) {
    case DownloadEnd::Completed:
        ctx.dialogs.information(kTitle, C[kDownloadedCaption] + QDir::toNativeSeparators(path));
        break;
    case DownloadEnd::Failed:
        ctx.dialogs.failure(C[kDownloadFailedCaption].arg(name, reason));
        break;
    case DownloadEnd::Cancelled:
        // The person asked for it, or the page went: the strip says so.
        ctx.status.setStatusText(C[kDownloadCancelledCaption].arg(name));
        break;
    }
}

void downloadRequested(MainContext &ctx, DownloadState &state, const std::shared_ptr<Download> &download)
{
    const auto &C = ctx.language.Captions;
    const QString suggested = QDir(downloadFolder()).filePath(offeredName(download->suggestedName()));
    const std::optional<QString> chosen = ctx.dialogs.saveFileNameAsking(C[kSaveDownloadCaption], suggested);
    // Cancelled: the download is dropped, and nothing is written.
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    download->progressed = [&ctx, &state] { showDownloads(ctx, state, false); };
    download->ended = [&ctx, &state, raw = download.get()](DownloadEnd end, const QString &reason) {
        downloadEnded(ctx, state, raw, end, reason);
    };
    state.running.push_back({download, path});
    download->accept(path);
    showDownloads(ctx, state, true);
}

} // namespace

QString downloadSize(qint64 bytes)
{
    constexpr double kilo = 1024.0;
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(qMax<qint64>(bytes, 0));
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(qRound(bytes / kilo));
    if (bytes < qint64(1024) * 1024 * 1024)
        return QStringLiteral("%1 MB").arg(bytes / (kilo * kilo), 0, 'f', 1);
    return QStringLiteral("%1 GB").arg(bytes / (kilo * kilo * kilo), 0, 'f', 2);
}

QString downloadStatusText(const Language &language, const QList<DownloadFigures> &downloads)
{
    const auto &C = language.Captions;
    if (downloads.isEmpty())
        return {};
    qint64 received = 0;
    qint64 total = 0;
    bool sized = true;
    for (const DownloadFigures &d : downloads) {
        received += d.received;
        sized = sized && d.total >= 0;
        total += qMax<qint64>(d.total, 0);
    }
    if (downloads.size() == 1) {
        const QString &name = downloads.first().name;
        return sized ? C[kOneSizedCaption].arg(name, downloadSize(received), downloadSize(total))
                     : C[kOneCaption].arg(name, downloadSize(received));
    }
    const QString count = QString::number(downloads.size());
    return sized ? C[kSeveralSizedCaption].arg(count, downloadSize(received), downloadSize(total))
                 : C[kSeveralCaption].arg(count, downloadSize(received));
}

int downloadProgress(const QList<DownloadFigures> &downloads)
{
    qint64 received = 0;
    qint64 total = 0;
    for (const DownloadFigures &d : downloads) {
        if (d.total < 0)
            return -1;
        received += d.received;
        total += d.total;
    }
    return total > 0 ? int(qBound(qint64(0), received * 100 / total, qint64(100))) : -1;
}

void watchDownloads(MainContext &ctx, DownloadState &state)
{
    if (Downloads *downloads = ctx.platform.downloads.get())
        downloads->requested = [&ctx, &state](const std::shared_ptr<Download> &download) {
            downloadRequested(ctx, state, download);
        };
}

void addDownloadRows(Dispatcher &dispatcher, DownloadState &state)
{
    dispatcher.setRow(elements::StartMenus, keys::EditCancelDownload,
                      [&state](const QString &) { cancelDownloads(state); });
}

void cancelDownloads(DownloadState &state)
{
    // Each cancelled one ends, and leaves the list, as it is cancelled.
    const std::vector<DownloadState::Running> running = state.running;
    for (const DownloadState::Running &r : running)
        r.download->cancel();
}

void abandonDownloads(MainContext &ctx, DownloadState &state)
{
    for (const DownloadState::Running &r : state.running) {
        r.download->progressed = nullptr;
        r.download->ended = nullptr;
    }
    state.running.clear();
    if (Downloads *downloads = ctx.platform.downloads.get()) {
        downloads->requested = nullptr;
        downloads->cancelAll();
    }
}

} // namespace lorva
