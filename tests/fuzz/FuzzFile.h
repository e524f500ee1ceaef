#pragma once

// The fuzzers hand their input to a reader through a real file in a
// program folder of their own.
#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstdlib>

namespace lorva::fuzz {

// The program folder (made once, with `sub` below it).
inline const QString &folder(const char *sub)
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    if (!QDir(path).mkpath(QString::fromLatin1(sub)))
        std::abort();
    return path;
}

inline void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
}

// The lines of a file's bytes, split as the text readers split text (at CR
// LF, LF or CR; a final line end adds no line) after a leading byte-order
// mark, each without its line end. Written plainly, as a reference.
inline QList<QByteArray> byteLines(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.sliced(start, i - start).toByteArray();
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.sliced(start).toByteArray();
    return lines;
}

// A file made of the first `count` lines of `bytes` (with the mark, if any):
// what a reader of that many lines decodes as a whole.
inline QByteArray firstLines(QByteArrayView bytes, qsizetype count)
{
    QByteArray out = bytes.startsWith("\xEF\xBB\xBF") ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    const QList<QByteArray> lines = byteLines(bytes);
    for (qsizetype i = 0; i < count && i < lines.size(); ++i)
        out += lines[i] + '\n';
    return out;
}

} // namespace lorva::fuzz
