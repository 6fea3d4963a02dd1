// The crosspoint's numbering, the one place that says which source number is which widget.
#include "video/crosspoint.h"

namespace zyvosim {
namespace {

struct SourceRow {
    int32_t source;
    SourceKind kind;
    unsigned index;
};

// The numbers the diagnostics' routing tables use. Only playout stores 0 and 1 have a second
// stream of their own on the crosspoint (98 and 100): the pair that feeds the HDMI output a 4K
// picture. The HDMI receiver's four streams are 111 to 114.
const SourceRow kSources[] = {
    {140, SourceKind::SDIInput, 0},        {143, SourceKind::SDIInput, 1},
    {146, SourceKind::SDIInput, 2},        {149, SourceKind::SDIInput, 3},
    {76, SourceKind::SDIInput, 4},         {79, SourceKind::SDIInput, 5},
    {82, SourceKind::SDIInput, 6},         {85, SourceKind::SDIInput, 7},
    {41, SourceKind::DualLinkInput, 0},    {42, SourceKind::DualLinkInput, 1},
    {43, SourceKind::DualLinkInput, 2},    {44, SourceKind::DualLinkInput, 3},
    {46, SourceKind::DualLinkOutput, 0},   {49, SourceKind::DualLinkOutput, 1},
    {52, SourceKind::DualLinkOutput, 2},   {55, SourceKind::DualLinkOutput, 3},
    {57, SourceKind::DualLinkOutput, 4},   {92, SourceKind::PlayoutStore, 0},
    {99, SourceKind::PlayoutStore, 1},     {101, SourceKind::PlayoutStore, 2},
    {102, SourceKind::PlayoutStore, 3},    {98, SourceKind::PlayoutSecond, 0},
    {100, SourceKind::PlayoutSecond, 1},   {111, SourceKind::HDMIInputStream, 0},
    {112, SourceKind::HDMIInputStream, 1}, {113, SourceKind::HDMIInputStream, 2},
    {114, SourceKind::HDMIInputStream, 3},
};

} // namespace

CrosspointSource decodeSource(int32_t source) {
    for (const SourceRow& row : kSources) {
        if (row.source == source) {
            return CrosspointSource{row.kind, row.index};
        }
    }
    return CrosspointSource{SourceKind::None, 0};
}

} // namespace zyvosim
