// The frame stores that carry an HDMI picture in each mode: one store for HD; two stores in
// two-sample interleave for a 4K quad format, each with its own channel of the picture.
#pragma once

#include "engine/widget_access.h"

#include "ZyvoFormatInfo.h"

#include <cstddef>
#include <string>

namespace zyvodiag::hdmi {

struct StoreLayout {
    int storeCount;
    bool interleaved;
    // How failure reports name the store: "i" as in the quad loop, 0 for the HD store.
    const char* index;

    // A call on a store as its failure report shows it, e.g. "mpFBCapture[i]->WritePreset()".
    std::string call(const char* stores, const char* text) const {
        return std::string(stores) + "[" + index + "]->" + text;
    }
    std::string interleaveCall(const char* stores) const {
        return call(stores, interleaved ? "SetTwoSampleInterleaveMode(true)"
                                        : "SetTwoSampleInterleaveMode(false)");
    }
    std::string channelCall(const char* configuration) const {
        return std::string(configuration) + ".SetVideoChannel(vidChannel[" + index + "])";
    }
};

constexpr StoreLayout kQuadStores = {2, true, "i"};
constexpr StoreLayout kHDStores = {1, false, "0"};

// Calls `setUp(store, index)` for each store of `layout`; a store the device lacks fails the
// configuration instead of being dereferenced.
template <typename Store, size_t N, typename SetUp>
void setUpEachStore(const StoreLayout& layout, Store* (&stores)[N],
                    zyvodiag::engine::FailureCount& failures, SetUp setUp) {
    for (int i = 0; i < layout.storeCount; ++i) {
        if (stores[i] == nullptr) {
            failures.countMissed();
        } else {
            setUp(*stores[i], i);
        }
    }
}

inline const StoreLayout& storeLayoutOf(ZyvoVideoFormat format) {
    return ZyvoVideoFormatInfo::isQuad(format) ? kQuadStores : kHDStores;
}

} // namespace zyvodiag::hdmi
