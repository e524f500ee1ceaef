#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace lorva {

// The files the program keeps for the user, written again whenever what
// they would hold has changed, so that a crash or a kill loses at most the
// time between two checks, not a whole run. Each file is rewritten whole
// and atomically, and only when its lines differ from the last written.
class KeptFiles
{
public:
    using Lines = std::function<QStringList()>;

    // Watches the file at `path`; its present lines count as written.
    void keep(const QString &path, const QString &source, Lines lines);

    // Writes each file whose lines changed. A write that fails is tried
    // again only once the lines change again; the messages of this call's
    // failures are returned.
    QStringList saveChanged();

private:
    struct File
    {
        QString path;
        QString source;
        Lines lines;
        QStringList written;
    };
    std::vector<File> m_files;
};

} // namespace lorva
