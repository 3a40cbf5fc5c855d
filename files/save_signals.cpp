#include "files/save_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <iterator>

namespace talveno::file_system {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};
struct sigaction former[std::size(kSignals)];
bool caught[std::size(kSignals)];

std::atomic<int> armedFolder{-1};
std::atomic<const char*> armedName{nullptr};

// Async-signal-safe: removes the armed name, puts the former action back and raises the
// signal again, which then takes that course once the handler returns.
extern "C" void removeThenRaise(int signal) {
    const int savedErrno = errno;
    const int folder = armedFolder.exchange(-1);
    if (folder >= 0) ::unlinkat(folder, armedName.load(), 0);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (kSignals[i] == signal) ::sigaction(signal, &former[i], nullptr);
    ::raise(signal);
    errno = savedErrno;
}

}  // namespace

RemovalOnSignal::RemovalOnSignal() {
    struct sigaction action {};
    action.sa_handler = removeThenRaise;
    sigfillset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &former[i]);
        caught[i] = former[i].sa_handler != SIG_IGN;
        if (caught[i]) ::sigaction(kSignals[i], &action, nullptr);
    }
}

RemovalOnSignal::~RemovalOnSignal() {
    disarm();
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (caught[i]) ::sigaction(kSignals[i], &former[i], nullptr);
}

void RemovalOnSignal::arm(int folder, const char* name) {
    armedName.store(name);
    armedFolder.store(folder);
}

void RemovalOnSignal::disarm() {
    armedFolder.store(-1);
}

HeldSignals::HeldSignals(std::initializer_list<int> signals) {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : signals) sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &former_);
}

HeldSignals::~HeldSignals() {
    ::pthread_sigmask(SIG_SETMASK, &former_, nullptr);
}

void discardPending(int signal) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    const timespec now{};
    ::sigtimedwait(&set, nullptr, &now);
}

}  // namespace talveno::file_system
