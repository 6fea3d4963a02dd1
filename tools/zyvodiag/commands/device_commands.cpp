// The open command: open the device, say what happened, close it.
#include "commands/command_table.h"

#include <zyvodiag>

#include <cstdio>

namespace zyvodiag {

int runOpen(const Invocation& invocation) {
    if (!invocation.arguments.empty()) {
        std::fprintf(stderr, "%s: takes no arguments\n", invocation.programName.c_str());
        return kUnusable;
    }
    ZyvoDiagDevice device;
    bool opened = device.open();
    std::printf("device 0 %s\n", opened ? "opened" : "could not be opened");
    device.close();
    std::printf("device 0 closed\n");
    return opened ? kPass : kFail;
}

} // namespace zyvodiag
