// The DMA widget and device memory: transfers in and out, memory never written, and transfers
// that do not fit.
#include "card_fixture.h"

#include "ZyvoDma.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int cDeviceToHost = 0;
constexpr int cHostToDevice = 1;

class DmaTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        useBench("");
    }

    int transfer(int direction, std::vector<uint8_t>& host, uint32_t address, uint32_t length) {
        return widget<ZyvoDmaIO>(ZYVO_WidgetType_DmaIO)
            ->DoDma(direction, host.data(), address, length, 1, 0, 0, 0);
    }

    static std::vector<uint8_t> counting(size_t length) {
        std::vector<uint8_t> bytes(length);
        for (size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<uint8_t>(i * 7 + 1);
        return bytes;
    }
};

TEST_F(DmaTest, whatIsWrittenReadsBackThroughDmaAndDirectly) {
    std::vector<uint8_t> written = counting(100000);
    ASSERT_EQ(transfer(cHostToDevice, written, 0x4000000, 100000), 1);
    std::vector<uint8_t> read(100000, 0xAA);
    EXPECT_EQ(transfer(cDeviceToHost, read, 0x4000000, 100000), 1);
    EXPECT_EQ(read, written);
    std::vector<uint8_t> direct;
    ASSERT_TRUE(zyvosim::readDeviceMemory(0x4000000 + 99990, 10, direct));
    EXPECT_EQ(direct, std::vector<uint8_t>(written.end() - 10, written.end()));
    EXPECT_EQ(lastCall(), "DMA[0].DoDma(0, 0x04000000, 100000, 1, 0, 0, 0) -> 1");
}

TEST_F(DmaTest, lastByteOfMemoryCanBeReachedAndWrittenDirectly) {
    ASSERT_TRUE(zyvosim::writeDeviceMemory(0x3FFFFFFF, {0x5A}));
    std::vector<uint8_t> host(1);
    EXPECT_EQ(transfer(cDeviceToHost, host, 0x3FFFFFFF, 1), 1);
    EXPECT_EQ(host[0], 0x5A);
}

struct OutOfRange {
    uint32_t address;
    uint32_t length;
};

class DmaRangeTest : public DmaTest, public ::testing::WithParamInterface<OutOfRange> {};

// Nothing moves either way: the host buffer keeps its bytes and memory stays unwritten.
TEST_P(DmaRangeTest, transferThatDoesNotFitFailsAndMovesNothing) {
    const OutOfRange& range = GetParam();
    std::vector<uint8_t> host(16, 0xAA);
    EXPECT_LE(transfer(cDeviceToHost, host, range.address, range.length), 0);
    EXPECT_EQ(host, std::vector<uint8_t>(16, 0xAA));
    EXPECT_LE(transfer(cHostToDevice, host, range.address, range.length), 0);
    std::vector<uint8_t> memory;
    for (uint32_t end : {0x0u, 0x3FFFFFF0u}) {
        ASSERT_TRUE(zyvosim::readDeviceMemory(end, 16, memory));
        EXPECT_EQ(memory, std::vector<uint8_t>(16, 0)) << "at " << end;
    }
    EXPECT_FALSE(zyvosim::readDeviceMemory(range.address, range.length, memory));
}

// The last one wraps around to a small address in 32-bit arithmetic.
INSTANTIATE_TEST_SUITE_P(Ranges, DmaRangeTest,
                         ::testing::Values(OutOfRange{0x3FFFFFF8, 16}, OutOfRange{0x40000000, 1},
                                           OutOfRange{0, 0x40000001}, OutOfRange{0xFFFFFFF8, 16}));

} // namespace
