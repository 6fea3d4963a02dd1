// Keeping the card state record in a file mapped MAP_SHARED, so what one process programs is
// there for the next one.
#include "card/card_state_file.h"

#include "card/state_directory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zyvosim {
namespace {

constexpr off_t cRecordSize = sizeof(CardState);

} // namespace

CardStateFile::~CardStateFile() {
    if (mRecord != nullptr)
        munmap(mRecord, sizeof(CardState));
    if (mDescriptor >= 0)
        close(mDescriptor);
}

// A file of the wrong size is cut to nothing first, so the record starts as zero bytes.
bool CardStateFile::open(const std::string& directory, unsigned index, bool& fresh,
                         std::string& problem) {
    std::string path = cardFile(directory, "card-state", index);
    mDescriptor = openCardFile(directory, "card-state", index, problem);
    if (mDescriptor < 0) {
        return false;
    }
    struct stat facts {};
    if (fstat(mDescriptor, &facts) != 0) {
        problem = path + ": " + std::strerror(errno);
        return false;
    }
    fresh = facts.st_size != cRecordSize;
    if (fresh && (ftruncate(mDescriptor, 0) != 0 || ftruncate(mDescriptor, cRecordSize) != 0)) {
        problem = path + ": " + std::strerror(errno);
        return false;
    }
    void* mapping =
        mmap(nullptr, sizeof(CardState), PROT_READ | PROT_WRITE, MAP_SHARED, mDescriptor, 0);
    if (mapping == MAP_FAILED) {
        problem = path + ": " + std::strerror(errno);
        return false;
    }
    mRecord = static_cast<CardState*>(mapping);
    fresh = fresh || mRecord->magic != cCardStateMagic || mRecord->version != cCardStateVersion;
    return true;
}

} // namespace zyvosim
