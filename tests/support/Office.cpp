#include "support/Office.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QMap>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lorva::test {

namespace {

// A profile marked as made by a later version: the office then skips the
// drawing tests it runs on meeting a new profile, and starts in well under
// a second instead of several.
QString profile()
{
    static QTemporaryDir folder;
    static const bool seeded = [] {
        QDir(folder.path()).mkpath("user");
        QFile file(folder.path() + "/user/registrymodifications.xcu");
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items "
                   "xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                   "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n<item "
                   "oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
                   "oor:op=\"fuse\"><value>99.9</value></prop></item>\n</oor:items>\n");
        return true;
    }();
    return seeded ? folder.path() : QString();
}

} // namespace

QString officeConvert(const QString &file, const QString &format, const QString &into)
{
    QDir().mkpath(into);
    QProcess office;
    office.setStandardInputFile(QProcess::nullDevice());
    office.start("soffice", {"--headless", "--norestore", "-env:UserInstallation=file://" + profile(),
                             "--convert-to", format, "--outdir", into, file});
    // The program under test runs in this process: its events go on meanwhile.
    QElapsedTimer clock;
    clock.start();
    while (office.state() != QProcess::NotRunning) {
        if (clock.elapsed() > 120000)
            return {};
        QTest::qWait(10);
    }
    // The office reports success even when it made nothing: look.
    const QString extension = format.section(u':', 0, 0);
    const QString result = into + u'/' + QFileInfo(file).completeBaseName() + u'.' + extension;
    return QFileInfo::exists(result) ? result : QString();
}

QString commandOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int officeProcesses(const QString &area)
{
    return int(commandOutput("pgrep", {"-f", area + "/lorvaspeak-office-"}).split(u'\n', Qt::SkipEmptyParts).size());
}

pid_t descendant(const QString &name)
{
    QMap<pid_t, pid_t> parents;
    QMap<pid_t, QString> names;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = pid_t(entry.toInt(&number));
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (open < 0 || close < open || fields.size() < 2)
            continue;
        parents[pid] = pid_t(fields[1].toInt());
        names[pid] = QString::fromUtf8(line.mid(open + 1, close - open - 1));
    }
    for (auto it = names.begin(); it != names.end(); ++it) {
        if (it.value() != name)
            continue;
        for (pid_t p = parents.value(it.key()); p > 1; p = parents.value(p))
            if (p == getpid())
                return it.key();
    }
    return 0;
}

QStringList deadOfficePipes()
{
    QStringList dead;
    const QString prefix = QStringLiteral("OSL_PIPE_%1_").arg(getuid());
    for (const QFileInfo &pipe : QDir(QStringLiteral("/tmp")).entryInfoList({prefix + u'*'}, QDir::System | QDir::Hidden)) {
        const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", pipe.filePath().toUtf8().constData());
        if (::connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            dead << pipe.fileName();
        ::close(s);
    }
    return dead;
}

} // namespace lorva::test
