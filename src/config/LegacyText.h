#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The number and text rules that every reader and writer of the program's
// files shares, so that files made by earlier versions keep reading the same.
namespace lorva::legacy {

// Skips leading spaces and reads the longest prefix that forms a decimal
// number (sign, digits, point, exponent). No number at all gives 0.
double leadingNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour, and checks the
// 16-bit range. Empty when the value does not fit (or is not a number).
std::optional<qint16> toInt16(double value);

// The runtime's print form of a number: a space (or the minus sign), the
// shortest decimal form with at most `significantDigits` digits, a space.
QString printNumber(double value, int significantDigits = 15);
QString printSingle(double value); // 7 significant digits
QString printInt(qint64 value);

// Removes the space character (only that one) at both ends.
QString trimSpaces(QStringView text);

// First letter of every word upper case, the rest lower case; words are
// separated only by NUL, tab, line feed, vertical tab, form feed, CR and space.
QString properCase(const QString &text);

// Bytes of a text file to text: UTF-8 when the bytes are valid UTF-8 (a
// leading byte-order mark is dropped), otherwise Windows-1252.
QString decodeText(const QByteArray &bytes);

// Splits text into lines at CR LF, LF or CR; a final line end adds no line.
QStringList splitLines(const QString &text);

// How far the line readers below go unless told otherwise: a file of ten
// times the lines of a shipped language file, each line long enough for any
// address a person types. A longer line is cut there.
inline constexpr int kMaxLines = 4096;
inline constexpr qsizetype kMaxLineBytes = 64 * 1024;
// For lines that hold whole addresses and are read only when asked for (the
// bookmark, the links of a group): the longest address the browser engine
// opens takes 2 MiB in a file, and a link row holds it twice.
inline constexpr qsizetype kLongLineBytes = 8 * 1024 * 1024;
// How much one read from the disk asks for.
inline constexpr qsizetype kReadBytes = 64 * 1024;

// Reads the first `maxLines` lines of a text file: split as splitLines does,
// decoded as decodeText does, deciding between UTF-8 and Windows-1252 on the
// bytes of those lines only. A line longer than `maxLineBytes` bytes keeps its
// first `maxLineBytes` (in UTF-8 less a character that the cut split); the
// rest of it is only looked through for its end, never held, so a file of
// any size, with or without line ends, takes no more memory than `maxLines`
// lines of that length. Reading stops at the end of the last line wanted, or
// at its cut. Empty when the file cannot be opened or read. `readBytes` is
// the size of each read from the disk.
std::optional<QStringList> readTextLines(const QString &path, int maxLines = kMaxLines,
                                         qsizetype maxLineBytes = kMaxLineBytes, qsizetype readBytes = kReadBytes);
// The same for the last `maxLines` lines of the file, which is looked
// through from its end only as far back as those lines begin.
std::optional<QStringList> readLastTextLines(const QString &path, int maxLines,
                                             qsizetype maxLineBytes = kMaxLineBytes,
                                             qsizetype readBytes = kReadBytes);

// Writes the lines, each followed by CR LF, as UTF-8, replacing the file
// atomically. Throws AppError (with `source`) when it cannot be written.
// A first line that itself begins with U+FEFF is preceded by a byte-order
// mark, so that reading takes only that mark away.
void writeTextLines(const QString &path, const QStringList &lines, const QString &source);

// Replaces the file at `path` with `bytes` atomically: every write and the
// final rename are checked, and on any failure (a full disk, a read-only or
// missing folder) the old file stays whole and AppError is thrown.
void writeFileAtomically(const QString &path, const QByteArray &bytes, const QString &source);

// Whether `name` is a plain name that the user gave for one file of a
// folder (a language, a document): not empty, no path separator, not "." or
// "..", no "..", and no control character.
bool isPlainName(QStringView name);
// The name with its control characters shown as \x.. escapes, for messages.
QString printableName(QStringView name);

// Resolves a '/'-separated path below `folder` without regard to letter
// case: each existing component is taken in the spelling found on disk; the
// first missing one and all after it keep the spelling given. Components
// "." and ".." are left out: a resolved path never leaves `folder`.
QString resolvePath(const QString &folder, const QString &relativePath);

} // namespace lorva::legacy
