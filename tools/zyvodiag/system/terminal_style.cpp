// Colour and the running notice, each only where a person is watching.
#include "system/terminal_style.h"

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace zyvodiag {
namespace {

ColorChoice s_choice = ColorChoice::Auto;

} // namespace

bool readColorChoice(const std::string& when, ColorChoice& choice) {
    if (when == "auto") {
        choice = ColorChoice::Auto;
    } else if (when == "always") {
        choice = ColorChoice::Always;
    } else if (when == "never") {
        choice = ColorChoice::Never;
    } else {
        return false;
    }
    return true;
}

void setColorChoice(ColorChoice choice) {
    s_choice = choice;
}

bool colorOnStandardOutput() {
    if (s_choice != ColorChoice::Auto) {
        return s_choice == ColorChoice::Always;
    }
    const char* noColor = std::getenv("NO_COLOR");
    return (noColor == nullptr || *noColor == '\0') && isatty(STDOUT_FILENO) == 1;
}

std::string paintedVerdict(const char* word) {
    if (!colorOnStandardOutput()) {
        return word;
    }
    const char* colour = std::strcmp(word, "PASS") == 0   ? "\033[32m"
                         : std::strcmp(word, "FAIL") == 0 ? "\033[31m"
                                                          : "\033[33m";
    return std::string(colour) + word + "\033[0m";
}

// The waiting thread runs on the wall clock: the notice is for a person, whatever clock the
// device keeps.
struct RunningNotice::State {
    std::string what;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread waiter;
};

RunningNotice::RunningNotice(std::string what) {
    if (isatty(STDERR_FILENO) != 1) {
        return;
    }
    mState = std::make_unique<State>();
    mState->what = std::move(what);
    mState->waiter = std::thread([state = mState.get()] {
        std::unique_lock<std::mutex> lock(state->mutex);
        if (!state->finished.wait_for(lock, std::chrono::seconds(1),
                                      [state] { return state->done; })) {
            std::fprintf(stderr, "%s: running...\n", state->what.c_str());
        }
    });
}

RunningNotice::~RunningNotice() {
    if (mState == nullptr) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mState->mutex);
        mState->done = true;
    }
    mState->finished.notify_one();
    mState->waiter.join();
}

} // namespace zyvodiag
