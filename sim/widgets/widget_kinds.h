// One description per widget kind of the card. Everything else that names a kind or its
// operations is derived from these: the bench's names, the fault points, the trace's names, the
// widgets installed and powered on, the number of each port.
#pragma once

#include "ZyvoTypes.h"

#include <cstddef>
#include <string>

namespace zyvosim {

class SimBoard;
struct CardState;

// The operations of a kind, by the names benches and the trace give them.
class OperationList {
public:
    template <std::size_t Count>
    constexpr OperationList(const char* const (&names)[Count]) : mNames(names), mCount(Count) {}
    const char* const* begin() const { return mNames; }
    const char* const* end() const { return mNames + mCount; }
    bool contains(const std::string& name) const;
    // "SetMode, GetMode, ...", for messages.
    std::string joined() const;

private:
    const char* const* mNames;
    std::size_t mCount;
};

struct WidgetKind {
    constexpr WidgetKind(const char* name, ZyvoWidgetType type, unsigned count,
                         OperationList operations, void (*install)(SimBoard&),
                         void (*powerOn)(CardState&))
        : name(name), type(type), count(count), operations(operations), install(install),
          powerOn(powerOn) {}

    const char* name;                 // "SDIOutput", as benches, faults and the trace write it
    ZyvoWidgetType type;              // what GetWidget is asked for
    unsigned count;                   // its ports: indices 0 to count - 1
    OperationList operations;         // every operation, each open to faults and traced by its name
    void (*install)(SimBoard& board); // adds one widget per index to the card's registry
    void (*powerOn)(CardState& state); // its part of the card state; null when it keeps none
};

// Each kind's file describes it beside its widget.
extern const WidgetKind kSDIInputKind, kSDIOutputKind, kDualLinkInKind, kDualLinkOutKind,
    kCaptureStoreKind, kPlayoutStoreKind, kControlKind, kDmaKind, kSyncGeneratorKind,
    kInterruptControlKind, kLtcKind, kHDMIInKind, kHDMIOutKind;

// Every kind, in the order messages list them: for (const WidgetKind* kind : widgetKinds()).
struct WidgetKindList {
    const WidgetKind* const* begin() const;
    const WidgetKind* const* end() const;
};
WidgetKindList widgetKinds();

// The kind called `name`, or null when the card has no such kind.
const WidgetKind* findWidgetKind(const std::string& name);

// Every kind's name, for messages ("SDIInput, SDIOutput, ...").
std::string widgetKindNames();

} // namespace zyvosim
