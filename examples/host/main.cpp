// zyvodiag-host [SWITCHES] FILE: draws a test pattern into a playout frame store and writes the
// frame back to FILE, the library's captureVideoTestPattern as a host program runs it.
#include <zyvodiag>
#include <zyvodiag_version.h>

#include <csignal>
#include <cstdio>

// The headers this program is compiled against.
static_assert(ZYVODIAG_VERSION_MAJOR == 1, "written for libzyvodiags 1.x");

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

// Ours, installed after the library's: the command finishes, then the program stops. Passing the
// signal on lets the library note the quit too, so no later open in this process succeeds.
void onInterrupt(int signalNumber) {
    gInterrupted = 1;
    SignalHandler(signalNumber);
}

// The library loaded at run time must be at least the one compiled against, within its major
// version: a newer 1.y has everything an older one had, an older one may lack what we use.
bool runningLibraryIsUsable() {
    const char* running = zyvodiagLibraryVersion();
    int major = 0;
    int minor = 0;
    if (std::sscanf(running, "%d.%d", &major, &minor) != 2 || major != ZYVODIAG_VERSION_MAJOR ||
        minor < ZYVODIAG_VERSION_MINOR) {
        std::fprintf(stderr, "zyvodiag-host: built for libzyvodiags %s, but %s was loaded\n",
                     ZYVODIAG_VERSION_STRING, running);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!runningLibraryIsUsable()) {
        return 2;
    }
    // The library's video command line: -f, -r, -v, -p, -b, -o, -D and the file (-h for all).
    ZyvoDiagUserCommands commands;
    if (!commands.parseCmdLineArgs(argc, argv)) {
        return 2;
    }

    ZyvoDiagDevice device;
    if (!device.open()) {
        device.close(); // releases what the failed open had already taken
        std::fprintf(stderr, "zyvodiag-host: cannot open the device\n");
        return 1;
    }
    std::signal(SIGINT, onInterrupt);
    const bool written = commands.captureVideoTestPattern(device.mpDevice);
    device.close();

    if (gInterrupted) {
        return 130;
    }
    std::printf("libzyvodiags %s: pattern %u %s %s\n", zyvodiagLibraryVersion(),
                static_cast<unsigned>(commands.mTestPattern),
                written ? "written to" : "could not be written to",
                commands.mInputFileName.c_str());
    return written ? 0 : 1;
}
