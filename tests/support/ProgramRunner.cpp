#include "support/ProgramRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <grp.h>
#include <unistd.h>
#include <stdexcept>

namespace lorva::test {

namespace {

void copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error(("cannot copy " + from).toStdString());
}

} // namespace

bool haveDisplay() { return !qEnvironmentVariableIsEmpty("DISPLAY"); }

ProgramRunner::ProgramRunner()
{
    const QString bin = QStringLiteral(LORVA_BIN_DIR);
    copyFile(bin + "/lorvaspeak", m_folder.file("lorvaspeak"));
    QFile(m_folder.file("lorvaspeak")).setPermissions(QFileDevice::ExeOwner | QFileDevice::ReadOwner);
    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_DATA_DIR) + '/' + sub); // the shipped files only
        for (const QString &name : dir.entryList(QDir::Files))
            copyFile(dir.filePath(name), m_folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    // The link tables start empty, as in a fresh program folder.
    QDir(m_folder.path()).mkpath("Links");
    // The browser engine keeps its profile and cache here, not in the home folder.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", m_folder.file("xdg-data"));
    env.insert("XDG_CACHE_HOME", m_folder.file("xdg-cache"));
    env.insert("XDG_CONFIG_HOME", m_folder.file("xdg-config"));
    prepare(m_folder.file("lorvaspeak"), env, m_folder.path());
}

ProgramRunner::ProgramRunner(const QString &program, const QString &home, std::optional<uid_t> uid)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
        env.remove(name);
    env.insert("HOME", home);
    env.insert("XDG_RUNTIME_DIR", home + "/run");
    prepare(program, env, home);
    if (uid) {
        const uid_t id = *uid;
        m_process.setChildProcessModifier([id] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0)
                ::_exit(127);
        });
    }
}

// The program logs its start-up stages on standard error, which is read.
void ProgramRunner::prepare(const QString &program, QProcessEnvironment env, const QString &workingDirectory)
{
    env.insert("QT_LOGGING_RULES", "lorva.startup.debug=true");
    m_process.setProcessEnvironment(env);
    m_process.setProgram(program);
    m_process.setWorkingDirectory(workingDirectory);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setReadChannel(QProcess::StandardError);
}

ProgramRunner::~ProgramRunner()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

void ProgramRunner::start()
{
    m_output.clear();
    m_process.start();
    if (!m_process.waitForStarted(10000))
        throw std::runtime_error("the program did not start");
}

void ProgramRunner::collect() { m_output += QString::fromUtf8(m_process.readAllStandardError()); }

bool ProgramRunner::waitForOutput(const QString &text, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        collect();
        if (m_output.contains(text))
            return true;
        if (m_process.state() == QProcess::NotRunning || clock.elapsed() > timeout.count())
            return false;
        m_process.waitForReadyRead(100);
    }
}

bool ProgramRunner::waitForExit(std::chrono::milliseconds timeout)
{
    const bool ended = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(int(timeout.count()));
    collect();
    return ended;
}

void ProgramRunner::signal(int signal) { ::kill(pid_t(m_process.processId()), signal); }

bool ProgramRunner::stop(int signal, std::chrono::milliseconds timeout)
{
    this->signal(signal);
    return waitForExit(timeout);
}

namespace {

// The first visible window xdotool finds with `criteria`.
QString findWindow(const QStringList &criteria)
{
    QProcess search;
    search.start("xdotool", QStringList{"search", "--sync", "--onlyvisible"} + criteria);
    if (!search.waitForFinished(20000) || search.exitCode() != 0)
        return {};
    return QString::fromLatin1(search.readAllStandardOutput()).split('\n').first().trimmed();
}

bool actIn(const QString &window, const QStringList &actions)
{
    return !window.isEmpty() && QProcess::execute("xdotool", QStringList{"windowactivate", "--sync", window} + actions) == 0;
}

} // namespace

bool ProgramRunner::pressEnterIn(const QString &title)
{
    return actIn(findWindow({"--name", '^' + title + '$'}), {"key", "--clearmodifiers", "Return"});
}

bool ProgramRunner::inMainWindow(const QStringList &actions)
{
    return actIn(findWindow({"--pid", QString::number(processId())}), actions);
}

namespace {

QString parentOf(const QString &pid)
{
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    return fields.size() > 1 ? QString::fromLatin1(fields[1]) : QString();
}

} // namespace

QList<qint64> ProgramRunner::rendererProcesses() const
{
    // The engine forks its renderers from a zygote process it started, and
    // they keep the zygote's command line: they are the program's grandchildren.
    QList<qint64> found;
    const QString program = QString::number(m_process.processId());
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid.toLongLong() > 0 && parentOf(parentOf(pid)) == program)
            found << pid.toLongLong();
    }
    return found;
}

} // namespace lorva::test
