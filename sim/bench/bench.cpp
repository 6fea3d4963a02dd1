// The default bench: the loopback bench a card sits on when nothing else is said.
#include "zyvosim/zyvosim.h"

namespace zyvosim {

// SDI inputs exist for 0-7 and outputs for 0-10, so outputs 8-10 stay unplugged.
const std::string& defaultBenchText() {
    static const std::string text =
        R"(# The loopback bench: one card, its outputs cabled back to its inputs.
devices 1
cable SDIOutput 0 SDIInput 0
cable SDIOutput 1 SDIInput 1
cable SDIOutput 2 SDIInput 2
cable SDIOutput 3 SDIInput 3
cable SDIOutput 4 SDIInput 4
cable SDIOutput 5 SDIInput 5
cable SDIOutput 6 SDIInput 6
cable SDIOutput 7 SDIInput 7
cable HDMIOutput 0 HDMIInput 0
# A timecode generator at 29.97 and a 1080i 29.97 house reference.
ltc-source rate 6 start 01:00:00:00
reference format 19
)";
    return text;
}

} // namespace zyvosim
