// A fixed table of paths that threads add and drop while a signal handler may read it.
#pragma once

#include <atomic>
#include <climits>
#include <cstring>
#include <string>

namespace zyvodiag {

// Fixed, as a signal handler can neither allocate nor take a lock. Several threads may add paths
// at once, so a slot is claimed by an atomic exchange, and forEach reads only slots whose path is
// complete. A table with static storage starts zeroed, every slot free, before any code runs.
template <int Slots> class SignalSafePaths {
public:
    // A path too long for a slot, or beyond the last slot, is not kept.
    void add(const std::string& path) {
        if (path.size() >= PATH_MAX) {
            return;
        }
        for (Slot& slot : mSlots) {
            int expected = kFree;
            if (slot.state.compare_exchange_strong(expected, kFilling)) {
                std::memcpy(slot.path, path.c_str(), path.size() + 1);
                slot.state.store(kUsed);
                return;
            }
        }
    }

    void drop(const std::string& path) {
        for (Slot& slot : mSlots) {
            if (slot.state.load() == kUsed && path == slot.path) {
                slot.state.store(kFree);
                return;
            }
        }
    }

    // Safe in a signal handler when `visit` is.
    template <typename Visit> void forEach(Visit visit) {
        for (Slot& slot : mSlots) {
            if (slot.state.load() == kUsed) {
                visit(slot.path);
            }
        }
    }

private:
    enum SlotState { kFree, kFilling, kUsed };
    struct Slot {
        std::atomic<int> state;
        char path[PATH_MAX];
    };
    static_assert(ATOMIC_INT_LOCK_FREE == 2, "a signal handler may only read lock-free atomics");

    Slot mSlots[Slots];
};

} // namespace zyvodiag
