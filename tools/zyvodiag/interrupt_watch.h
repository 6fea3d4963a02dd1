// Ctrl-C while a command runs on the device.
//
// Opening the device installs the library's handler, which only notes that a quit was asked
// for: the command runs to its end, so the device is left as the command leaves it. The tool
// takes the handler over after opening, keeps the library's note, and remembers the interrupt
// so that the command's result is not trusted. A second Ctrl-C ends the process at once.
#pragma once

namespace zyvodiag {

class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    bool interrupted() const;
};

// The conventional status of a program ended by SIGINT.
constexpr int kInterrupted = 130;

} // namespace zyvodiag
