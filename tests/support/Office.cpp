#include "support/Office.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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

int officeProcesses()
{
    return int(commandOutput("pgrep", {"-f", "lorvaspeak-office-"}).split(u'\n', Qt::SkipEmptyParts).size());
}

} // namespace lorva::test
