// An argv of pointers into the words, ended by a null pointer, as main receives it.
#include "command_line.h"

namespace zyvotest {

bool parseWords(ZyvoDiagUserCommands& record, std::vector<std::string> words, Parser parser) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return (record.*parser)(static_cast<int>(words.size()), argv.data());
}

} // namespace zyvotest
