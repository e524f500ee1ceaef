#include "config/LegacyText.h"

#include "config/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

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
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);

    // The mark was taken away above; a second one belongs to the text.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;

    text.clear();
    text.reserve(view.size());
    for (const char ch : view) {
        const auto byte = static_cast<unsigned char>(ch);
        text += (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
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

std::optional<QStringList> readTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return splitLines(decodeText(bytes));
}

std::optional<QStringList> readTextLines(const QString &path, int maxLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    for (int n = 0; n < maxLines && !file.atEnd(); ++n) {
        bytes += file.readLine();
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
    }
    QStringList lines = splitLines(decodeText(bytes));
    if (lines.size() > maxLines)
        lines.resize(qMax(0, maxLines));
    return lines;
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
