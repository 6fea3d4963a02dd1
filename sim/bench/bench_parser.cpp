// The bench file format: one directive per line, '#' to the end of a line is a comment.
#include "bench/bench_parser.h"

#include "bench/bench_directives.h"
#include "bench/bench_line.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

namespace zyvosim {
namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> fields;
    std::string word;
    while (words >> word) {
        fields.push_back(word);
    }
    return fields;
}

void readLine(std::vector<std::string> fields, Bench& bench) {
    const BenchDirective* directive = findBenchDirective(fields[0]);
    if (directive == nullptr) {
        throw BenchError("unknown directive '" + shownField(fields[0]) + "'");
    }
    BenchLine line(std::move(fields), directive->usage);
    directive->read(line, bench);
}

constexpr size_t kMaxBenchBytes = 1u << 20;

// Why the open file cannot be a bench, or empty with its text in `text`. A directory would read
// as empty and pass for an empty bench.
std::string readBenchText(int descriptor, std::string& text) {
    struct stat facts {};
    if (fstat(descriptor, &facts) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(facts.st_mode)) {
        return std::strerror(EISDIR);
    }
    if (!S_ISREG(facts.st_mode)) {
        return "not a regular file";
    }
    const std::string tooLarge = "larger than 1 MiB, too large for a bench";
    if (facts.st_size > static_cast<off_t>(kMaxBenchBytes)) {
        return tooLarge;
    }
    // One byte past the limit tells a file that grew since fstat.
    std::vector<char> bytes(kMaxBenchBytes + 1);
    size_t length = 0;
    while (length < bytes.size()) {
        ssize_t part = read(descriptor, bytes.data() + length, bytes.size() - length);
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part < 0) {
            return std::strerror(errno);
        }
        if (part == 0) {
            break;
        }
        length += static_cast<size_t>(part);
    }
    if (length > kMaxBenchBytes) {
        return tooLarge;
    }
    text.assign(bytes.data(), length);
    return {};
}

} // namespace

// Everything is read into a fresh bench first, so a bad line anywhere applies nothing.
bool parseBench(const std::string& text, const std::string& origin, Bench& bench,
                std::string& error) {
    Bench parsed;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::vector<std::string> fields = fieldsOf(line);
        if (fields.empty()) {
            continue;
        }
        try {
            readLine(std::move(fields), parsed);
        } catch (const BenchError& problem) {
            error = origin + ":" + std::to_string(number) + ": " + problem.what();
            return false;
        }
    }
    parsed.text = text;
    bench = std::move(parsed);
    return true;
}

// A bench is a short text file. Anything else (a device such as /dev/zero, a FIFO that would
// wait for a writer, a file of many megabytes) is refused before it is read: opened without
// waiting, checked through the descriptor, and never read past the limit.
bool parseBenchFile(const std::string& path, Bench& bench, std::string& error) {
    int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        error = path + ": cannot read: " + std::strerror(errno);
        return false;
    }
    std::string text;
    std::string problem = readBenchText(descriptor, text);
    close(descriptor);
    if (!problem.empty()) {
        error = path + ": cannot read: " + problem;
        return false;
    }
    return parseBench(text, path, bench, error);
}

} // namespace zyvosim
