#include "config/LegacyText.h"

#include "config/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <vector>

namespace lorva::legacy {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// strtod in the "C" locale: the program's files always use a decimal point,
// whatever the user's locale says.
double parseCNumber(const std::string &text)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

// Characters 0x80 to 0x9F of Windows-1252; the rest is the same as Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// The mark is taken away before; a second one belongs to the text.
QStringDecoder utf8Decoder()
{
    return QStringDecoder(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        text += (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// One line as read, without its line end.
struct RawLine
{
    QByteArray bytes;
    bool cut = false; // it was longer than the bound
};

// How many bytes at the end of `bytes` are the beginning of a UTF-8
// character whose other bytes are missing: what a cut leaves of the
// character it split. 0 when the bytes end with a whole character or with
// bytes that could begin none.
qsizetype splitCharacterBytes(QByteArrayView bytes)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const qsizetype n = bytes.size();
    for (qsizetype k = 1; k <= 3 && k <= n; ++k) {
        const unsigned char lead = at(n - k);
        if ((lead & 0xC0) == 0x80)
            continue; // a continuation byte: the lead is further back
        const qsizetype length = lead >= 0xC2 && lead <= 0xDF ? 2
                                 : lead >= 0xE0 && lead <= 0xEF ? 3
                                 : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                : 0;
        if (length <= k)
            return 0;
        if (k >= 2) {
            // The second byte's range, which shuts out overlong forms,
            // surrogates and values past U+10FFFF.
            const unsigned char second = at(n - k + 1);
            const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
            if (second < low || second > high)
                return 0;
        }
        return k;
    }
    return 0;
}

// The lines' text, decoded as decodeText decodes a file: UTF-8 when the bytes
// of all of them are valid UTF-8 (the same as the bytes of a file made of
// them, since a line end never falls inside a character), Windows-1252
// otherwise. What a cut left of a character counts for neither and is left
// out of UTF-8 text.
QStringList decodeLines(const std::vector<RawLine> &raw)
{
    QStringList lines;
    lines.reserve(qsizetype(raw.size()));
    QStringDecoder utf8 = utf8Decoder();
    for (const RawLine &line : raw) {
        QByteArrayView bytes(line.bytes);
        if (line.cut)
            bytes.chop(splitCharacterBytes(bytes));
        lines << QString(utf8.decode(bytes));
        if (utf8.hasError())
            break;
    }
    if (!utf8.hasError())
        return lines;
    lines.clear();
    for (const RawLine &line : raw)
        lines << decodeWindows1252(line.bytes);
    return lines;
}

// Gathers lines, as splitLines splits them, from a file's bytes handed in
// pieces of any size, holding no more than `maxLineBytes` of any line.
class LineSplitter
{
public:
    LineSplitter(int maxLines, qsizetype maxLineBytes)
        : m_maxLines(maxLines), m_maxLineBytes(qMax<qsizetype>(0, maxLineBytes))
    {
    }

    bool full() const { return qsizetype(m_lines.size()) >= m_maxLines; }

    // Takes the next bytes; false once the lines wanted are complete.
    bool take(QByteArrayView bytes)
    {
        const char *data = bytes.data();
        const qsizetype n = bytes.size();
        m_nextLf = m_nextCr = -1;
        qsizetype i = 0;
        while (i < n && !full()) {
            if (m_afterCr) {
                // The LF of a CR LF that a piece's end parted.
                m_afterCr = false;
                if (data[i] == '\n') {
                    ++i;
                    continue;
                }
            }
            const qsizetype end = lineEnd(data, i, n);
            if (end > i) {
                m_inLine = true;
                const qsizetype room = m_maxLineBytes - m_line.bytes.size();
                if (end - i > room)
                    m_line.cut = true;
                m_line.bytes.append(data + i, qMin(room, end - i));
                if (m_line.cut && qsizetype(m_lines.size()) + 1 == m_maxLines) {
                    // The last line wanted: the rest of it changes nothing.
                    endLine();
                    break;
                }
            }
            if (end == n)
                break;
            m_afterCr = data[end] == '\r';
            i = end + 1;
            endLine();
        }
        return !full();
    }

    // The file ended: a last line without a line end counts.
    void finish()
    {
        if (m_inLine && !full())
            endLine();
    }

    const std::vector<RawLine> &lines() const { return m_lines; }

private:
    // The first CR or LF at or after `from`, n when there is none. Each kind
    // is searched for again only once the one found before is passed.
    qsizetype lineEnd(const char *data, qsizetype from, qsizetype n)
    {
        const auto next = [&](qsizetype &found, char c) {
            if (found < from) {
                const void *at = std::memchr(data + from, c, size_t(n - from));
                found = at ? static_cast<const char *>(at) - data : n;
            }
        };
        next(m_nextLf, '\n');
        next(m_nextCr, '\r');
        return qMin(m_nextLf, m_nextCr);
    }

    void endLine()
    {
        m_lines.push_back(std::move(m_line));
        m_line = RawLine();
        m_inLine = false;
    }

    qsizetype m_maxLines;
    qsizetype m_maxLineBytes;
    std::vector<RawLine> m_lines;
    RawLine m_line;
    bool m_inLine = false; // bytes came since the last line end
    bool m_afterCr = false;
    qsizetype m_nextLf = -1; // in the bytes being taken
    qsizetype m_nextCr = -1;
};

// Where the text of a file begins: after a byte-order mark, if it has one.
std::optional<qint64> textStart(QFile &file)
{
    char head[3];
    const qint64 n = file.read(head, 3);
    if (n < 0)
        return std::nullopt;
    return n == 3 && QByteArrayView(head, 3) == kByteOrderMark ? 3 : 0;
}

} // namespace

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;

    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += char(text[i++].unicode());

    int mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        number += char(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && text[i] == u'.') {
        number += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            number += char(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0.0;

    // An exponent counts only when at least one digit follows the letter.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        const qsizetype firstDigit = j;
        while (j < n && isDigit(text[j]))
            exponent += char(text[j++].unicode());
        if (j > firstDigit)
            number += exponent;
    }
    return parseCNumber(number);
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the current mode, which is to-nearest-even.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString printNumber(double value, int significantDigits)
{
    if (value == 0.0 || std::isnan(value))
        value = 0.0;
    const bool negative = value < 0;
    QString digits = QString::number(std::fabs(value), 'g', significantDigits);
    digits.replace(u'e', u'E');
    // The runtime drops the zero before the point: 0.5 prints as .5
    if (digits.startsWith(QStringLiteral("0.")))
        digits.remove(0, 1);
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + u' ';
}

QString printSingle(double value) { return printNumber(value, 7); }

QString printInt(qint64 value)
{
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) + u' ';
}

QString trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin).toString();
}

