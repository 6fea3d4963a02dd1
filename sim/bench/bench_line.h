// One directive line of a bench file, read field by field.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zyvosim {

// What is wrong with a bench line; the parser adds where it is.
class BenchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field as an error message quotes it: control bytes, bytes from 0x7f up and the backslash
// escaped (\x1b, \\), so no escape sequence from a file reaches the terminal, and cut after 80
// characters, marked with "...".
std::string shownField(const std::string& field);

// A whole field as a decimal integer, or nothing when it is not one.
std::optional<long long> parseDecimal(const std::string& text);

// The fields of one line, the directive's name first. Every reader throws BenchError with the
// directive's name in front of the problem.
class BenchLine {
public:
    // `usage` is the directive's form as the error messages show it.
    BenchLine(std::vector<std::string> fields, std::string usage);

    // The next field; `what` names it when the line has ended too soon.
    const std::string& next(const char* what);
    // The next field as a decimal integer from `low` to `high`.
    long long number(const char* what, long long low, long long high);
    // The next field, which must be `keyword`.
    void expect(const char* keyword);
    // Reads the next field when it is `keyword`, and says whether it was.
    bool accept(const char* keyword);
    // Whether every field has been read.
    bool atEnd() const { return mNext >= mFields.size(); }
    // The line must end here.
    void finish();
    // From here on, messages show `usage`: the form of one variant of the directive.
    void setUsage(std::string usage) { mUsage = std::move(usage); }

    [[noreturn]] void fail(const std::string& problem) const;

private:
    std::vector<std::string> mFields;
    std::string mUsage;
    size_t mNext;
};

} // namespace zyvosim
