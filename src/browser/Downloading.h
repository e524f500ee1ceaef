#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace lorva {

class Dispatcher;
class Download;
struct Language;
struct MainContext;

// The downloads under way, each with the file it is saved as.
struct DownloadState
{
    struct Running
    {
        std::shared_ptr<Download> download;
        QString path;
    };
    std::vector<Running> running;
    QElapsedTimer lastShown; // the status strip follows the bytes a few times a second
};

// How far one download has come, as the status strip tells it.
struct DownloadFigures
{
    QString name;
    qint64 received = 0;
    qint64 total = -1; // unknown
};

// The status text of the downloads under way: the name and sizes of one,
// the count and the sizes added up of several; a size the server did not
// give is left out.
QString downloadStatusText(const Language &language, const QList<DownloadFigures> &downloads);
// Their progress in percent, -1 while a size is unknown.
int downloadProgress(const QList<DownloadFigures> &downloads);
// "512 B", "340 KB", "12.5 MB", "1.25 GB".
QString downloadSize(qint64 bytes);

// From now on every download a page starts asks for a file name and shows
// in the status strip until it ends with a message.
void watchDownloads(MainContext &ctx, DownloadState &state);
// The cancel command (Escape while the strip shows downloads gives it too).
void addDownloadRows(Dispatcher &dispatcher, DownloadState &state);
// Cancels every download under way; each says so.
void cancelDownloads(DownloadState &state);
// The program ends: the downloads under way are cancelled without a word
// and their temporary files removed at once.
void abandonDownloads(MainContext &ctx, DownloadState &state);

} // namespace lorva
