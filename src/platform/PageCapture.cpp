#include "platform/PageCapture.h"

#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>

#include <memory>

namespace lorva {

namespace {

// Characters taken from the page in one step: turning what the page answers
// into the program's own string happens on the window's thread, and a piece
// of this size takes a few milliseconds there.
constexpr qsizetype kPiece = 1 << 20;
// The capture itself runs in the page's process while the window goes on;
// a very large page takes a while.
constexpr int kCaptureMs = 60000;
constexpr int kPieceMs = 10000;
constexpr int kSaveMs = 30000;

// Runs `script` in the program's own world of `page` and gives its answer,
// with events running meanwhile; nothing when none came within `ms`. The
// answer lands in state of its own, so that a late one harms nothing.
std::optional<QVariant> ask(QWebEnginePage *page, const QString &script, int ms)
{
    struct Answer
    {
        QVariant value;
        bool done = false;
        QPointer<QEventLoop> loop;
    };
    const auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant &value) {
        answer->value = value;
        answer->done = true;
        if (answer->loop)
            answer->loop->quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (!answer->done)
        loop.exec();
    if (!answer->done)
        return std::nullopt;
    return answer->value;
}

// Picture formats the office reads as they come; others are turned into PNG
// when the toolkit can read them, and left out otherwise.
bool officeReads(const QByteArray &type)
{
    static const QSet<QByteArray> types{"image/png", "image/jpeg", "image/gif", "image/bmp", "image/svg+xml",
                                        "image/webp"};
    return types.contains(type);
}

QString dataAddress(const QByteArray &type, const QByteArray &bytes)
{
    if (officeReads(type))
        return QStringLiteral("data:") + QString::fromLatin1(type) + QStringLiteral(";base64,") +
               QString::fromLatin1(bytes.toBase64());
    const QImage image = QImage::fromData(bytes);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

// The pictures at `wanted` addresses in a web archive (MHTML), as data:
// addresses.
QHash<QString, QString> picturesIn(const QByteArray &archive, const QSet<QString> &wanted)
{
    QHash<QString, QString> found;
    const qsizetype named = archive.indexOf("boundary=\"");
    if (named < 0)
        return found;
    const qsizetype nameEnd = archive.indexOf('"', named + 10);
    if (nameEnd < 0)
        return found;
    const QByteArray boundary = "--" + archive.mid(named + 10, nameEnd - named - 10);
    for (qsizetype at = archive.indexOf(boundary, nameEnd); at >= 0;) {
        const qsizetype start = at + boundary.size();
        if (archive.mid(start, 2) == "--")
            break;
        const qsizetype next = archive.indexOf(boundary, start);
        const qsizetype end = next < 0 ? archive.size() : next;
        const qsizetype headersEnd = archive.indexOf("\r\n\r\n", start);
        if (headersEnd < 0 || headersEnd > end)
            break;
        QByteArray type, encoding, location;
        QByteArray headers = archive.mid(start, headersEnd - start);
        headers.replace("\r\n ", " ").replace("\r\n\t", " ");
        for (const QByteArray &line : headers.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-type")
                type = value.split(';').first().trimmed().toLower();
            else if (name == "content-transfer-encoding")
                encoding = value.toLower();
            else if (name == "content-location")
                location = value;
        }
        const QString address = QString::fromUtf8(location);
        if (wanted.contains(address) && !found.contains(address)) {
            QByteArray bytes = archive.mid(headersEnd + 4, end - headersEnd - 4);
            if (bytes.endsWith("\r\n"))
                bytes.chop(2);
            if (encoding == "base64")
                bytes = QByteArray::fromBase64(bytes);
            else if (encoding != "binary" && encoding != "8bit")
                bytes.clear();
            if (!bytes.isEmpty()) {
                const QString data = dataAddress(type, bytes);
                if (!data.isEmpty())
                    found.insert(address, data);
            }
        }
        at = next;
    }
    return found;
}

// The pictures at `addresses` as the engine loaded them for `page`: the
// engine writes the page as a web archive from what it holds, and asks the
// network for nothing. A picture it did not load is not there.
QHash<QString, QString> picturesFromEngine(QWebEnginePage *page, const QSet<QString> &addresses)
{
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/lorvaspeak-page-XXXXXX"));
    if (!folder.isValid())
        return {};
    const QString path = folder.filePath(QStringLiteral("page.mhtml"));
    bool finished = false;
    QPointer<QWebEngineDownloadRequest> download;
    QEventLoop loop;
    QObject::connect(page->profile(), &QWebEngineProfile::downloadRequested, &loop, [&](QWebEngineDownloadRequest *d) {
        if (!d->isSavePageDownload() || QDir(d->downloadDirectory()).filePath(d->downloadFileName()) != path)
            return;
        download = d;
        QObject::connect(d, &QWebEngineDownloadRequest::isFinishedChanged, &loop, [&, d] {
            if (!d->isFinished())
                return;
            finished = true;
            loop.quit();
        });
    });
    page->save(path, QWebEngineDownloadRequest::MimeHtmlSaveFormat);
    QTimer::singleShot(kSaveMs, &loop, &QEventLoop::quit);
    if (!finished)
        loop.exec();
    if (!finished) {
        // Never written into a folder that is gone.
        if (download)
            download->cancel();
        return {};
    }
    QFile archive(path);
    if (!archive.open(QIODevice::ReadOnly))
        return {};
    return picturesIn(archive.readAll(), addresses);
}

} // namespace

std::optional<CapturedPage> capturePageOf(QWebEnginePage *page, qsizetype maxMarkup)
{
    const QPointer<QWebEnginePage> alive(page);
    const QString token = QString::number(QRandomGenerator::global()->generate64(), 36);
    const std::optional<QVariant> first =
        ask(page, QString::fromUtf8(pageCaptureScript()) + QStringLiteral("(%1, '%2')").arg(maxMarkup).arg(token),
            kCaptureMs);
    if (!first || !alive)
        return std::nullopt;
    const QJsonObject answer = QJsonDocument::fromJson(first->toString().toUtf8()).object();
    if (answer.isEmpty())
        return std::nullopt;
    if (answer.value(QStringLiteral("tooLarge")).toBool()) {
        CapturedPage large;
        large.tooLarge = true;
        large.markupSize = qsizetype(answer.value(QStringLiteral("size")).toDouble());
        return large;
    }

    // The markup, the text and the pictures the page could read, piece by
    // piece; then the page forgets them.
    const QJsonArray sizes = answer.value(QStringLiteral("sizes")).toArray();
    QStringList parts;
    for (qsizetype k = 0; k < sizes.size(); ++k) {
        const qsizetype size = qsizetype(sizes[k].toDouble());
        QString part;
        part.reserve(size);
        for (qsizetype at = 0; at < size; at += kPiece) {
            const std::optional<QVariant> piece =
                alive ? ask(page,
                            QStringLiteral("window.__lorvaCapture ? window.__lorvaCapture[%1].substr(%2, %3) : null")
                                .arg(k)
                                .arg(at)
                                .arg(kPiece),
                            kPieceMs)
                      : std::nullopt;
            // The page went away, or stopped answering.
            if (!piece || !piece->isValid() || piece->isNull())
                return std::nullopt;
            part += piece->toString();
        }
        parts << part;
    }
    if (!alive)
        return std::nullopt;
    page->runJavaScript(QStringLiteral("delete window.__lorvaCapture"), QWebEngineScript::ApplicationWorld);
    if (parts.size() < 2)
        return std::nullopt;

    // Pictures from elsewhere, which the page shows but may not read, as
    // the engine loaded them.
    const QJsonArray pictures = answer.value(QStringLiteral("pictures")).toArray();
    QSet<QString> elsewhere;
    for (const QJsonValue &address : pictures) {
        if (address.isString())
            elsewhere.insert(address.toString());
    }
    const QHash<QString, QString> fromEngine =
        elsewhere.isEmpty() ? QHash<QString, QString>() : picturesFromEngine(page, elsewhere);
    const auto pictureData = [&](qsizetype n) -> QString {
        if (n < 0 || n >= pictures.size() || 2 + n >= parts.size())
            return {};
        return pictures[n].isString() ? fromEngine.value(pictures[n].toString()) : parts[2 + n];
    };

    // The document: each picture in its place, and a picture that did not
    // come goes with its tag. A string of megabytes is copied as few times
    // as can be: each copy holds up the window.
    const QString &body = parts[0];
    const QString title = answer.value(QStringLiteral("title")).toString().toHtmlEscaped();
    const QLatin1String head("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>");
    const QLatin1String afterTitle("</title></head><body>");
    const QLatin1String tail("</body></html>\n");
    qsizetype length = head.size() + title.size() + afterTitle.size() + body.size() + tail.size();
    for (qsizetype n = 0; n < pictures.size(); ++n)
        length += pictureData(n).size();
    CapturedPage captured;
    QString &html = captured.html;
    html.reserve(length);
    html += head;
    html += title;
    html += afterTitle;
    const QString marker = QStringLiteral("lorva-") + token + u'-';
    qsizetype done = 0;
    for (qsizetype at = pictures.isEmpty() ? -1 : body.indexOf(marker); at >= 0; at = body.indexOf(marker, done)) {
        qsizetype end = at + marker.size();
        while (end < body.size() && body[end].isDigit())
            ++end;
        const QString data = pictureData(QStringView(body).mid(at + marker.size(), end - at - marker.size()).toInt());
        const qsizetype open = body.lastIndexOf(QLatin1String("<img"), at);
        const qsizetype close = body.indexOf(u'>', end);
        if (data.isEmpty() && open >= done && close > at) {
            html += QStringView(body).mid(done, open - done);
            done = close + 1;
        } else {
            html += QStringView(body).mid(done, at - done);
            html += data;
            done = end;
        }
    }
    html += QStringView(body).mid(done);
    html += tail;
    captured.text = parts[1];
    captured.markupSize = body.size();
    return captured;
}

} // namespace lorva
