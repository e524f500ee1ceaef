#include "app/SignalBridge.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lorva {

namespace {

int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_signals = 0;

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int number)
{
    if (g_signals++ > 0)
        ::_exit(128 + number);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

struct FatalSignal
{
    int number;
    const char *line;
};

// Whole lines, so that the handler only has to write(2) one of them.
constexpr FatalSignal kFatalSignals[] = {
    {SIGSEGV, "lorvaspeak: crashed: segmentation fault (SIGSEGV)\n"},
    {SIGBUS, "lorvaspeak: crashed: bus error (SIGBUS)\n"},
    {SIGFPE, "lorvaspeak: crashed: arithmetic error (SIGFPE)\n"},
    {SIGILL, "lorvaspeak: crashed: illegal instruction (SIGILL)\n"},
    {SIGABRT, "lorvaspeak: crashed: aborted (SIGABRT)\n"},
};

void onFatalSignal(int number)
{
    for (const FatalSignal &fatal : kFatalSignals) {
        if (fatal.number == number) {
            size_t length = 0;
            while (fatal.line[length])
                ++length;
            [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, fatal.line, length);
        }
    }
    // The handler was reset on entry: the signal now ends the program with
    // its usual status (and core file, where the system keeps them).
    ::raise(number);
}

} // namespace

void installCrashTrace()
{
    struct sigaction action = {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    for (const FatalSignal &fatal : kFatalSignals)
        sigaction(fatal.number, &action, nullptr);
}

SignalBridge::SignalBridge(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
        emit terminationRequested();
    });

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals)
        sigaction(number, &action, nullptr);
}

SignalBridge::~SignalBridge()
{
    for (const int number : kSignals)
        signal(number, SIG_DFL);
    if (g_pipe[0] >= 0) {
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
}

} // namespace lorva
