// Failures of the card's own files during a command, kept for the host to report.
#pragma once

#include <string>

namespace zyvosim {

// Keeps "PATH: REASON" (REASON from `error`, an errno value) unless an earlier failure is still
// waiting for takeStorageFailure().
void noteStorageFailure(const std::string& path, int error);
// The same for a failure already worded "PATH: REASON".
void noteStorageFailure(const std::string& problem);

} // namespace zyvosim
