#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <optional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace lorva::test {

// A small HTTP/1.0 server on 127.0.0.1 for pages the tests open. Runs on its
// own thread, so it answers while the test waits on the program.
class HttpServer
{
public:
    HttpServer();
    ~HttpServer();

    quint16 port() const { return m_port; }
    QString url(const QString &path) const;

    void addPage(const QString &path, const QByteArray &html);
    void addRedirect(const QString &path, const QString &location);
    // A file sent to be saved, as `Content-Disposition: attachment` under
    // `fileName`; with `bytesPerSecond` above 0 it trickles at that rate.
    void addDownload(const QString &path, const QByteArray &body, const QString &fileName, int bytesPerSecond = 0);
    // Serves the file at `file` (documentation a Debian package ships, for
    // pages of the length people read); false when it is not there.
    [[nodiscard]] bool addFile(const QString &path, const QString &file);
    // How many requests for `path` have arrived.
    int requests(const QString &path);
    // When the first request for `path` arrived; empty before that.
    std::optional<std::chrono::steady_clock::time_point> firstRequest(const QString &path);

private:
    struct Route
    {
        int status = 200;
        QByteArray body;
        QByteArray location;
        QByteArray attachment; // the file name of a download
        int bytesPerSecond = 0;
    };

    void serve();
    void answer(int client);
    bool send(int client, const char *data, qsizetype size, int bytesPerSecond);

    int m_socket = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::map<QString, Route> m_routes;
    std::map<QString, int> m_requests;
    std::map<QString, std::chrono::steady_clock::time_point> m_firstRequest;
    std::thread m_thread;
    // Each client has its own: a slow download holds up no other request.
    std::vector<std::thread> m_clients;
};

} // namespace lorva::test
