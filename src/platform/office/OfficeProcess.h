#pragma once

#include <atomic>
#include <string>
#include <sys/types.h>

namespace lorva::office {

// One private LibreOffice process: its own profile and temporary files in
// the export's folder, a pipe name of its own (recorded in that folder, with
// every other pipe the office makes, for removal), a process group of its
// own, and the rule that it dies with the process that started it.
class OfficeProcess
{
public:
    explicit OfficeProcess(std::string folder);
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
    // process group and waits for it.
    void stop(int ms);

    pid_t pid() const { return m_pid; }
    // The pipes the office listens on, recorded in the export's folder.
    void recordPipes();

    // The office program, or empty when LibreOffice is not installed.
    static std::string program();

private:
    bool launch(std::string &error);

    std::string m_folder;
    std::string m_profile;
    std::string m_pipe;
    std::atomic<pid_t> m_pid{-1};
};

} // namespace lorva::office
