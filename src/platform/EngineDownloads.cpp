#include "platform/EngineDownloads.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace lorva {

void giveUsualPermissions(const QString &path)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    if (mode & 0400) permissions |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & 0200) permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & 0040) permissions |= QFileDevice::ReadGroup;
    if (mode & 0020) permissions |= QFileDevice::WriteGroup;
    if (mode & 0004) permissions |= QFileDevice::ReadOther;
    if (mode & 0002) permissions |= QFileDevice::WriteOther;
    QFile::setPermissions(path, permissions);
}

namespace {

// The engine's own partial file: it writes "<name>.download" and renames it
// to the name it was given once complete, and keeps it when interrupted.
QString enginePartial(const QString &path) { return path + QStringLiteral(".download"); }

// A name beside `target` that neither exists nor has the engine's partial.
QString temporaryBeside(const QString &target)
{
    const QFileInfo info(target);
    for (;;) {
        const QString candidate = info.absoluteDir().filePath(
            QStringLiteral(".%1.%2.part").arg(info.fileName()).arg(QRandomGenerator::global()->generate() % 1000000, 6, 10, QLatin1Char('0')));
        if (!QFileInfo::exists(candidate) && !QFileInfo::exists(enginePartial(candidate)))
            return candidate;
    }
}

class EngineDownload : public Download
{
public:
    explicit EngineDownload(QWebEngineDownloadRequest *request) : m_request(request) {}
    ~EngineDownload() override
    {
        QObject::disconnect(m_watch);
        QObject::disconnect(m_stateWatch);
    }

    QString suggestedName() const override { return m_request ? m_request->suggestedFileName() : QString(); }
    qint64 receivedBytes() const override { return m_request ? m_request->receivedBytes() : m_received; }
    qint64 totalBytes() const override
    {
        // The engine says 0 where the server gave no size.
        const qint64 total = m_request ? m_request->totalBytes() : -1;
        return total > 0 ? total : -1;
    }

    void accept(const QString &path) override
    {
        if (!m_request || m_accepted)
            return;
        m_accepted = true;
        m_id = m_request->id();
        m_target = QFileInfo(path).absoluteFilePath();
        m_temporary = temporaryBeside(m_target);
        follow(m_request);
    }

    // The engine asks again for a download it resumes, with a new request.
    void resume(QWebEngineDownloadRequest *request)
    {
        QObject::disconnect(m_watch);
        QObject::disconnect(m_stateWatch);
        m_request = request;
        follow(request);
    }

    quint32 id() const { return m_id; }

    void cancel() override
    {
        if (m_request && !m_ended)
            m_request->cancel();
        // The engine says so in its own time (or never, when it is going).
        finish(DownloadEnd::Cancelled, QString());
    }

    bool accepted() const { return m_accepted; }
    bool isOver() const { return m_ended; }
    // Drops what was written, the engine's partial file too.
    void removeTemporary() const
    {
        if (m_temporary.isEmpty())
            return;
        QFile::remove(m_temporary);
        QFile::remove(enginePartial(m_temporary));
    }

private:
    void follow(QWebEngineDownloadRequest *request)
    {
        request->setDownloadDirectory(QFileInfo(m_temporary).absolutePath());
        request->setDownloadFileName(QFileInfo(m_temporary).fileName());
        m_watch = QObject::connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, request, [this] {
            m_received = m_request->receivedBytes();
            if (progressed)
                progressed();
        });
        m_stateWatch = QObject::connect(request, &QWebEngineDownloadRequest::stateChanged, request,
                                        [this](QWebEngineDownloadRequest::DownloadState state) { changed(state); });
        request->accept();
    }

    void changed(QWebEngineDownloadRequest::DownloadState state)
    {
        if (state == QWebEngineDownloadRequest::DownloadCompleted)
            complete();
        else if (state == QWebEngineDownloadRequest::DownloadCancelled)
            finish(DownloadEnd::Cancelled, QString());
        else if (state == QWebEngineDownloadRequest::DownloadInterrupted)
            finish(DownloadEnd::Failed, m_request->interruptReasonString());
    }

    void complete()
    {
        // rename() puts the whole file under the chosen name in one step,
        // replacing the one that was there.
        giveUsualPermissions(m_temporary);
        if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            finish(DownloadEnd::Failed, reason);
            return;
        }
        finish(DownloadEnd::Completed, QString());
    }

    void finish(DownloadEnd end, const QString &reason)
    {
        if (m_ended)
            return;
        m_ended = true;
        QObject::disconnect(m_watch);
        QObject::disconnect(m_stateWatch);
        if (end != DownloadEnd::Completed)
            removeTemporary();
        if (auto done = ended)
            done(end, reason);
    }

    QPointer<QWebEngineDownloadRequest> m_request;
    QMetaObject::Connection m_watch;
    QMetaObject::Connection m_stateWatch;
    QString m_target;
    QString m_temporary;
    qint64 m_received = 0;
    quint32 m_id = 0;
    bool m_accepted = false;
    bool m_ended = false;
};

class EngineDownloads : public Downloads
{
public:
    explicit EngineDownloads(QWebEngineProfile *profile)
    {
        m_watch = QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                                   [this](QWebEngineDownloadRequest *request) { offer(request); });
    }

    ~EngineDownloads() override
    {
        QObject::disconnect(m_watch);
        cancelAll();
    }

    void cancelAll() override
    {
        const auto running = std::exchange(m_running, {});
        for (const auto &download : running) {
            download->ended = nullptr;
            download->progressed = nullptr;
            download->cancel();
            download->removeTemporary();
        }
    }

private:
    void offer(QWebEngineDownloadRequest *request)
    {
        // The web archive and the page capture answer their own saves.
        if (request->isSavePageDownload())
            return;
        // The engine resumes a download cut off by the network by itself,
        // and asks again where it goes: where it went.
        for (const auto &running : m_running) {
            if (running->id() == request->id()) {
                running->resume(request);
                return;
            }
        }
        auto download = std::make_shared<EngineDownload>(request);
        if (requested)
            requested(download);
        if (!download->accepted()) {
            request->cancel();
            return;
        }
        if (download->isOver())
            return;
        m_running.push_back(download);
        // Forgotten once ended, before the caller hears of it.
        auto caller = std::move(download->ended);
        EngineDownload *raw = download.get();
        download->ended = [this, raw, caller](DownloadEnd end, const QString &reason) {
            std::shared_ptr<EngineDownload> keep;
            for (auto it = m_running.begin(); it != m_running.end(); ++it) {
                if (it->get() == raw) {
                    keep = *it;
                    m_running.erase(it);
                    break;
                }
            }
            if (caller)
                caller(end, reason);
        };
    }

    QMetaObject::Connection m_watch;
    std::vector<std::shared_ptr<EngineDownload>> m_running;
};

} // namespace

std::unique_ptr<Downloads> createEngineDownloads(QWebEngineProfile *profile)
{
    return std::make_unique<EngineDownloads>(profile);
}

} // namespace lorva
