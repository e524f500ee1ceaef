#include "platform/office/Protocol.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <utility>

namespace lorva::office {

namespace {

constexpr std::array<std::pair<OfficeJob::Kind, const char *>, 4> kKinds{
    {{OfficeJob::Kind::Word, "word"}, {OfficeJob::Kind::Pdf, "pdf"}, {OfficeJob::Kind::Excel, "excel"},
     {OfficeJob::Kind::Slide, "slide"}}};

constexpr std::array<std::pair<Message::Event, const char *>, 3> kEvents{
    {{Message::Event::Ready, "ready"}, {Message::Event::Failed, "failed"}, {Message::Event::Done, "done"}}};

template <typename Table, typename Value> QString nameOf(const Table &table, Value value)
{
    for (const auto &[v, name] : table)
        if (v == value)
            return QString::fromLatin1(name);
    return {};
}

template <typename Table, typename Value> bool valueOf(const Table &table, const QString &name, Value &value)
{
    for (const auto &[v, n] : table) {
        if (name == QLatin1String(n)) {
            value = v;
            return true;
        }
    }
    return false;
}

QByteArray line(QJsonObject object)
{
    object.insert(QStringLiteral("version"), kProtocolVersion);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

// The object of a line of this protocol's version.
std::optional<QJsonObject> objectOf(const QByteArray &line, QString &error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(line, &parse);
    if (!document.isObject()) {
        error = QStringLiteral("the office helper's message is not readable: ") + parse.errorString();
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const int version = object.value(QStringLiteral("version")).toInt(-1);
    if (version != kProtocolVersion) {
        error = QStringLiteral("the office helper speaks version %1 of its protocol, not %2 (a program and a "
                               "helper of different builds)")
                    .arg(version)
                    .arg(kProtocolVersion);
        return std::nullopt;
    }
    return object;
}

} // namespace

QByteArray encodeJob(const OfficeJob &job)
{
    return line({{"kind", nameOf(kKinds, job.kind)},
                 {"source", job.source},
                 {"template", job.templatePath},
                 {"landscape", job.landscape},
                 {"target", job.target},
                 {"intermediate", job.intermediate},
                 {"title", job.title}});
}

std::optional<OfficeJob> decodeJob(const QByteArray &text, QString &error)
{
    const std::optional<QJsonObject> object = objectOf(text, error);
    if (!object)
        return std::nullopt;
    OfficeJob job;
    const QString kind = object->value(QStringLiteral("kind")).toString();
    if (!valueOf(kKinds, kind, job.kind)) {
        error = QStringLiteral("unknown work: ") + kind;
        return std::nullopt;
    }
    job.source = object->value(QStringLiteral("source")).toString();
    job.templatePath = object->value(QStringLiteral("template")).toString();
    job.landscape = object->value(QStringLiteral("landscape")).toBool();
    job.target = object->value(QStringLiteral("target")).toString();
    job.intermediate = object->value(QStringLiteral("intermediate")).toString();
    job.title = object->value(QStringLiteral("title")).toString();
    return job;
}

QByteArray encodeMessage(const Message &message)
{
    QJsonObject object{{"event", nameOf(kEvents, message.event)}};
    switch (message.event) {
    case Message::Event::Ready:
        object.insert(QStringLiteral("office"), message.office);
        break;
    case Message::Event::Failed:
        object.insert(QStringLiteral("error"), message.error);
        break;
    case Message::Event::Done:
        object.insert(QStringLiteral("ok"), message.result.ok);
        object.insert(QStringLiteral("slides"), message.result.slides);
        if (!message.result.ok)
            object.insert(QStringLiteral("error"), message.result.error);
        break;
    }
    return line(object);
}

std::optional<Message> decodeMessage(const QByteArray &text, QString &error)
{
    const std::optional<QJsonObject> object = objectOf(text, error);
    if (!object)
        return std::nullopt;
    Message message;
    const QString event = object->value(QStringLiteral("event")).toString();
    if (!valueOf(kEvents, event, message.event)) {
        error = QStringLiteral("unknown message from the office helper: ") + event;
        return std::nullopt;
    }
    message.office = object->value(QStringLiteral("office")).toInteger();
    message.error = object->value(QStringLiteral("error")).toString();
    message.result.ok = object->value(QStringLiteral("ok")).toBool();
    message.result.slides = object->value(QStringLiteral("slides")).toInt();
    if (message.event == Message::Event::Done)
        message.result.error = message.error;
    if (message.event != Message::Event::Failed)
        message.error.clear();
    return message;
}

} // namespace lorva::office
