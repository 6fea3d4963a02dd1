// The status numbers the library's operations return and the device library's own success
// value: hosts and tests read these numbers, so every operation takes them from here.
#pragma once

namespace zyvodiag::status {

// Frame operations: filling a frame store, moving a frame into a file, comparing two files.
constexpr int kDone = 2;
constexpr int kFailed = -2;

// Acquiring an SDI or HDMI input.
constexpr int kUsable = 2;
constexpr int kNoValidInput = -19;
constexpr int kUnknownFormat = -1;
constexpr int kNoWidget = -2;

// A device library query that answered (the sync generator's and the LTC port's).
constexpr int kDeviceSuccess = 2;

// The verbose report of a failed acquire; `otherFailure` names any other status.
inline const char* acquireFailureText(int status, const char* otherFailure) {
    switch (status) {
    case kNoValidInput:
        return "No valid input detected";
    case kUnknownFormat:
        return "Unknown input detected";
    default:
        return otherFailure;
    }
}

} // namespace zyvodiag::status
