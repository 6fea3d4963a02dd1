// Moving a frame of a frame store into a raw file: the bytes the file gets, and what a user
// reads, and finds on disk, when the transfer cannot be made.
#include "frames_test.h"

#include <functional>

namespace framestest {
namespace {

using FrameTransferTest = FramesTest;

// The file is the frame the caller names, not the store's own: base + frame x size.
TEST_F(FrameTransferTest, fileHoldsTheDeviceBytesOfTheNamedFrame) {
    const struct {
        frameStoreType kind;
        int store;
        int frame;
        uint32_t size;   // capture stores only; 0: the set-up's
        uint32_t offset; // from the stores' frame 0
    } cases[] = {
        {captureFrameStore, 0, 1, 0x800000, 0x800000},
        {playoutFrameStore, 3, 0, 0, 0},
        {playoutFrameStore, 5, 2, 0, 2 * kFrame8Bit},
    };
    for (const auto& c : cases) {
        setUpCommand();
        const uint32_t address =
            c.offset + (c.kind == captureFrameStore ? captureBase() : playoutBase());
        if (c.size != 0) {
            diag.mpFBCapture[c.store]->SetFrameBufferSize(c.size);
        }
        Bytes frame = counting(c.size != 0 ? c.size : kFrame8Bit);
        ASSERT_TRUE(zyvosim::writeDeviceMemory(address - 1, Bytes{0xEE}));
        ASSERT_TRUE(zyvosim::writeDeviceMemory(address, frame));
        ASSERT_TRUE(zyvosim::writeDeviceMemory(address + frame.size(), Bytes{0xEE}));
        std::string path = scratchFile("frame", "an older file");
        bool written = false;
        EXPECT_EQ(
            printedBy([&] { written = diag.VideoFrameWrite(c.kind, c.store, c.frame, path); }), "");
        EXPECT_TRUE(written) << address;
        EXPECT_TRUE(fileHolds(path, frame)) << address;
    }
}

// A frame store that is not there is a null store to the transfer. A full disk is the tool's
// story, where the file is a device file.
TEST_F(FrameTransferTest, everyFailureIsReportedAndLeavesTheFileAsItSays) {
    auto store0 = [this](const std::string& path) {
        return diag.frameBufferDmaToFile(diag.mpFBCapture[0], 0, path.c_str());
    };
    auto byKind = [this](int kind, int index) {
        return [this, kind, index](const std::string& path) {
            return diag.VideoFrameWrite(static_cast<frameStoreType>(kind), index, 0, path) ? 2 : -2;
        };
    };
    const std::string noStore = "frameBufferDmaToFile() pFrameStore == NULL\n";
    const std::string noFile =
        "frameBufferDmaToFile() Failed to open " + scratchDirectory() + ": Is a directory\n";
    const std::string noDma = "frameBufferDmaToFile() Error getting dma widget\n";
    const std::string noBuffer = "frameBufferDmaToFile() Failed to allocate buffer\n";
    const std::string dmaStatus = "frameBufferDmaToFile() Error dma-ing (status = ";
    const struct {
        const char* bench;
        std::function<int(const std::string&)> write;
        std::string printed;
        int result;
        const char* fileAfter; // of a file that held "old"; null: the file is a directory
    } cases[] = {
        {"", byKind(2, 0), noStore, -2, "old"},
        {"", byKind(1, 6), noStore, -2, "old"},
        {"", store0, noFile, -2, nullptr},
        {"missing DMA 0", store0, noDma, -2, ""},
        {"fault DmaBuffer.SetupAndGetBufferStart -1", store0, noBuffer, -2, ""},
        {"missing DMA 0; fault DmaBuffer.SetupAndGetBufferStart -1", store0,
         noDma + noBuffer + noFile, -2, nullptr},
        {"fault DMA.DoDma -5", store0, dmaStatus + "-5)\n", -5, ""},
        {"fault DMA.DoDma 0", store0, dmaStatus + "0)\n", 0, ""},
    };
    for (const auto& c : cases) {
        setUpCommand(c.bench);
        std::string path = c.fileAfter == nullptr ? scratchDirectory() : scratchFile("f", "old");
        int result = 0;
        EXPECT_EQ(printedBy([&] { result = c.write(path); }), c.printed) << c.bench;
        EXPECT_EQ(result, c.result) << c.printed;
        if (c.fileAfter != nullptr) {
            EXPECT_EQ(fileText(path), c.fileAfter) << c.printed;
        }
    }
}

// A failed read shows the zeroed buffer; a good one the frame's first words, then the write.
TEST_F(FrameTransferTest, verboseTransferShowsTheReadTheDataAndTheWrite) {
    setUpCommand("fault DMA.DoDma -5 once");
    ASSERT_TRUE(zyvosim::writeDeviceMemory(captureBase() + kFrame8Bit, counting(32)));
    std::string path = scratchPath("frame");
    verbose(true);
    bool written[2] = {true, false};
    std::string failed =
        printedBy([&] { written[0] = diag.VideoFrameWrite(captureFrameStore, 2, 1, path); });
    std::string done =
        printedBy([&] { written[1] = diag.VideoFrameWrite(captureFrameStore, 2, 1, path); });
    const std::string read = "  frameBufferDmaToFile\n"
                             "  doDma(fbaddr = 0x013f4800 hostbuf = PTR fbSize = 0x003f4800)\n";
    EXPECT_FALSE(written[0]);
    EXPECT_EQ(maskPointers(failed), read + fbDataLines(Bytes(32, 0)) +
                                        "frameBufferDmaToFile() Error dma-ing (status = -5)\n"
                                        "  VideoFrameWrite frameBufferDmaToFile() failed\n");
    EXPECT_TRUE(written[1]);
    EXPECT_EQ(maskPointers(done), read + fbDataLines(counting(32)) +
                                      "  frameBufferDmaToFile():  fwrite(PTR, 1, 4147200, \"" +
                                      path + "\") returns 4147200\n");
}

} // namespace
} // namespace framestest
