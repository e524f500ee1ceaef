// lorvaspeak-office: drives one private LibreOffice for one export.
//
// The program starts this helper when an export begins. It starts the office
// at once and says {"event":"ready"} (or {"event":"failed","error":...}) on
// standard output; then it reads one job line from standard input, does the
// work, answers {"event":"done","ok":...}, and ends the office. An end of
// input before a job (the user cancelled), SIGTERM, or the program's end
// ends the office too; the office dies with this helper in any case.
//
// Everything of the export's goes into one private folder: the program's
// (LORVASPEAK_OFFICE_FOLDER), or else one of this helper's own, which it
// removes at its end. An office that stops working while the helper waits
// on it is ended, so that a hung office never holds an export for long.
#include "platform/office/OfficeProcess.h"
#include "platform/office/OfficeWork.h"
#include "platform/office/Protocol.h"
#include "platform/office/TempArea.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace lorva::office;
using lorva::office::Message;

namespace {

const OfficeProcess *g_office = nullptr;

void onSignal(int)
{
    // Nothing but what is safe in a signal handler: the office's group goes,
    // and so does a half-written document.
    if (const pid_t office = g_office ? g_office->pid() : -1; office > 0) {
        kill(-office, SIGKILL);
        kill(office, SIGKILL);
    }
    if (const char *writing = OfficeWork::writing(); writing && writing[0])
        unlink(writing);
    _exit(143);
}

void say(const lorva::office::Message &message)
{
    const QByteArray line = encodeMessage(message);
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

Message failed(const std::string &error)
{
    Message message;
    message.event = Message::Event::Failed;
    message.error = QString::fromStdString(error);
    return message;
}

bool officeAlive(void *process) { return static_cast<OfficeProcess *>(process)->running(); }

// Processor time the process `pid` has used, in clock ticks; -1 when it is gone.
long long processorTime(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(file, stat);
    const std::string::size_type close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    // After the name: state, then 10 fields up to utime and stime.
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long long user = 0, system = 0;
    for (int i = 0; i < 11 && fields >> field; ++i) {
    }
    if (!(fields >> user >> system))
        return -1;
    return user + system;
}

// Ends the office when, while the helper waits on it, it uses no processor
// time for a while: stopped (SIGSTOP) or stuck, it would answer never. A
// working office, however slow, uses some all the time; an office that is
// waiting for work (the user in the save dialog) is not watched.
class Watchdog
{
public:
    static constexpr int kIdleSeconds = 15;

    explicit Watchdog(const OfficeProcess &office) : m_office(office), m_thread([this] { watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    void arm()
    {
        std::lock_guard lock(m_mutex);
        m_armed = true;
        m_lastTime = -2;
    }
    void disarm()
    {
        std::lock_guard lock(m_mutex);
        m_armed = false;
    }
    bool fired() const { return m_fired; }
    static std::string message()
    {
        return "the office stopped working (it did nothing for " + std::to_string(kIdleSeconds) +
               " seconds) and was ended";
    }

private:
    void watch()
    {
        std::unique_lock lock(m_mutex);
        auto progress = std::chrono::steady_clock::now();
        while (!m_quit) {
            m_wake.wait_for(lock, std::chrono::milliseconds(250));
            const pid_t pid = m_office.pid();
            if (!m_armed || pid <= 0 || m_quit)
                continue;
            const long long time = processorTime(pid);
            const auto now = std::chrono::steady_clock::now();
            if (time != m_lastTime) {
                m_lastTime = time;
                progress = now;
            } else if (now - progress > std::chrono::seconds(kIdleSeconds)) {
                // The call the helper waits in fails at once, the office gone.
                m_fired = true;
                m_armed = false;
                kill(-pid, SIGKILL);
                kill(pid, SIGKILL);
            }
        }
    }

    const OfficeProcess &m_office;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    bool m_armed = false;
    long long m_lastTime = -2;
    std::atomic<bool> m_fired{false};
    std::thread m_thread;
};

// Keeps the watchdog armed for one stretch of waiting on the office.
struct Watched
{
    explicit Watched(Watchdog &dog) : dog(dog) { dog.arm(); }
    ~Watched() { dog.disarm(); }
    Watchdog &dog;
};

} // namespace

int main()
{
    // This helper goes with the program that started it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
    if (getppid() == 1)
        return 1;
    // Without this, the first call to the office crashes.
    setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc", 1);

    // The export's folder; without the program's, one of this helper's own
    // (and those that earlier helpers, killed, left behind go now).
    std::string error;
    std::string folder;
    bool own = false;
    int hold = -1;
    if (const char *given = std::getenv("LORVASPEAK_OFFICE_FOLDER"); given && given[0] == '/') {
        folder = given;
        hold = holdExportFolder(folder);
    } else {
        const std::string parent = defaultTempParent();
        removeStaleExportFolders(parent);
        folder = createExportFolder(parent, hold, error);
        own = true;
    }
    if (folder.empty()) {
        say(failed(error));
        return 1;
    }
    // The office's own temporary files go there too.
    mkdir((folder + "/tmp").c_str(), 0700);
    mkdir((folder + "/work").c_str(), 0700);
    setenv("TMPDIR", (folder + "/tmp").c_str(), 1);

    OfficeProcess process(folder);
    g_office = &process;
    Watchdog watchdog(process);
    OfficeWork work(folder + "/work");
    bool ready = false;
    {
        Watched watched(watchdog);
        ready = process.start(error);
        if (ready)
            ready = work.connect(process.connectUrl(), 30000, officeAlive, &process, error);
        process.recordPipes();
    }
    if (!ready && watchdog.fired())
        error = Watchdog::message();
    if (ready) {
        Message message;
        message.event = Message::Event::Ready;
        message.office = process.pid();
        say(message);
    } else {
        say(failed(error));
    }

    std::string line;
    if (ready && std::getline(std::cin, line)) {
        QString refused;
        if (const std::optional<lorva::OfficeJob> job = decodeJob(QByteArray::fromStdString(line), refused)) {
            lorva::OfficeResult result;
            {
                Watched watched(watchdog);
                result = work.run(*job);
            }
            if (!result.ok && watchdog.fired())
                result.error = QString::fromStdString(Watchdog::message());
            Message done;
            done.event = Message::Event::Done;
            done.result = result;
            say(done);
        } else {
            say(failed(refused.toStdString()));
        }
    }
    if (ready) {
        Watched watched(watchdog);
        work.terminate();
    }
    process.stop(5000);
    g_office = nullptr;
    if (own)
        removeExportFolder(folder);
    if (hold >= 0)
        close(hold);
    return 0;
}
