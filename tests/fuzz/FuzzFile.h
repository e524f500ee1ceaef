#pragma once

// The fuzzers hand their input to a reader through a real file in a
// program folder of their own.
#include <QDir>
#include <QFile>
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

} // namespace lorva::fuzz
