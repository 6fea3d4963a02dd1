// The text tables' part in reset().
#pragma once

namespace zyvosim {

// Refills the four name maps of the ZyvoText instance, dropping the empty entries that
// lookups of unknown values leave behind.
void resetText();

} // namespace zyvosim
