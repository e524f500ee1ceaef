// Adds links to one group of a program folder's link tables, one save after
// another, until it is killed; or checks what such a kill left. Drives the
// program's own save and recovery code for scripts/crash-links:
//   link_saves add <program folder> <group>    prints "saved <count>" after each save
//   link_saves check <program folder> <group>  prints "<count> <rows> <leftovers>"
#include "config/AppError.h"
#include "config/LegacyText.h"
#include "linktables/LinkFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace lorva;

namespace {

QString link(int n)
{
    const QString fields[6] = {QStringLiteral("Link %1").arg(n, 5, 10, QChar(u'0')),
                               QStringLiteral("http://example.test/%1").arg(n),
                               QStringLiteral("note"), QString(), QStringLiteral("2026-12-10"), QString()};
    return formatLinkLine(fields);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const int group = QString::fromLocal8Bit(argv[3]).toInt();
    LinkGroups links;
    try {
        Read_Links(folder, links, QStringLiteral(" Group"));
    } catch (const AppError &error) {
        std::fprintf(stderr, "link_saves: %s\n", qPrintable(error.message()));
        return 1;
    }
    const QString file = TableFile(folder, group);
    int count = linkCountOf(links.GroupTitles[size_t(group + 1)]);
    QStringList rows = legacy::readTextLines(file, count).value_or(QStringList());

    if (mode == u"check") {
        // Rows past the count would be hidden now and dropped by the next save.
        const int inFile = legacy::readTextLines(file, 1 << 20).value_or(QStringList()).size();
        const QStringList all = QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        const qsizetype leftovers =
            std::count_if(all.begin(), all.end(), [](const QString &n) { return n.count(u'.') > 1 || n.endsWith(u".Pair"); });
        bool inOrder = true;
        for (int r = 0; r < rows.size(); ++r)
            inOrder = inOrder && rows[r] == link(r + 1);
        std::printf("%d %d %lld %s\n", count, inFile, static_cast<long long>(leftovers), inOrder ? "whole" : "damaged");
        return 0;
    }
    for (;;) {
        ++count;
        rows << link(count);
        links.GroupTitles[size_t(group + 1)].count = QString::number(count);
        try {
            writeGroupAndTitles(folder, file, rows, links);
        } catch (const AppError &error) {
            std::fprintf(stderr, "link_saves: %s\n", qPrintable(error.message()));
            return 1;
        }
        std::printf("saved %d\n", count);
        std::fflush(stdout);
    }
}
