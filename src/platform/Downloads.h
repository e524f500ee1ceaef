#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace lorva {

enum class DownloadEnd { Completed, Failed, Cancelled };

// One file a page sends to be saved rather than shown.
class Download
{
public:
    virtual ~Download() = default;

    // The name the server or the link gave the file.
    virtual QString suggestedName() const = 0;
    virtual qint64 receivedBytes() const = 0;
    // -1 while the server has not said how large the file is.
    virtual qint64 totalBytes() const = 0;
    // Saves the file as `path` (absolute, in an existing folder). It is
    // written under a temporary name beside it and takes the name only once
    // complete: a file already there stays until then, and stays as it was
    // when the download fails or is cancelled.
    virtual void accept(const QString &path) = 0;
    // Stops the download and removes what it had written.
    virtual void cancel() = 0;

    // Called as bytes arrive, and once at the end with why it ended (the
    // engine's own words when it failed).
    std::function<void()> progressed;
    std::function<void(DownloadEnd end, const QString &reason)> ended;
};

// The downloads the pages of every view start.
class Downloads
{
public:
    virtual ~Downloads() = default;

    // Called once for each download a page starts. It is saved only when
    // accepted before this returns (a save dialog may be shown meanwhile);
    // otherwise it is dropped.
    std::function<void(const std::shared_ptr<Download> &download)> requested;

    // Cancels every download still running and removes its temporary file
    // at once, without waiting for the engine: the program is ending.
    virtual void cancelAll() = 0;
};

} // namespace lorva
