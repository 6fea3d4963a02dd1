// The bench file format: one directive per line, '#' to the end of a line is a comment.
#include "bench/bench_parser.h"

#include "bench/bench_directives.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <utility>

namespace zyvosim {
namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> fields;
    std::string word;
    while (words >> word)
        fields.push_back(word);
    return fields;
}

void readLine(std::vector<std::string> fields, Bench& bench) {
    const BenchDirective* directive = findBenchDirective(fields[0]);
    if (directive == nullptr)
        throw BenchError("unknown directive '" + fields[0] + "'");
    BenchLine line(std::move(fields), directive->usage);
    directive->read(line, bench);
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
        if (fields.empty())
            continue;
        try {
            readLine(std::move(fields), parsed);
        } catch (const BenchError& problem) {
            error = origin + ":" + std::to_string(number) + ": " + problem.what();
            return false;
        }
    }
    bench = std::move(parsed);
    return true;
}

bool parseBenchFile(const std::string& path, Bench& bench, std::string& error) {
    // A directory opens as a stream that reads as empty, which would pass for an empty bench.
    struct stat facts {};
    if (stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode)) {
        error = path + ": cannot read: " + std::strerror(EISDIR);
        return false;
    }
    std::ifstream file(path);
    if (!file) {
        error = path + ": cannot read: " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        error = path + ": cannot read: " + std::strerror(errno);
        return false;
    }
    return parseBench(text.str(), path, bench, error);
}

} // namespace zyvosim
