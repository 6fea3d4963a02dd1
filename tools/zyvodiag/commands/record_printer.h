// Prints the parameter record a parser produced, one labelled line per member.
#pragma once

#include <zyvodiag>

namespace zyvodiag {

void printVideoRecord(const ZyvoDiagUserCommands& record);
void printAudioRecord(const ZyvoDiagUserCommands& record);

} // namespace zyvodiag
