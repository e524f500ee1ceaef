#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace lorva::test {

TempFolder::TempFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    QDir dir(m_dir.path());
    for (const char *sub : {"Data", "Languages", "Links", "Images"})
        dir.mkdir(QLatin1String(sub));
}

void TempFolder::write(const QString &relative, const QByteArray &bytes) const
{
    QFile f(file(relative));
    QDir().mkpath(QFileInfo(f).absolutePath());
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempFolder::read(const QString &relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempFolder::exists(const QString &relative) const { return QFileInfo::exists(file(relative)); }

void TempFolder::remove(const QString &relative) const
{
    const QFileInfo info(file(relative));
    if (info.isDir())
        QDir(info.absoluteFilePath()).removeRecursively();
    else
        QFile::remove(info.absoluteFilePath());
}

QByteArray crlf(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace lorva::test
