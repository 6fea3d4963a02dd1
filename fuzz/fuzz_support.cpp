// The shared pieces of the fuzz targets.
#include "fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zyvofuzz {

void silenceStandardOutput() {
    std::fflush(stdout);
    int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        close(null);
    }
}

namespace {

std::string s_scratch;

void removeScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(s_scratch, ignored);
}

} // namespace

const std::string& scratchDirectory() {
    if (s_scratch.empty()) {
        std::string base = std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp";
        std::string pattern = base + "/zyvofuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("zyvofuzz: mkdtemp");
            std::abort();
        }
        s_scratch = pattern;
        std::atexit(removeScratch);
    }
    return s_scratch;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

ArgumentVector::ArgumentVector(const char* programName, const uint8_t* data, size_t size) {
    mArguments.emplace_back(programName);
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        mArguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    for (std::string& argument : mArguments) {
        mPointers.push_back(argument.data());
    }
    mPointers.push_back(nullptr);
}

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "zyvofuzz: property broken: %s\n", what);
        std::abort();
    }
}

} // namespace zyvofuzz
