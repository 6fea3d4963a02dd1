// Failures of the card's own files during a command, kept for the host to report.
#pragma once

#include <string>

namespace zyvosim {

// Keeps "PATH: REASON" (REASON from `error`, an errno value) unless an earlier failure is still
// waiting for takeStorageFailure().
void noteStorageFailure(const std::string& path, int error);

} // namespace zyvosim
