// Choosing what explains a failed test, and naming device calls by the ports a user types.
#pragma once

#include "selftest/self_test_run.h"

#include <set>
#include <string>

namespace zyvodiag {

// The first device call that failed within the command that failed the test, else within the
// commands before it, latest first. Left out: a call that failed in more than one command of
// the test (their common set-up, which the earlier commands passed with), and every call that
// failed in a test that passed on the same bench (`harmless`). Else what the tool or the
// library found; else the first failed call after all. Calls are named by port: "SDI output 3
// (SDIOutput[2]...)".
std::string chooseRootCause(const RootCauseEvidence& evidence,
                            const std::set<std::string>& harmless);

// "SDIOutput[2].SetEnable(false) returned -1" as "SDI output 3 (SDIOutput[2].SetEnable(false)
// returned -1)"; a call on no port stays as it is.
std::string namedByPort(const std::string& call);

} // namespace zyvodiag
