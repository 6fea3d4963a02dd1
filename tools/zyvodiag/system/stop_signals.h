// Ctrl-C, SIGTERM and a closed output pipe while the tool runs.
//
// Opening the device installs the library's Ctrl-C handler, which only notes that a quit was
// asked for: a command runs to its end, so the card is left as the command leaves it. The tool
// handles SIGINT, SIGTERM and SIGPIPE itself from the start, passes the request on to the
// library, takes SIGINT back after every open, and remembers the signal, so that a command's
// result and files are not trusted and the self-test runs no further test. A second SIGINT or
// SIGTERM ends the process at once, removing any temporary file first.
#pragma once

namespace zyvodiag {

// Installs the handlers. Called first thing in main, and by takeBackInterrupts().
void installStopSignals();

// After the device was opened: SIGINT is ours again, the library still told.
void takeBackInterrupts();

// The first stop signal that arrived, or 0.
int stopSignal();

// "interrupted", "terminated", or "output closed", for the signal that arrived.
const char* stopDescription();

// The exit status for the signal that arrived: 128 + its number, as a shell reports it.
int stopStatus();

// Forgets any signal: for tests that run the tool's code in-process.
void clearStopSignal();

// The conventional status of a program ended by SIGINT.
constexpr int kInterrupted = 130;

} // namespace zyvodiag
