#pragma once

#include <QByteArray>
#include <QFile>

namespace lorva::test {

// A field of this process's /proc status ("VmHWM:", "VmRSS:"), in kB.
inline long statusKb(const char *field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return 0;
}

} // namespace lorva::test
