#pragma once

#include "support/TempFolder.h"

#include <QProcess>
#include <QString>

#include <chrono>
#include <optional>

#include <sys/types.h>

namespace lorva::test {

// The real program, copied into a throw-away program folder and started
// under the X display of the test run.
class ProgramRunner
{
public:
    // Copies the built program with its Data and Languages files.
    ProgramRunner();
    // An installed program, started with `home` as the home folder (and no
    // XDG folders of its own), as the user `uid` when one is given.
    ProgramRunner(const QString &program, const QString &home, std::optional<uid_t> uid);
    ~ProgramRunner();

    TempFolder &folder() { return m_folder; }

    void start();
    // Waits until standard error holds `text`; false on timeout or exit.
    bool waitForOutput(const QString &text, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    void signal(int signal);
    // Sends a signal and waits for the program to end; false on timeout.
    bool stop(int signal, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    bool waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Presses Enter in the visible window titled `title` (a message box).
    bool pressEnterIn(const QString &title);
    // Activates the program's main window and runs the xdotool commands
    // `actions` on it, as a person's keyboard would ("key", "ctrl+l", ...).
    bool inMainWindow(const QStringList &actions);
    // The program's renderer processes (the engine's children).
    QList<qint64> rendererProcesses() const;

    qint64 processId() const { return m_process.processId(); }
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QString output() const { return m_output; }

private:
    void prepare(const QString &program, QProcessEnvironment env, const QString &workingDirectory);
    void collect();

    TempFolder m_folder;
    QProcess m_process;
    QString m_output;
};

// The X display must be there; the test command starts one.
bool haveDisplay();

} // namespace lorva::test
