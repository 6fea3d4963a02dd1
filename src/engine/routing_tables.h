// Which widgets take part in the capture path of an SDI input and the playout path of an SDI
// output. Internal to the library.
#pragma once

#include <cstddef>
#include <cstdio>

namespace zyvodiag::engine {

// Copies the first three columns of row `row` of a routing table; a row outside the table is
// reported for `caller` and row 1 is used instead. Returns the row used.
template <typename Cell, size_t Rows, size_t Columns>
int designateRow(const Cell (&table)[Rows][Columns], int row, const char* caller, int& first,
                 int& second, int& third) {
    static_assert(Rows > 1 && Columns >= 3, "a routing table has a row 1 and three widgets");
    if (row < 0 || row >= static_cast<int>(Rows)) {
        std::printf("%s(%d,) out of range\n", caller, row);
        row = 1;
    }
    first = table[row][0];
    second = table[row][1];
    third = table[row][2];
    return row;
}

// Looks up row `input` of the input routing table (rows 0 to 8; any other number is reported
// and row 1 is used) and returns the row used.
int designateInputWidgets(int input, int& sdiInput, int& dualLinkInput, int& captureStore);

// The same for row `output` of the output routing table (rows 0 to 11, row 11 the monitor).
int designateOutputWidgets(int output, int& playoutStore, int& dualLinkOutput, int& sdiOutput);

} // namespace zyvodiag::engine
