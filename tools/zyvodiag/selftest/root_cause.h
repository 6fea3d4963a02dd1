// Choosing what explains a failed test, and naming device calls by the ports a user types.
#pragma once

#include "selftest/self_test_run.h"
#include "simulator/simulator_probe.h"

#include <set>
#include <string>

namespace zyvodiag {

// The device's fault the test found on its path (`deviceFault`), else the first device call
// that failed within the command that failed the test, else within the commands before it,
// latest first. Left out: a call that failed in more than one command of
// the test (their common set-up, which the earlier commands passed with), and every call that
// failed in a test that passed on the same bench (`harmless`). Else what the tool or the
// library found; else the first failed call after all. Calls are named by port: "SDI output 3
// (SDIOutput[2]...)".
std::string chooseRootCause(const RootCauseEvidence& evidence,
                            const std::set<std::string>& harmless);

// "SDIOutput[2].SetEnable(false) returned -1" as "SDI output 3 (SDIOutput[2].SetEnable(false)
// returned -1)"; a call on no port stays as it is.
std::string namedByPort(const std::string& call);

// What a failed comparison's captured frame shows of the device when no call failed: a frame
// of one colour throughout (the fill the store was painted with) against an expected frame
// that is not, from the capture store the capture started ("capture store 1 (CaptureStore[1])
// wrote no frame while on: ..."), or, when it started none, from a quad
// format the device library has no frame store format for. Empty when neither.
std::string captureFault(const std::vector<TracedCall>& captureCalls,
                         const std::string& expectedFile, const std::string& capturedFile);

// A widget on the path of the failed command `name ARGUMENTS` (a port its switches name, a
// kind its word names) that the device, asked again, holds as another class: "LTC port 1
// (device.GetWidget(82, 0) returned a widget of another class)". Empty when none.
std::string widgetFault(const std::string& name, const std::vector<std::string>& arguments,
                        const std::vector<TracedCall>& calls);

} // namespace zyvodiag
