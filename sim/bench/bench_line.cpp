// Reading the fields of one bench line, with messages that say what was expected.
#include "bench/bench_line.h"

#include <charconv>
#include <utility>

namespace zyvosim {

std::string shownField(const std::string& field) {
    constexpr size_t kShownLength = 80;
    static const char kHex[] = "0123456789abcdef";
    std::string shown;
    for (char c : field) {
        auto byte = static_cast<unsigned char>(c);
        std::string part(1, c);
        if (byte == '\\') {
            part = "\\\\";
        } else if (byte < 0x20 || byte >= 0x7f) {
            part = std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xf];
        }
        if (shown.size() + part.size() > kShownLength) {
            return shown + "...";
        }
        shown += part;
    }
    return shown;
}

std::optional<long long> parseDecimal(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

BenchLine::BenchLine(std::vector<std::string> fields, std::string usage)
    : mFields(std::move(fields)), mUsage(std::move(usage)), mNext(1) {}

const std::string& BenchLine::next(const char* what) {
    if (mNext >= mFields.size()) {
        fail(std::string("missing ") + what + "; expected '" + mUsage + "'");
    }
    return mFields[mNext++];
}

long long BenchLine::number(const char* what, long long low, long long high) {
    const std::string& field = next(what);
    std::optional<long long> value = parseDecimal(field);
    if (!value) {
        fail(std::string(what) + " '" + shownField(field) + "' is not a number");
    }
    if (*value < low || *value > high) {
        fail(std::string(what) + " " + field + " is not in " + std::to_string(low) + " to " +
             std::to_string(high));
    }
    return *value;
}

void BenchLine::expect(const char* keyword) {
    const std::string& field = next(keyword);
    if (field != keyword) {
        fail(std::string("expected '") + keyword + "', not '" + shownField(field) + "'");
    }
}

bool BenchLine::accept(const char* keyword) {
    if (mNext < mFields.size() && mFields[mNext] == keyword) {
        ++mNext;
        return true;
    }
    return false;
}

void BenchLine::finish() {
    if (mNext < mFields.size()) {
        fail("unexpected '" + shownField(mFields[mNext]) + "'; expected '" + mUsage + "'");
    }
}

void BenchLine::fail(const std::string& problem) const {
    throw BenchError(mFields[0] + ": " + problem);
}

} // namespace zyvosim
