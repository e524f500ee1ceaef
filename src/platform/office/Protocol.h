#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the program and its office helper (lorvaspeak-office) say to each
// other over the helper's standard input and output, one JSON object a
// line. Both ends use this one module, so neither can change the messages
// without the other; every line carries the protocol's version, and a line
// of another version is refused rather than half understood.
namespace lorva {

// One piece of work for the office suite.
struct OfficeJob
{
    enum class Kind { Word, Pdf, Excel, Slide };
    Kind kind = Kind::Word;
    QString source;         // the captured page (HTML), or for a slide the picture
    QString templatePath;   // Word and PDF; empty: a new document
    bool landscape = false; // a new Word document: landscape
    QString target;         // the document the user chose
    QString intermediate;   // PDF: the Word document written beside it
    QString title;          // the page's title: an Excel sheet's name

    friend bool operator==(const OfficeJob &, const OfficeJob &) = default;
};

struct OfficeResult
{
    bool ok = false;
    QString error;  // what failed, when it did
    int slides = 0; // a slide: the new slide's number

    friend bool operator==(const OfficeResult &, const OfficeResult &) = default;
};

namespace office {

// Raised whenever a message changes shape; both ends are built together.
inline constexpr int kProtocolVersion = 1;

// From the helper: its office is ready for the work, it failed (before or
// instead of the work), or the work is done with a result.
struct Message
{
    enum class Event { Ready, Failed, Done };
    Event event = Event::Failed;
    QString error;       // Failed
    OfficeResult result; // Done
    long long office = 0; // Ready: the office's process

    friend bool operator==(const Message &, const Message &) = default;
};

// Each encoding is one line, ending in '\n'.
QByteArray encodeJob(const OfficeJob &job);
QByteArray encodeMessage(const Message &message);

// A line without its '\n'. Empty, with `error` set, when the line is not a
// message of this protocol's version.
std::optional<OfficeJob> decodeJob(const QByteArray &line, QString &error);
std::optional<Message> decodeMessage(const QByteArray &line, QString &error);

} // namespace office
} // namespace lorva
