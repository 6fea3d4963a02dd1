// Escaping for XML 1.0 and HTML, which have no way to carry most control bytes.
#include "selftest/markup_text.h"

#include <cstdio>

namespace zyvodiag {
namespace {

// The length of the UTF-8 sequence starting at `i`, or 0 when it is not a valid one.
size_t utf8Length(const std::string& text, size_t i) {
    const auto byte = [&text](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80                   ? 1
                    : lead >= 0xC2 && lead < 0xE0 ? 2
                    : lead >= 0xE0 && lead < 0xF0 ? 3
                    : lead >= 0xF0 && lead < 0xF5 ? 4
                                                  : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong three-byte forms, surrogates and code points past U+10FFFF.
    if ((lead == 0xE0 && byte(i + 1) < 0xA0) || (lead == 0xED && byte(i + 1) >= 0xA0) ||
        (lead == 0xF0 && byte(i + 1) < 0x90) || (lead == 0xF4 && byte(i + 1) >= 0x90)) {
        return 0;
    }
    // U+FFFE and U+FFFF are valid UTF-8 but no XML 1.0 character: a parser stops at them.
    if (lead == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE) {
        return 0;
    }
    return length;
}

} // namespace

std::string markupText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        const size_t length = utf8Length(text, i);
        if (length == 0 || (byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(byte));
            out += escaped;
            ++i;
            continue;
        }
        switch (byte) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out.append(text, i, length);
            break;
        }
        i += length;
    }
    return out;
}

} // namespace zyvodiag
