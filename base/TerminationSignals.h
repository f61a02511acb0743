#pragma once

// The signals that ask a process to end: SIGINT (Ctrl+C in a terminal),
// SIGTERM (kill, a service manager, the end of a desktop session) and SIGHUP
// (the terminal went away). Caught, they let a program stop in order instead
// of dying where it stands; a second one ends the process at once, so a
// program that cannot stop is never stuck.
namespace melorit::signals {

// Catches the three signals from now on. Idempotent. Any thread, before the
// threads that should not be interrupted are started.
void catchTermination();

// The first signal caught (SIGINT, SIGTERM or SIGHUP), 0 while none. Any
// thread.
int caughtSignal();

// A descriptor that becomes readable when a signal is caught, for an event
// loop to watch; -1 before catchTermination. Reading it is not needed.
int wakeFd();

// The exit status a shell gives a process ended by the signal: 128 + number.
int exitStatusFor(int signal);

// "SIGINT", "SIGTERM", "SIGHUP"; "signal" for any other.
const char *signalName(int signal);

} // namespace melorit::signals
