// Noting stop signals without ending the command they arrive in.
#include "system/stop_signals.h"

#include "system/hard_stop.h"
#include "system/pending_file.h"

#include <zyvodiag>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace zyvodiag {
namespace {

volatile std::sig_atomic_t s_signal = 0;

void noteStop(int signalNumber) {
    if (signalNumber == SIGPIPE) {
        // Every later write to the pipe would raise it again: from now on they just fail. A
        // reader that has seen enough wants no word about it, as from any other filter: the
        // command still ends as usual, and its status says what happened.
        std::signal(SIGPIPE, SIG_IGN);
        const int sink = open("/dev/null", O_WRONLY);
        if (sink >= 0) {
            dup2(sink, STDERR_FILENO);
            close(sink);
        }
    } else if (s_signal != 0) {
        removePendingFilesNow();
        tidyOnHardStop();
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    if (s_signal == 0) {
        s_signal = signalNumber;
    }
    // The library refuses any later open once it has noted a quit.
    SignalHandler(SIGINT);
}

void handle(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // The device's waits and the tool's writes resume after the handler.
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

} // namespace

void installStopSignals() {
    handle(SIGINT);
    handle(SIGTERM);
    handle(SIGPIPE);
}

void takeBackInterrupts() {
    handle(SIGINT);
}

int stopSignal() {
    return s_signal;
}

const char* stopDescription() {
    switch (s_signal) {
    case SIGINT:
        return "interrupted";
    case SIGTERM:
        return "terminated";
    case SIGPIPE:
        return "output closed";
    default:
        return "not stopped";
    }
}

int stopStatus() {
    return s_signal == 0 ? 0 : 128 + s_signal;
}

void clearStopSignal() {
    s_signal = 0;
}

} // namespace zyvodiag
