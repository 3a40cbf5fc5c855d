#include "posix/save_signals.h"

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
// The first three wait while a SignalsHeldForProcess lives; SIGXFSZ comes from a write of this
// process, and a write in place checks the limit before it begins.
constexpr std::size_t kHeldSignals = 3;
struct sigaction former[std::size(kSignals)];
bool caught[std::size(kSignals)];

// The handlers are set while any removal or hold lives; each removal has a slot for its name.
std::mutex installation;
int living = 0;
constexpr int kSlots = 8;
bool taken[kSlots];
std::atomic<int> armedFolder[kSlots] = {-1, -1, -1, -1, -1, -1, -1, -1};
std::atomic<const char*> armedName[kSlots];

// The count of holds living in the low bits, above them a bit for each held signal that came
// meanwhile: one word, so that a signal cannot slip between the last hold's end and its check.
std::atomic<unsigned> holding{0};
constexpr unsigned kHolds = 0xffff;
constexpr unsigned pendingBit(std::size_t index) {
    return 1u << (16 + index);
}

// Async-signal-safe: removes the armed names, puts the former action back and raises the
// signal again, which then takes that course once the handler returns (or this thread lets it
// through).
void takeCourse(int signal) {
    for (int slot = 0; slot < kSlots; ++slot) {
        const int folder = armedFolder[slot].exchange(-1);
        if (folder >= 0) ::unlinkat(folder, armedName[slot].load(), 0);
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (kSignals[i] == signal) ::sigaction(signal, &former[i], nullptr);
    ::raise(signal);
}

// Async-signal-safe: whether the signal is kept for the end of the holds, which live.
bool heldBack(int signal) {
    std::size_t index = 0;
    while (index < kHeldSignals && kSignals[index] != signal) ++index;
    if (index == kHeldSignals) return false;
    unsigned state = holding.load();
    do {
        if ((state & kHolds) == 0) return false;
    } while (!holding.compare_exchange_weak(state, state | pendingBit(index)));
    return true;
}

extern "C" void onSignal(int signal) {
    const int savedErrno = errno;
    if (!heldBack(signal)) takeCourse(signal);
    errno = savedErrno;
}

// With the installation locked.
void installHandlers() {
    if (living++ > 0) return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigfillset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &former[i]);
        caught[i] = former[i].sa_handler != SIG_IGN;
        if (caught[i]) ::sigaction(kSignals[i], &action, nullptr);
    }
}

void removeHandlers() {
    if (--living > 0) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (caught[i]) ::sigaction(kSignals[i], &former[i], nullptr);
}

}  // namespace

RemovalOnSignal::RemovalOnSignal() : slot_(-1) {
    const std::lock_guard lock(installation);
    for (int slot = 0; slot < kSlots && slot_ < 0; ++slot)
        if (!taken[slot]) taken[slot_ = slot] = true;
    installHandlers();
}

RemovalOnSignal::~RemovalOnSignal() {
    disarm();
    const std::lock_guard lock(installation);
    if (slot_ >= 0) taken[slot_] = false;
    removeHandlers();
}

void RemovalOnSignal::arm(int folder, const char* name) {
    if (slot_ < 0) return;
    armedName[slot_].store(name);
    armedFolder[slot_].store(folder);
}

void RemovalOnSignal::disarm() {
    if (slot_ >= 0) armedFolder[slot_].store(-1);
}

SignalsHeldForProcess::SignalsHeldForProcess() {
    const std::lock_guard lock(installation);
    installHandlers();
    holding.fetch_add(1);
}

SignalsHeldForProcess::~SignalsHeldForProcess() {
    unsigned state = holding.load();
    while (!holding.compare_exchange_weak(state, (state & kHolds) == 1 ? 0 : state - 1)) {
    }
    if ((state & kHolds) == 1)
        for (std::size_t i = 0; i < kHeldSignals; ++i)
            if (state & pendingBit(i)) takeCourse(kSignals[i]);
    const std::lock_guard lock(installation);
    removeHandlers();
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
