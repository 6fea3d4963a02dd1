// Whether the sync generator locks to its reference, and what it sees there.
#include "engine/status_codes.h"

#include <zyvodiag>

#include "QELTime.h"

#include <cstdio>

const char* refSourceNames[12] = {
    "Unknown",     "Ext Ref In", "Free Run", "SDI Input 1", "SDI Input 2", "SDI Input 3",
    "SDI Input 4", "Fiber 1",    "Fiber 2",  "HDMI 1",      "Composite 1", "Component 1",
};

using zyvodiag::status::kDeviceSuccess;

namespace {

// Up to four seconds for the generator to recognise its reference.
constexpr int kLockPolls = 40;
constexpr int kPollMilliseconds = 100;

// A source outside the table (a failed query leaves it unset) still gets a printable name.
const char* referenceName(ZyvoSyncGeneratorReferenceSource source) {
    return source >= 0 && source < 12 ? refSourceNames[source] : "Unknown";
}

void verboseLine(const char* text) {
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("%s\n", text);
    }
}

} // namespace

bool ZyvoDiag::syncGenDelayForLock(ZyvoSyncGeneratorWidget* syncGen) {
    ZyvoVideoFormat referenceFormat = ZYVO_VideoFormat_Unknown;
    int pollsLeft = kLockPolls;
    do {
        --pollsLeft;
        if (syncGen->GetReferenceInputFormat(referenceFormat) != kDeviceSuccess) {
            return false;
        }
        QELTime::Sleep(kPollMilliseconds);
    } while (referenceFormat == 0 && pollsLeft > 0);
    return referenceFormat != 0;
}

bool ZyvoDiag::syncGenLockTest(ZyvoVideoFormat format,
                               ZyvoSyncGeneratorReferenceSource referenceSource) {
    const bool verbose = ZyvoDiagUserCommands::msDebugOutput;
    if (verbose) {
        std::printf("\nSyncGen Lock Test \n\tRef Source : %s\n\tUser Video Format (%d) %s\n",
                    referenceName(referenceSource), static_cast<int>(format),
                    videoFormatNameString(format));
    }
    if (mpSyncGen == nullptr) {
        std::printf("%s() could not get syncgen widget\n", "syncGenLockTest");
        return false;
    }
    mpSyncGen->SetReferenceSource(referenceSource);
    bool locked = syncGenDelayForLock(mpSyncGen);
    if (locked) {
        ZyvoVideoFormat lockedFormat = ZYVO_VideoFormat_Unknown;
        if (mpSyncGen->GetReferenceInputFormat(lockedFormat) == kDeviceSuccess) {
            if (verbose) {
                std::printf("Is locked to ref source : %s\n\tRef Locked Format (%d) %s\n",
                            referenceName(referenceSource), static_cast<int>(lockedFormat),
                            videoFormatNameString(lockedFormat));
            }
        } else {
            verboseLine("GetReferenceInputFormat() returns failure");
        }
        return true;
    }
    verboseLine("\ncannot lock");
    ZyvoSyncGeneratorReferenceSource currentSource = ZYVO_SyncGeneratorReferenceSource_Unknown;
    mpSyncGen->GetReferenceSource(currentSource);
    ZyvoVideoFormat inputFormat = ZYVO_VideoFormat_Unknown;
    if (mpSyncGen->GetReferenceInputFormat(inputFormat) == kDeviceSuccess) {
        if (verbose) {
            std::printf("\tReference Input Format on %s is %d(%s)\n", referenceName(currentSource),
                        static_cast<int>(inputFormat), videoFormatNameString(inputFormat));
        }
    } else {
        verboseLine("\tGetReferenceInputFormat() returns failure");
    }
    return false;
}

int ZyvoDiagUserCommands::captureSyncGenLock(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    // The generator starts in free run; the test points it at the external reference.
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    return diag.syncGenLockTest(mVideoFormat, ZYVO_SyncGeneratorReferenceSource_ExtRefIn) ? 1 : 0;
}
