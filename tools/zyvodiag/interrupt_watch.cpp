// Noting Ctrl-C during a command without ending it.
#include "interrupt_watch.h"

#include <zyvodiag>

#include <csignal>

namespace zyvodiag {
namespace {

volatile std::sig_atomic_t s_interrupted = 0;

void noteInterrupt(int signalNumber) {
    s_interrupted = 1;
    SignalHandler(signalNumber);
}

} // namespace

InterruptWatch::InterruptWatch() {
    s_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    // The device's waits resume after the handler; the next Ctrl-C takes the default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
}

InterruptWatch::~InterruptWatch() {
    std::signal(SIGINT, SIG_DFL);
}

bool InterruptWatch::interrupted() const {
    return s_interrupted != 0;
}

} // namespace zyvodiag
