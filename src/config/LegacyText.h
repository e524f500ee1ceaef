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

// Bytes of a text file to text: UTF-8 when the bytes are valid UTF-8 (a
// leading byte-order mark is dropped), otherwise Windows-1252.
QString decodeText(const QByteArray &bytes);

// Splits text into lines at CR LF, LF or CR; a final line end adds no line.
QStringList splitLines(const QString &text);

// Reads a whole text file as lines. Empty when it cannot be opened or read.
std::optional<QStringList> readTextLines(const QString &path);

// Writes the lines, each followed by CR LF, as UTF-8, replacing the file
// atomically. Throws AppError (with `source`) when it cannot be written.
void writeTextLines(const QString &path, const QStringList &lines, const QString &source);

// Resolves a '/'-separated path below `folder` without regard to letter
// case: each existing component is taken in the spelling found on disk; the
// first missing one and all after it keep the spelling given.
QString resolvePath(const QString &folder, const QString &relativePath);

} // namespace lorva::legacy
