// Which widgets take part in the capture path of an SDI input and the playout path of an SDI
// output. Internal to the library.
#pragma once

namespace zyvodiag::engine {

// Looks up row `input` of the input routing table (rows 0 to 8; any other number is reported
// and row 1 is used) and returns the row used.
int designateInputWidgets(int input, int& sdiInput, int& dualLinkInput, int& captureStore);

// The same for row `output` of the output routing table (rows 0 to 11, row 11 the monitor).
int designateOutputWidgets(int output, int& playoutStore, int& dualLinkOutput, int& sdiOutput);

} // namespace zyvodiag::engine
