// Placeholders for addresses and temporary names in the reports' text.
#include "selftest/stable_text.h"

#include <cctype>
#include <cstring>

namespace zyvodiag {
namespace {

// mkdtemp and mkstemp fill in six characters.
constexpr size_t kRandomLength = 6;

// Where `text` at `at` holds an address as %p prints it: "0x..." or "(nil)"; its length, or 0.
size_t addressLength(const std::string& text, size_t at) {
    if (at >= text.size()) {
        return 0;
    }
    if (text.compare(at, 5, "(nil)") == 0) {
        return 5;
    }
    if (text.compare(at, 2, "0x") != 0) {
        return 0;
    }
    size_t end = at + 2;
    while (end < text.size() && std::isxdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    return end > at + 2 ? end - at : 0;
}

bool randomPartAt(const std::string& text, size_t at) {
    if (at + kRandomLength > text.size()) {
        return false;
    }
    for (size_t i = at; i < at + kRandomLength; ++i) {
        if (!std::isalnum(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string stableText(const std::string& text) {
    static const char* const kAddressLabels[] = {"pFrameStore:", "hostbuf = ", "fwrite("};
    static const char* const kTemporaryNames[] = {"zyvodiag-selftest-", "zyvosim-private-",
                                                  ".zyvodiag-"};
    std::string stable;
    stable.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const char* label : kAddressLabels) {
            const size_t length = std::strlen(label);
            const size_t address = addressLength(text, at + length);
            if (text.compare(at, length, label) == 0 && address > 0) {
                stable += std::string(label) + "<address>";
                at += length + address;
                replaced = true;
                break;
            }
        }
        for (const char* name : kTemporaryNames) {
            const size_t length = std::strlen(name);
            if (!replaced && text.compare(at, length, name) == 0 &&
                randomPartAt(text, at + length)) {
                stable += std::string(name) + "XXXXXX";
                at += length + kRandomLength;
                replaced = true;
            }
        }
        if (!replaced) {
            stable += text[at++];
        }
    }
    return stable;
}

} // namespace zyvodiag
