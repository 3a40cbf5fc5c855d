#include "files/save_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <iterator>
#include <mutex>

namespace talveno::file_system {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};
struct sigaction former[std::size(kSignals)];
bool caught[std::size(kSignals)];

// The handlers are set while any removal lives; each removal has a slot for its name.
std::mutex installation;
int living = 0;
constexpr int kSlots = 8;
bool taken[kSlots];
std::atomic<int> armedFolder[kSlots] = {-1, -1, -1, -1, -1, -1, -1, -1};
std::atomic<const char*> armedName[kSlots];

// Async-signal-safe: removes the armed names, puts the former action back and raises the
// signal again, which then takes that course once the handler returns.
extern "C" void removeThenRaise(int signal) {
    const int savedErrno = errno;
    for (int slot = 0; slot < kSlots; ++slot) {
        const int folder = armedFolder[slot].exchange(-1);
        if (folder >= 0) ::unlinkat(folder, armedName[slot].load(), 0);
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (kSignals[i] == signal) ::sigaction(signal, &former[i], nullptr);
    ::raise(signal);
    errno = savedErrno;
}

}  // namespace

RemovalOnSignal::RemovalOnSignal() : slot_(-1) {
    const std::lock_guard lock(installation);
    for (int slot = 0; slot < kSlots && slot_ < 0; ++slot)
        if (!taken[slot]) taken[slot_ = slot] = true;
    if (living++ > 0) return;
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
    const std::lock_guard lock(installation);
    if (slot_ >= 0) taken[slot_] = false;
    if (--living > 0) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (caught[i]) ::sigaction(kSignals[i], &former[i], nullptr);
}

void RemovalOnSignal::arm(int folder, const char* name) {
    if (slot_ < 0) return;
    armedName[slot_].store(name);
    armedFolder[slot_].store(folder);
}

void RemovalOnSignal::disarm() {
    if (slot_ >= 0) armedFolder[slot_].store(-1);
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