QString properCase(const QString &text)
{
    QString out = text;
    bool wordStart = true;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u == 0 || u == 9 || u == 10 || u == 11 || u == 12 || u == 13 || u == 32) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return out;
}

QString decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith(kByteOrderMark))
        view = view.sliced(kByteOrderMark.size());

    QStringDecoder utf8 = utf8Decoder();
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(view);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> readTextLines(const QString &path, int maxLines, qsizetype maxLineBytes,
                                         qsizetype readBytes)
{
    // Unbuffered: the reads below are large enough, and no more is read than asked.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const std::optional<qint64> start = textStart(file);
    if (!start || !file.seek(*start))
        return std::nullopt;
    LineSplitter splitter(maxLines, maxLineBytes);
    QByteArray buffer(qMax<qsizetype>(1, readBytes), Qt::Uninitialized);
    while (!splitter.full()) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0)
            return std::nullopt;
        if (n == 0) {
            splitter.finish();
            break;
        }
        splitter.take(QByteArrayView(buffer.constData(), n));
    }
    return decodeLines(splitter.lines());
}

std::optional<QStringList> readLastTextLines(const QString &path, int maxLines, qsizetype maxLineBytes,
                                             qsizetype readBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const std::optional<qint64> start = textStart(file);
    if (!start)
        return std::nullopt;
    const qint64 size = file.size();
    maxLineBytes = qMax<qsizetype>(0, maxLineBytes);

    // Where the wanted lines begin, found from the end backwards: after an LF,
    // after a CR that no LF follows, and at the start of the text.
    std::vector<qint64> begins;
    QByteArray buffer(qMax<qsizetype>(1, readBytes), Qt::Uninitialized);
    int after = -1; // the byte after the one looked at; none at the end of the file
    for (qint64 high = size; high > *start && qsizetype(begins.size()) < maxLines;) {
        const qint64 low = qMax<qint64>(*start, high - buffer.size());
        if (!file.seek(low) || file.read(buffer.data(), high - low) != high - low)
            return std::nullopt;
        if (!std::memchr(buffer.constData(), '\n', size_t(high - low)) &&
            !std::memchr(buffer.constData(), '\r', size_t(high - low))) {
            // No line end, so no line begins here: the middle of a long line.
            after = static_cast<unsigned char>(buffer[0]);
            high = low;
            continue;
        }
        for (qint64 at = high - 1; at >= low; --at) {
            const char c = buffer[at - low];
            if (after >= 0 && (c == '\n' || (c == '\r' && after != '\n'))) {
                begins.push_back(at + 1);
                if (qsizetype(begins.size()) == maxLines)
                    break;
            }
            after = static_cast<unsigned char>(c);
        }
        high = low;
    }
    if (qsizetype(begins.size()) < maxLines && *start < size)
        begins.push_back(*start);
    std::reverse(begins.begin(), begins.end());

    // Each line runs to the next one's beginning, its line end included: of a
    // long one, no more than the bound and that line end is read.
    std::vector<RawLine> raw;
    raw.reserve(begins.size());
    for (size_t i = 0; i < begins.size(); ++i) {
        const qint64 length = (i + 1 < begins.size() ? begins[i + 1] : size) - begins[i];
        RawLine line;
        line.bytes.resize(qMin<qint64>(length, qint64(maxLineBytes) + 2));
        if (!file.seek(begins[i]) || file.read(line.bytes.data(), line.bytes.size()) != line.bytes.size())
            return std::nullopt;
        if (line.bytes.endsWith("\r\n"))
            line.bytes.chop(2);
        else if (line.bytes.endsWith('\n') || line.bytes.endsWith('\r'))
            line.bytes.chop(1);
        if (length > qint64(maxLineBytes) + 2 || line.bytes.size() > maxLineBytes) {
            line.bytes.truncate(maxLineBytes);
            line.cut = true;
        }
        raw.push_back(std::move(line));
    }
    return decodeLines(raw);
}

