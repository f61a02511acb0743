#include "base/TerminationSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace melorit::signals {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written by the handler, so lock-free and of static storage.
std::atomic<int> g_caught{0};
int g_wake[2] = {-1, -1};
static_assert(std::atomic<int>::is_always_lock_free);

// Async-signal-safe: an atomic store, sigaction and a write to a pipe. The
// next signal of any of the three kinds has its default effect.
extern "C" void onTermination(int signal)
{
    int expected = 0;
    g_caught.compare_exchange_strong(expected, signal);
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    for (const int each : kSignals) {
        sigaction(each, &fallback, nullptr);
    }
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wake[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void catchTermination()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
            g_wake[0] = g_wake[1] = -1;
        }
        struct sigaction action {};
        action.sa_handler = onTermination;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : kSignals) {
            sigaction(signal, &action, nullptr);
        }
    });
}

int caughtSignal()
{
    return g_caught.load();
}

int wakeFd()
{
    return g_wake[0];
}

int exitStatusFor(int signal)
{
    return 128 + signal;
}

const char *signalName(int signal)
{
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "signal";
    }
}

} // namespace melorit::signals
