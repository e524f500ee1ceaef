#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// Memory of a process and of every process below it (a browser and its
// helper processes), as PSS from /proc: shared pages count once in all.
namespace lorva::bench {

// PSS in kB of one process.
inline long pssOf(const QString &pid)
{
    QFile file("/proc/" + pid + "/smaps_rollup");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').first().toLong();
    }
    return 0;
}

inline QString parentOf(const QString &pid)
{
    QFile file("/proc/" + pid + "/stat");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? QString::fromLatin1(fields[1]) : QString();
}

// `root` and the processes below it.
inline QStringList processTree(pid_t root)
{
    QStringList tree{QString::number(root)};
    const QStringList all = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    bool grew = true;
    while (grew) {
        grew = false;
        for (const QString &pid : all) {
            if (!tree.contains(pid) && tree.contains(parentOf(pid))) {
                tree << pid;
                grew = true;
            }
        }
    }
    return tree;
}

// PSS in kB summed over the tree; `processes` gets how many there were.
inline long treePss(pid_t root, long *processes = nullptr)
{
    const QStringList tree = processTree(root);
    long total = 0;
    for (const QString &pid : tree)
        total += pssOf(pid);
    if (processes)
        *processes = tree.size();
    return total;
}

} // namespace lorva::bench
