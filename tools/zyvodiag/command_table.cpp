// The list of zyvodiag commands shown by --help and used to dispatch.
#include "command_table.h"

namespace zyvodiag {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"parse", "parse a video diagnostics command line and print the parameters", runParse},
        {"audio", "parse an audio diagnostics command line and print the parameters", runAudio},
        {"open", "open and close the device", runOpen},
    };
    return table;
}

const Command* findCommand(const std::string& name) {
    for (const auto& command : commands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace zyvodiag
