// Text from the library's output made safe inside XML and HTML.
#pragma once

#include <string>

namespace zyvodiag {

// `text` escaped for an XML or HTML attribute or element: & < > " ' as entities, tabs and line
// ends kept, any other control byte, any byte that is not part of valid UTF-8 and the bytes of
// U+FFFE and U+FFFF (which XML 1.0 forbids) shown as "\xNN", so that the document parses
// whatever the log holds.
std::string markupText(const std::string& text);

} // namespace zyvodiag
