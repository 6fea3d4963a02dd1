// Command lines handed to the library's parsers as main hands them over.
#pragma once

#include <zyvodiag>

#include <string>
#include <vector>

namespace zyvotest {

using Parser = bool (ZyvoDiagUserCommands::*)(int, char**);

// What `parser` of `record` makes of `words`, the program's name first, as argc and argv.
bool parseWords(ZyvoDiagUserCommands& record, std::vector<std::string> words,
                Parser parser = &ZyvoDiagUserCommands::parseCmdLineArgs);

} // namespace zyvotest
