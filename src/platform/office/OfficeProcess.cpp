#include "platform/office/OfficeProcess.h"

#include "platform/office/TempArea.h"

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lorva::office {

namespace {

// Exit status of an office that made a new profile and wants to start again.
constexpr int kRestart = 81;

} // namespace

OfficeProcess::OfficeProcess(std::string folder) : m_folder(std::move(folder))
{
    if (mkdir((m_folder + "/profile").c_str(), 0700) == 0) {
        m_profile = m_folder + "/profile";
        // The office runs a few seconds of drawing tests whenever it meets a
        // profile made by an older version, and a headless office never
        // records its own: a profile marked as made by a later version than
        // any starts in a fraction of a second.
        const std::string user = m_profile + "/user";
        mkdir(user.c_str(), 0700);
        if (FILE *file = std::fopen((user + "/registrymodifications.xcu").c_str(), "w")) {
            std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                       "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
                       "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
                       "oor:op=\"fuse\"><value>99.9</value></prop></item>\n"
                       "</oor:items>\n",
                       file);
            std::fclose(file);
        }
    }
    m_pipe = "lorvaspeak-" + std::to_string(getpid()) + "-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    // The pipe of this name goes to /tmp, whatever TMPDIR says: recorded
    // before it exists, it is removed even if everything is killed at once.
    office::recordPipes(m_folder, {"/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + m_pipe});
}

void OfficeProcess::recordPipes()
{
    if (m_pid > 0)
        office::recordPipes(m_folder, listeningSockets(m_pid));
}

OfficeProcess::~OfficeProcess() { stop(0); }

std::string OfficeProcess::program()
{
    for (const char *candidate : {"/usr/lib/libreoffice/program/soffice.bin",
                                  "/opt/libreoffice/program/soffice.bin"}) {
        if (access(candidate, X_OK) == 0)
            return candidate;
    }
    return {};
}

std::string OfficeProcess::connectUrl() const
{
    return "uno:pipe,name=" + m_pipe + ";urp;StarOffice.ComponentContext";
}

bool OfficeProcess::launch(std::string &error)
{
    const std::string office = program();
    if (office.empty()) {
        error = "LibreOffice is not installed (no soffice.bin)";
        return false;
    }
    if (m_profile.empty()) {
        error = "no temporary folder for the office profile";
        return false;
    }
    const std::string profile = "-env:UserInstallation=file://" + m_profile;
    const std::string accept = "--accept=pipe,name=" + m_pipe + ";urp;StarOffice.ComponentContext";
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        error = std::string("cannot start the office: ") + std::strerror(errno);
        return false;
    }
    if (pid == 0) {
        // The office goes with this helper, however it ends, and has a group
        // of its own so that nothing it starts is left behind.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(1);
        setpgid(0, 0);
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execl(office.c_str(), office.c_str(), "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
              "--nolockcheck", profile.c_str(), accept.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    m_pid = pid;
    return true;
}

bool OfficeProcess::start(std::string &error)
{
    if (!launch(error))
        return false;
    // A new profile: the office makes it and asks to be started again.
    // Watch for that briefly; a running office keeps going.
    for (int i = 0; i < 300; ++i) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            if (WIFEXITED(status) && WEXITSTATUS(status) == kRestart)
                return launch(error);
            error = "the office ended at once (status " +
                    std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) + ")";
            return false;
        }
        // Its other pipe, named after its profile, comes first.
        recordPipes();
        // The pipe shows up once the office listens.
        if (std::filesystem::exists("/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + m_pipe))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true; // still running: the connection attempts decide
}

bool OfficeProcess::running()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

void OfficeProcess::stop(int ms)
{
    if (m_pid > 0) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (running() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (m_pid > 0) {
            kill(-m_pid, SIGKILL);
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }
}

} // namespace lorva::office