void writeTextLines(const QString &path, const QStringList &lines, const QString &source)
{
    QByteArray bytes;
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        bytes += "\xEF\xBB\xBF";
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    writeFileAtomically(path, bytes, source);
}

void writeFileAtomically(const QString &path, const QByteArray &bytes, const QString &source)
{
    if (!QFileInfo(path).absoluteDir().exists())
        throw AppError(QStringLiteral("Path not found: ") + QDir::toNativeSeparators(path), source);
    // Unbuffered, so that a failing write is reported by write() itself: a
    // buffered one would fail only while the file is closed, where the
    // commit does not look, and an empty file would replace the old one.
    QSaveFile file(path);
    const auto fail = [&] {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw AppError(QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                           reason,
                       source);
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            fail();
        done += n;
    }
    if (!file.commit())
        throw AppError(QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                           file.errorString(),
                       source);
}

bool isPlainName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name.contains(u".."))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

QString printableName(QStringView name)
{
    QString out;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString resolvePath(const QString &folder, const QString &relativePath)
{
    QString resolved = folder;
    const QStringList parts = relativePath.split(u'/', Qt::SkipEmptyParts);
    bool found = true;
    for (const QString &part : parts) {
        if (part == u"." || part == u"..")
            continue;
        QString name = part;
        if (found && !QFileInfo::exists(resolved + u'/' + part)) {
            found = false;
            const QStringList entries = QDir(resolved).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            for (const QString &entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    name = entry;
                    found = true;
                    break;
                }
            }
        }
        resolved += u'/' + name;
    }
    return resolved;
}

} // namespace lorva::legacy
