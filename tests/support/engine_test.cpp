// The engine tests' bench and their readers of the trace and of the context.
#include "engine_test.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>

namespace enginetest {
namespace {

bool wanted(const std::string& target, std::initializer_list<std::string> targets) {
    return targets.size() == 0 ||
           std::find(targets.begin(), targets.end(), target) != targets.end();
}

std::string callee(const zyvosim::TraceEntry& entry) {
    std::string text = entry.target;
    if (entry.index >= 0) {
        text += "[" + std::to_string(entry.index) + "]";
    }
    return text + "." + entry.operation;
}

// Calls visit(member, index, entry) for every widget entry of the context, in record order;
// index is -1 for a single pointer.
template <typename Visit> void visitEntries(ZyvoDiag& diag, Visit visit) {
    auto many = [&](const char* member, auto& array) {
        for (size_t i = 0; i < std::size(array); ++i) {
            visit(member, static_cast<int>(i), array[i]);
        }
    };
    visit("mpSyncGen", -1, diag.mpSyncGen);
    visit("mpLTC", -1, diag.mpLTC);
    many("mpFBCapture", diag.mpFBCapture);
    many("mpFBPlayback", diag.mpFBPlayback);
    many("mpSDIInput", diag.mpSDIInput);
    many("mpDualLinkInput", diag.mpDualLinkInput);
    many("mpSDIOutput", diag.mpSDIOutput);
    many("mpDualLinkOutput", diag.mpDualLinkOutput);
    visit("mpHDMIInput", -1, diag.mpHDMIInput);
    visit("mpHDMIOutput", -1, diag.mpHDMIOutput);
}

} // namespace

Lines operations(std::initializer_list<std::string> targets, bool withArguments) {
    Lines lines;
    for (const auto& entry : zyvosim::trace()) {
        if (wanted(entry.target, targets)) {
            lines.push_back(callee(entry) +
                            (withArguments ? "(" + entry.arguments + ")" : std::string()));
        }
    }
    return lines;
}

Lines calls(std::initializer_list<std::string> targets) {
    return operations(targets, true);
}

Lines getWidgetCalls(ZyvoWidgetType type, int first, int last) {
    Lines lines;
    for (int index = first; index <= std::max(first, last); ++index) {
        lines.push_back("device.GetWidget(" + std::to_string(type) + ", " + std::to_string(index) +
                        ")");
    }
    return lines;
}

Lines callsMatching(const std::string& target, const std::string& fragment) {
    Lines found;
    for (const std::string& call : calls({target})) {
        if (call.find(fragment) != std::string::npos) {
            found.push_back(call);
        }
    }
    return found;
}

Lines operator+(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

Lines nullEntries(ZyvoDiag& diag) {
    Lines names;
    visitEntries(diag, [&](std::string member, int index, auto* entry) {
        if (entry == nullptr) {
            names.push_back(index < 0 ? member : member + "[" + std::to_string(index) + "]");
        }
    });
    return names;
}

Lines membersHolding(ZyvoDiag& diag, const void* marker) {
    Lines names;
    visitEntries(diag, [&](const char* member, int, auto* entry) {
        if (entry == marker && (names.empty() || names.back() != member)) {
            names.push_back(member);
        }
    });
    return names;
}

void fillEntries(ZyvoDiag& diag, void* value) {
    visitEntries(diag, [value](const char*, int, auto*& entry) {
        entry = static_cast<std::remove_reference_t<decltype(entry)>>(value);
    });
}

void EngineTest::SetUp() {
    unsetenv("ZYVO_SIM");
    zyvosim::reset();
    mSavedDebugOutput = ZyvoDiagUserCommands::msDebugOutput;
    verbose(false);
    diag.mpDevice = nullptr;
    fillEntries(diag, nullptr);
}

void EngineTest::TearDown() {
    ZyvoDiagUserCommands::msDebugOutput = mSavedDebugOutput;
    mDevice.close();
    zyvosim::reset();
}

void EngineTest::openDevice(const std::string& benchLines) {
    // Each opening starts a fresh card and context, so a table's rows can run one after another.
    mDevice.close();
    zyvosim::reset();
    fillEntries(diag, nullptr);
    // The card's state lives in a directory of this process only, so test programs running side
    // by side never share a card. A test cannot go on without its device: a bad bench ends it.
    std::string bench = zyvosim::defaultBenchText() + "\nstate-dir private\n";
    for (char c : benchLines) {
        bench += c == ';' ? '\n' : c;
    }
    std::string error;
    if (!zyvosim::loadBench(bench, error)) {
        throw std::runtime_error("bench: " + error);
    }
    if (!mDevice.open()) {
        throw std::runtime_error("the device did not open");
    }
    diag.mpDevice = mDevice.mpDevice;
    zyvosim::clearTrace();
}

void EngineTest::setUpCommand(const std::string& benchLines, ZyvoPixelFormat pixelFormat) {
    openDevice(benchLines);
    diag.WidgetsInit(k1080i, pixelFormat);
    zyvosim::clearTrace();
}

} // namespace enginetest
