// The firmware model on its own: what each frame does to the state and where the reply goes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "platform/sim/Zt40Firmware.h"

namespace zt40 {
namespace {

using ::testing::ElementsAre;
using Area = Zt40Firmware::DataArea;

// A data area holding `head` from byte 0 and 0xEE after it, so untouched bytes show.
Area Frame(std::initializer_list<std::uint8_t> head) {
    Area area;
    area.fill(0xEE);
    std::size_t i = 0;
    for (const auto byte : head) area[i++] = byte;
    return area;
}

Zt40State WornState() {
    Zt40State state;
    state.status = 0x0001;
    state.wordPair = {-3, 199};
    state.selectedPin = 6;
    state.adjustments = {1, -2, 3, -4, 5, -6, 7, -8, 80};
    state.total = 0x01020304;
    state.pinCounters = {10, 20, 30, 40, 50, 60, 70, 80, 10000};
    state.headCounters = {2, -1};
    return state;
}

TEST(Zt40FirmwareReads, ExtendedReadsAnswerFromByteFourLittleEndian) {
    Zt40Firmware firmware(WornState());

    auto area = Frame({0x78, 0x20, 0x02, 0x01});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(std::span(area).subspan(4, 18),
                ElementsAre(1, 0, 0xFE, 0xFF, 3, 0, 0xFC, 0xFF, 5, 0, 0xFA, 0xFF, 7, 0, 0xF8, 0xFF, 80, 0));
    EXPECT_EQ(area[22], 0xEE) << "bytes after the reply keep what they held";

    area = Frame({0x78, 0x20, 0x03, 0x01});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(std::span(area).subspan(4, 4), ElementsAre(0xFD, 0xFF, 199, 0));

    area = Frame({0x78, 0x40, 0x05, 0x89});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(std::span(area).subspan(4, 4), ElementsAre(0x10, 0x27, 0x00, 0x00));

    area = Frame({0x78, 0x40, 0x06, 0x01});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(std::span(area).subspan(4, 4), ElementsAre(0x04, 0x03, 0x02, 0x01));

    area = Frame({0x78, 0x20, 0x07, 0x01});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(std::span(area).subspan(4, 4), ElementsAre(2, 0, 0xFF, 0xFF));

    area = Frame({0x78, 0x00, 0x08, 0x00});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_EQ(area[4], 6);
    EXPECT_EQ(area[5], 0xEE);
}

TEST(Zt40FirmwareReads, StatusQueryPutsCountAtOneAndWordAtTwo) {
    Zt40State state;
    state.status = 0x1235;
    Zt40Firmware firmware(state);
    auto area = Frame({0x01, 0x20});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(std::span(area).first(5), ElementsAre(0x01, 0x01, 0x35, 0x12, 0xEE));
}

TEST(Zt40FirmwareReads, NotReadyStatusLastsForTheGivenNumberOfQueries) {
    Zt40Firmware firmware;
    firmware.SetNotReady(2, 0x0003);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        auto area = Frame({0x01, 0x20});
        ASSERT_EQ(firmware.Execute(area), 0);
        seen.push_back(area[2] | (area[3] << 8));
    }
    EXPECT_THAT(seen, ElementsAre(3, 3, 1, 1));
    EXPECT_EQ(firmware.NotReadyReadsLeft(), 0u);
}

TEST(Zt40FirmwareWrites, WritesStoreTheItemsOfTheFrame) {
    Zt40Firmware firmware;
    auto area = Frame({0x78, 0x29, 0x02, 0x00, 0x02, 0x01, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 0xB0, 0xFF});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(firmware.State().adjustments, ElementsAre(0x0102, 2, 3, 4, 5, 6, 7, 8, -80));

    area = Frame({0x78, 0x22, 0x03, 0x00, 0x39, 0xFF, 0xC7, 0x00});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(firmware.State().wordPair, ElementsAre(-199, 199));

    area = Frame({0x78, 0x41, 0x05, 0x09, 0xFF, 0xFF, 0xFF, 0xFF});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_EQ(firmware.State().pinCounters[8], -1);
    EXPECT_EQ(firmware.State().pinCounters[7], 0) << "only the named pin changes";

    area = Frame({0x78, 0x41, 0x06, 0x00, 0x78, 0x56, 0x34, 0x12});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_EQ(firmware.State().total, 0x12345678);

    area = Frame({0x78, 0x22, 0x07, 0x00, 3, 0, 4, 0});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(firmware.State().headCounters, ElementsAre(3, 4));

    area = Frame({0x78, 0x00, 0x01, 0x09});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_EQ(firmware.State().selectedPin, 9);

    area = Frame({0x78, 0x00, 0x00, 0x01});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_TRUE(firmware.State().headFlag);

    area = Frame({0x78, 0x00, 0x04, 0x04});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_EQ(firmware.State().headPosition, 4);
}

TEST(Zt40FirmwareWrites, MotionBlocksAndDownloadsAreKeptInOrder) {
    Zt40Firmware firmware;
    auto area = Frame({0x40, 0x42, 0xFF, 0xFF, 0x60, 0xFE, 0xFF, 0xFF, 0x05, 0x0D, 0x00, 0x00});
    ASSERT_EQ(firmware.Execute(area), 0);
    area = Frame({0x40, 0x40, 0x01, 0x00});
    ASSERT_EQ(firmware.Execute(area), 0);
    ASSERT_EQ(firmware.State().motionBlocks.size(), 2u);
    EXPECT_EQ(firmware.State().motionBlocks[0], (MotionBlock{0xFFFF, {-416, 3333}}));
    EXPECT_EQ(firmware.State().motionBlocks[1], (MotionBlock{0x0001, {}}));

    area = Frame({0x64, 0x01, 0x2A});
    ASSERT_EQ(firmware.Execute(area), 0);
    EXPECT_THAT(firmware.State().downloads, ElementsAre(0x2A));
}

// The motion block's limit is six 32-bit values, the last of them in data bytes 24-27, the end
// of the data area: each count up to six is taken whole.
TEST(Zt40FirmwareWrites, MotionBlocksOfUpToSixValuesAreTakenWhole) {
    const std::vector<std::int32_t> values{-416, 3333, std::numeric_limits<std::int32_t>::min(), 1, -1,
                                           std::numeric_limits<std::int32_t>::max()};
    for (std::size_t count = 0; count <= values.size(); ++count) {
        Zt40Firmware firmware;
        Area area = Frame({0x40, static_cast<std::uint8_t>(0x40 + count), 0x34, 0x12});
        for (std::size_t i = 0; i < count; ++i) {
            const auto raw = static_cast<std::uint32_t>(values[i]);
            for (std::size_t b = 0; b < 4; ++b) area[4 + 4 * i + b] = static_cast<std::uint8_t>(raw >> (8 * b));
        }
        ASSERT_EQ(firmware.Execute(area), 0) << count << " values";
        ASSERT_EQ(firmware.State().motionBlocks.size(), 1u) << count;
        const std::vector<std::int32_t> sent(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
        EXPECT_EQ(firmware.State().motionBlocks[0], (MotionBlock{0x1234, sent})) << count << " values";
    }
}

// Frames a firmware refuses, and the state it answers with. None of them may change anything.
struct RejectedFrame {
    const char* name;
    std::vector<std::uint8_t> head;
    std::uint8_t state;
};

class Zt40FirmwareRejects : public ::testing::TestWithParam<RejectedFrame> {};

TEST_P(Zt40FirmwareRejects, AnswersAnErrorAndLeavesTheStateAlone) {
    const auto before = WornState();
    Zt40Firmware firmware(before);
    Area area;
    area.fill(0);
    std::ranges::copy(GetParam().head, area.begin());
    const auto sent = area;
    EXPECT_EQ(firmware.Execute(area), GetParam().state);
    EXPECT_EQ(firmware.State(), before);
    EXPECT_TRUE(std::ranges::equal(std::span(area).subspan(1), std::span(sent).subspan(1))) << "no reply is written";
}

INSTANTIATE_TEST_SUITE_P(
    Frames, Zt40FirmwareRejects,
    ::testing::Values(
        RejectedFrame{"SelectPinZero", {0x78, 0x00, 0x01, 0x00}, kFirmwareBadArgument},
        RejectedFrame{"SelectPinTen", {0x78, 0x00, 0x01, 0x0A}, kFirmwareBadArgument},
        RejectedFrame{"ReadCounterOfPinZero", {0x78, 0x40, 0x05, 0x80}, kFirmwareBadArgument},
        RejectedFrame{"WriteCounterOfPinTen", {0x78, 0x41, 0x05, 0x0A, 1, 0, 0, 0}, kFirmwareBadArgument},
        RejectedFrame{"HeadFlagTwo", {0x78, 0x00, 0x00, 0x02}, kFirmwareBadArgument},
        RejectedFrame{"AdjustmentsWithArgumentTwo", {0x78, 0x20, 0x02, 0x02}, kFirmwareBadArgument},
        RejectedFrame{"TotalWithArgumentTwo", {0x78, 0x40, 0x06, 0x02}, kFirmwareBadArgument},
        RejectedFrame{"SelectedPinWithArgument", {0x78, 0x00, 0x08, 0x01}, kFirmwareBadArgument},
        RejectedFrame{"AdjustmentWriteOfEightValues", {0x78, 0x28, 0x02, 0x00}, kFirmwareBadLayout},
        RejectedFrame{"AdjustmentReadAsBytes", {0x78, 0x00, 0x02, 0x01}, kFirmwareBadLayout},
        RejectedFrame{"WordPairReadWithItems", {0x78, 0x22, 0x03, 0x01}, kFirmwareBadLayout},
        RejectedFrame{"CounterReadAs16Bit", {0x78, 0x20, 0x05, 0x81}, kFirmwareBadLayout},
        RejectedFrame{"SelectPinWithItems", {0x78, 0x01, 0x01, 0x03, 0x03}, kFirmwareBadLayout},
        RejectedFrame{"StatusQueryAsBytes", {0x01, 0x00}, kFirmwareBadLayout},
        RejectedFrame{"MotionBlockOfSevenValues", {0x40, 0x47, 0xFF, 0xFF}, kFirmwareBadLayout},
        RejectedFrame{"MotionBlockOf16BitValues", {0x40, 0x22, 0xFF, 0xFF}, kFirmwareBadLayout},
        RejectedFrame{"ItemTypeBitSeven", {0x78, 0xA0, 0x02, 0x01}, kFirmwareBadLayout},
        RejectedFrame{"UnknownSubCommandNine", {0x78, 0x00, 0x09, 0x00}, kFirmwareUnknownCommand},
        RejectedFrame{"UnknownOpcode", {0x55, 0x20}, kFirmwareUnknownCommand},
        RejectedFrame{"OpcodeZero", {0x00, 0x20}, kFirmwareUnknownCommand}),
    [](const ::testing::TestParamInfo<RejectedFrame>& frame) { return std::string(frame.param.name); });

TEST(Zt40FirmwareRejects, CountsOnlyCommandsItHasAHandlerFor) {
    Zt40Firmware firmware;
    auto area = Frame({0x55});
    firmware.Execute(area);
    area = Frame({0x78, 0x00, 0x01, 0x00});
    firmware.Execute(area);  // known, though its argument is refused
    EXPECT_EQ(firmware.CommandsExecuted(), 1u);
}

}  // namespace
}  // namespace zt40
