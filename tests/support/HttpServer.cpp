#include "support/HttpServer.h"

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace lorva::test {

HttpServer::HttpServer()
{
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(m_socket, 16) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t length = sizeof address;
    ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

HttpServer::~HttpServer()
{
    m_stop = true;
    m_thread.join();
    for (std::thread &client : m_clients)
        client.join();
    ::close(m_socket);
}

QString HttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void HttpServer::addPage(const QString &path, const QByteArray &html)
{
    std::lock_guard lock(m_mutex);
    m_routes[path] = Route{200, html, {}};
}

bool HttpServer::addFile(const QString &path, const QString &file)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    addPage(path, source.readAll());
    return true;
}

void HttpServer::addDownload(const QString &path, const QByteArray &body, const QString &fileName,
                             int bytesPerSecond)
{
    std::lock_guard lock(m_mutex);
    m_routes[path] = Route{200, body, {}, fileName.toUtf8(), bytesPerSecond};
}

void HttpServer::addRedirect(const QString &path, const QString &location)
{
    std::lock_guard lock(m_mutex);
    m_routes[path] = Route{302, {}, location.toUtf8()};
}

int HttpServer::requests(const QString &path)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_requests.find(path);
    return it == m_requests.end() ? 0 : it->second;
}

std::optional<std::chrono::steady_clock::time_point> HttpServer::firstRequest(const QString &path)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_firstRequest.find(path);
    if (it == m_firstRequest.end())
        return std::nullopt;
    return it->second;
}

void HttpServer::serve()
{
    while (!m_stop) {
        pollfd fd{m_socket, POLLIN, 0};
        if (::poll(&fd, 1, 50) <= 0)
            continue;
        const int client = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            m_clients.emplace_back([this, client] {
                answer(client);
                ::close(client);
            });
    }
}

void HttpServer::answer(int client)
{
    QByteArray request;
    char buffer[4096];
    while (!request.contains("\r\n\r\n")) {
        pollfd fd{client, POLLIN, 0};
        if (::poll(&fd, 1, 2000) <= 0)
            return;
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, n);
    }
    const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = first.size() > 1 ? QString::fromUtf8(first[1]) : QString();

    Route route{404, "<html><body>not found</body></html>", {}, {}, 0};
    {
        std::lock_guard lock(m_mutex);
        if (++m_requests[path] == 1)
            m_firstRequest[path] = std::chrono::steady_clock::now();
        if (const auto it = m_routes.find(path); it != m_routes.end())
            route = it->second;
    }
    QByteArray reply = "HTTP/1.0 " + QByteArray::number(route.status) +
                       (route.status == 200 ? " OK" : route.status == 302 ? " Found" : " Not Found") + "\r\n";
    if (!route.location.isEmpty())
        reply += "Location: " + route.location + "\r\n";
    if (!route.attachment.isEmpty())
        reply += "Content-Disposition: attachment; filename=\"" + route.attachment + "\"\r\n";
    const QByteArray type = !route.attachment.isEmpty() ? "application/octet-stream"
                            : path.endsWith(".png")   ? "image/png"
                            : path.endsWith(".css") ? "text/css"
                            : path.endsWith(".txt") ? "text/plain; charset=utf-8"
                            : path.endsWith(".pdf") ? "application/pdf"
                                                    : "text/html; charset=utf-8";
    reply += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(route.body.size()) +
             "\r\nConnection: close\r\n\r\n";
    if (send(client, reply.constData(), reply.size(), 0))
        send(client, route.body.constData(), route.body.size(), route.bytesPerSecond);
}

bool HttpServer::send(int client, const char *data, qsizetype size, int bytesPerSecond)
{
    // A slow body goes out in twentieths of a second's worth.
    const qsizetype step = bytesPerSecond > 0 ? qMax(1, bytesPerSecond / 20) : size;
    qsizetype sent = 0;
    while (sent < size && !m_stop) {
        const qsizetype chunk = qMin(step, size - sent);
        for (qsizetype done = 0; done < chunk;) {
            const ssize_t n = ::send(client, data + sent + done, size_t(chunk - done), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            done += n;
        }
        sent += chunk;
        if (bytesPerSecond > 0 && sent < size)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return sent == size;
}

} // namespace lorva::test
