// The open command: open the device, say what happened, close it.
#include "commands/command_table.h"
#include "commands/device_session.h"

#include <zyvodiag>

#include <cstdio>

namespace zyvodiag {

int runOpen(const Invocation& invocation) {
    if (!invocation.arguments.empty()) {
        std::fprintf(stderr, "%s: takes no arguments\n", invocation.programName.c_str());
        return kUnusable;
    }
    const unsigned index = chosenDevice();
    bool opened = false;
    {
        DeviceSession session;
        opened = session.opened();
        std::printf("device %u %s\n", index, opened ? "opened" : "could not be opened");
        session.close();
    }
    std::printf("device %u closed\n", index);
    return opened ? kPass : kFail;
}

} // namespace zyvodiag
