#pragma once

#include <string>
#include <sys/types.h>

namespace lorva::office {

// One private LibreOffice process: its own temporary profile, a pipe name
// of its own, a process group of its own, and the rule that it dies with
// the process that started it.
class OfficeProcess
{
public:
    OfficeProcess();
    ~OfficeProcess();

    // Starts the office; false (with `error` set) when it is not installed
    // or does not come up. Restarts it once when it asks for that after
    // making its new profile.
    bool start(std::string &error);
    // The UNO address to connect to.
    std::string connectUrl() const;
    // Whether the office is still running.
    bool running();
    // Waits up to `ms` for the office to end on its own; then kills its
    // process group and waits for it. Removes the profile.
    void stop(int ms);

    pid_t pid() const { return m_pid; }

    // The office program, or empty when LibreOffice is not installed.
    static std::string program();

private:
    bool launch(std::string &error);

    std::string m_profile;
    std::string m_pipe;
    pid_t m_pid = -1;
};

} // namespace lorva::office
