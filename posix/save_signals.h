#pragma once

#include <initializer_list>

#include <signal.h>

// How a save meets the signals that end a process: a temporary file's name is removed first,
// and a file written in place is finished first, so that an interrupted save leaves neither
// debris nor a half-written file.
namespace talveno::file_system {

// While any lives, SIGINT, SIGTERM, SIGHUP and SIGXFSZ first remove the names armed, then take
// their former course; a signal the process ignores stays ignored. Up to eight live at a time,
// each with one name; beyond them a name is not removed.
class RemovalOnSignal {
  public:
    RemovalOnSignal();
    ~RemovalOnSignal();
    RemovalOnSignal(const RemovalOnSignal&) = delete;
    RemovalOnSignal& operator=(const RemovalOnSignal&) = delete;

    // The name in the folder to remove; both must stay valid until disarmed.
    void arm(int folder, const char* name);
    void disarm();

  private:
    int slot_;
};

// While it lives, the signals are held back for this thread; one that arrives takes its
// course when it ends.
class HeldSignals {
  public:
    explicit HeldSignals(std::initializer_list<int> signals);
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    sigset_t former_;
};

// While any lives, SIGINT, SIGTERM and SIGHUP wait for the whole process, whichever thread the
// system hands them to (a computing thread, one of the toolkit's): one that arrives takes its
// course, as with a RemovalOnSignal, once the last has ended. For a file written in place, which
// such a signal must not leave half written.
class SignalsHeldForProcess {
  public:
    SignalsHeldForProcess();
    ~SignalsHeldForProcess();
    SignalsHeldForProcess(const SignalsHeldForProcess&) = delete;
    SignalsHeldForProcess& operator=(const SignalsHeldForProcess&) = delete;
};

// Takes back a signal held and pending for this thread, so that it never takes its course.
void discardPending(int signal);

}  // namespace talveno::file_system
