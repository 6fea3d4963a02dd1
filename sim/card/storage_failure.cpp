// The first failure of the card's own files since the host last asked for it.
//
// The diagnostics do not look at every status (a pattern fill ignores its DMA's), so a write
// that a full disk refused would pass unseen; the host asks here after each command instead.
#include "card/storage_failure.h"

#include "zyvosim/zyvosim.h"

#include <cstring>
#include <utility>

namespace zyvosim {
namespace {

// Never destroyed: a device released from a static destructor may still fail a write.
std::string& waitingFailure() {
    static auto* failure = new std::string();
    return *failure;
}

} // namespace

void noteStorageFailure(const std::string& path, int error) {
    noteStorageFailure(path + ": " + std::strerror(error));
}

void noteStorageFailure(const std::string& problem) {
    if (waitingFailure().empty()) {
        waitingFailure() = problem;
    }
}

std::string takeStorageFailure() {
    return std::exchange(waitingFailure(), std::string());
}

} // namespace zyvosim
