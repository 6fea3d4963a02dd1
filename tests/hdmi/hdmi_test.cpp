// The HDMI tests' bench: a parsed record on the engine tests' device, a capture file.
#include "hdmi_test.h"

#include "command_line.h"

#include <algorithm>
#include <stdexcept>

namespace hdmitest {

void HDMITest::prepare(const std::vector<std::string>& arguments, bool on,
                       const std::string& benchLines) {
    std::vector<std::string> words = {"zyvodiag"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    words.push_back(mCaptureFile);
    if (!zyvotest::parseWords(record, words)) {
        throw std::runtime_error("the command line was refused");
    }
    verbose(on);
    openDevice(benchLines);
}

Lines HDMITest::callsAfterLast(const std::string& call) {
    Lines all = calls();
    auto last = std::find(all.rbegin(), all.rend(), call);
    return Lines(last.base(), all.end());
}

size_t HDMITest::countOf(const std::string& target, const std::string& call) {
    return callsMatching(target, "]." + call + (call.back() == ')' ? "" : "(")).size();
}

} // namespace hdmitest
