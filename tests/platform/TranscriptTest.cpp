// Transcripts: the text form, recording whole commands against the simulated printer, and
// replaying them in strict order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "device/CHeadDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingChannel.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ReplayChannel.h"
#include "tests/support/Transcript.h"
#include "platform/sim/SimPrinterRig.h"
#include "support/BuildTree.h"

namespace zt40 {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// " 00" n times: the untouched tail of a 32-byte data area.
std::string Zeros(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += " 00";
    return text;
}

TEST(TranscriptText, FormatsOneRequestALineInUpperCaseHex) {
    const TranscriptEntry set{VendorDirection::Set, 0xF0, {0x00, 0x00}, {0x00, 0x20, 0xab}, true};
    const TranscriptEntry failedGet{VendorDirection::Get, 0xF0, {0x00, 0x01}, {}, false};
    const TranscriptEntry failedSet{VendorDirection::Set, 0xF7, {0x12, 0x34}, {0x78}, false};
    EXPECT_EQ(FormatEntry(set), "SET F0 0000 00 20 AB");
    EXPECT_EQ(FormatEntry(failedGet), "GET F0 0001 FAIL");
    EXPECT_EQ(FormatEntry(failedSet), "SET F7 1234 78 FAIL");
}

TEST(TranscriptText, ParsesWhatItFormatsAndSkipsCommentsAndBlankLines) {
    const auto parsed = ParseTranscript(
        "# SelectPin(3)\n"
        "\n"
        "SET F0 0000 00 00 01 03   # the frame\r\n"
        "set f0 0000 78\n"  // lower-case words are not accepted as directions
    );
    ASSERT_FALSE(parsed.Ok());
    EXPECT_EQ(parsed.error->line, 4u);
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_THAT(parsed.entries[0].data, ElementsAre(0x00, 0x00, 0x01, 0x03));

    const std::string text = "SET F0 0000 00 00 01 03\nSET F0 0000 78\nGET F0 0000 ab cd\nGET F0 0000 FAIL\n";
    const auto again = ParseTranscript(text);
    ASSERT_TRUE(again.Ok()) << again.error->message;
    EXPECT_EQ(FormatTranscript(again.entries),
              "SET F0 0000 00 00 01 03\nSET F0 0000 78\nGET F0 0000 AB CD\nGET F0 0000 FAIL\n");
    EXPECT_EQ(ParseTranscript(FormatTranscript(again.entries)).entries, again.entries);
}

struct BadLine {
    const char* line;
    const char* complaint;
};

class TranscriptBadLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(TranscriptBadLine, IsReportedWithItsLineNumber) {
    const auto parsed = ParseTranscript(std::string("SET F0 0000 01\n") + GetParam().line + "\nGET F0 0000 00\n");
    ASSERT_FALSE(parsed.Ok());
    EXPECT_EQ(parsed.error->line, 2u);
    EXPECT_THAT(parsed.error->message, HasSubstr(GetParam().complaint));
    EXPECT_EQ(parsed.entries.size(), 1u) << "what came before the bad line is kept";
}

INSTANTIATE_TEST_SUITE_P(Lines, TranscriptBadLine,
                         ::testing::Values(BadLine{"PUT F0 0000 00", "SET or GET"},
                                           BadLine{"SET F0", "request code and a value"},
                                           BadLine{"SET F00 0000 01", "request code"},
                                           BadLine{"SET F0 00 01", "four hex digits"},
                                           BadLine{"SET F0 0000", "at least one data byte"},
                                           BadLine{"SET F0 0000 0G", "data byte 0"},
                                           BadLine{"SET F0 0000 01 123", "data byte 1"},
                                           BadLine{"GET F0 0000 12 FAIL", "failed GET answers no data"}));

// A simulated printer on its queue, a device to drive it, and a transcript of the cable.
class RecordedCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Printer().Faults().busyPolls = 1;
        ASSERT_TRUE(device.Open(rig.QueueName(), 0, 32));
    }

    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    Transcript transcript;
    RecordingOpener recorder{rig.Opener(), transcript};
    CHeadDevice device{DeviceLinkPlatform{rig.Finder(), recorder, clock, messages, rig.Spooler()}};
};

TEST_F(RecordedCommandTest, SelectPinIsFrameThenOpcodeThenPollsUntilDone) {
    ASSERT_TRUE(device.SelectPin(3));
    EXPECT_EQ(FormatTranscript(transcript), "SET F0 0000 00 00 01 03" + Zeros(28) + "\n" +
                                                "SET F0 0000 78\n" +
                                                "GET F0 0000 78 00 01 03" + Zeros(28) + "\n" +
                                                "GET F0 0000 00 00 01 03" + Zeros(28) + "\n");
    EXPECT_EQ(rig.Printer().State().selectedPin, 3);
}

TEST_F(RecordedCommandTest, ANewFrameCarriesTheLeftoversOfThePreviousReply) {
    rig.Printer().State().adjustments = {1, 2, 3, 4, 5, 6, 7, 8, -1};
    rig.Printer().State().pinCounters[8] = 10000;
    std::array<std::uint16_t, 9> adjustments{};
    ASSERT_TRUE(device.ReadPinAdjustments(adjustments));
    std::uint32_t counter = 0;
    ASSERT_TRUE(device.ReadPinCounter(9, counter));
    EXPECT_EQ(counter, 10000u);

    const std::string adjustmentBytes = " 01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 00 FF FF";
    ASSERT_EQ(transcript.size(), 8u);
    EXPECT_EQ(FormatEntry(transcript[3]), "GET F0 0000 00 20 02 01" + adjustmentBytes + Zeros(10));
    // The counter read's frame overwrites bytes 0-3 only; the adjustments' reply follows it.
    EXPECT_EQ(FormatEntry(transcript[4]), "SET F0 0000 00 40 05 89" + adjustmentBytes + Zeros(10));
    EXPECT_EQ(FormatEntry(transcript[7]), "GET F0 0000 00 40 05 89 10 27 00 00 03 00 04 00 05 00 06 00 07 00 08 00 FF FF" +
                                              Zeros(10));
}

TEST_F(RecordedCommandTest, AFailedRequestIsRecordedAsFailed) {
    rig.Printer().Faults().failSets = SetFailure::StartOnly;
    EXPECT_FALSE(device.MoveHead(4));
    ASSERT_EQ(transcript.size(), 2u);
    EXPECT_EQ(FormatEntry(transcript[1]), "SET F0 0000 78 FAIL");
}

// Plays transcripts back into a fresh device through the same queue and finder.
class ReplayTest : public ::testing::Test {
protected:
    std::unique_ptr<CHeadDevice> DeviceFor(ReplayScript& script) {
        opener = std::make_unique<ReplayOpener>(script);
        auto device = std::make_unique<CHeadDevice>(DeviceLinkPlatform{rig.Finder(), *opener, clock, messages, rig.Spooler()});
        EXPECT_TRUE(device->Open(rig.QueueName(), 0, 32));
        return device;
    }
    static Transcript Parse(const std::string& text) {
        auto parsed = ParseTranscript(text);
        EXPECT_TRUE(parsed.Ok()) << parsed.error->message;
        return parsed.entries;
    }

    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    std::unique_ptr<ReplayOpener> opener;
};

TEST_F(ReplayTest, ARecordingOfTheSimulatorReplaysExactly) {
    Transcript recorded;
    {
        RecordingOpener recorder(rig.Opener(), recorded);
        CHeadDevice live(DeviceLinkPlatform{rig.Finder(), recorder, clock, messages, rig.Spooler()});
        rig.Printer().Faults().busyPolls = 2;
        rig.Printer().State().status = 5;
        ASSERT_TRUE(live.Open(rig.QueueName(), 0, 32));
        ASSERT_EQ(live.GetStatus(), 5);
        ASSERT_TRUE(live.SelectPin(7));
    }
    ReplayScript script(Parse(FormatTranscript(recorded)));
    auto device = DeviceFor(script);
    EXPECT_EQ(device->GetStatus(), 5);
    EXPECT_TRUE(device->SelectPin(7));
    EXPECT_TRUE(script.Finished()) << script.Describe();
}

TEST_F(ReplayTest, TheFirstDifferingRequestIsKeptAndEverythingAfterItFails) {
    ReplayScript script(Parse("SET F0 0000 00 00 01 03" + Zeros(28) + "\nSET F0 0000 78\nGET F0 0000 00" + Zeros(31) + "\n"));
    auto device = DeviceFor(script);
    EXPECT_FALSE(device->SelectPin(4));
    ASSERT_TRUE(script.Mismatch());
    EXPECT_EQ(script.Mismatch()->entryIndex, 0u);
    EXPECT_EQ(script.Mismatch()->expected, "SET F0 0000 00 00 01 03" + Zeros(28));
    EXPECT_EQ(script.Mismatch()->actual, "SET F0 0000 00 00 01 04" + Zeros(28));
    EXPECT_FALSE(device->SelectPin(3)) << "a replay that went wrong stays wrong";
    EXPECT_FALSE(script.Finished());
    EXPECT_THAT(script.Describe(), HasSubstr("request 1"));
}

TEST_F(ReplayTest, RequestsBeyondTheEndAreAMismatch) {
    ReplayScript script(Parse("SET F0 0000 00 00 01 03" + Zeros(28) + "\n"));
    auto device = DeviceFor(script);
    EXPECT_FALSE(device->SelectPin(3));
    ASSERT_TRUE(script.Mismatch());
    EXPECT_EQ(script.Mismatch()->entryIndex, 1u);
    EXPECT_EQ(script.Mismatch()->expected, "end of transcript");
    EXPECT_EQ(script.Mismatch()->actual, "SET F0 0000 78");
}

TEST_F(ReplayTest, FailedGetsInTheTranscriptReadAsBusyUntilAnAnswer) {
    ReplayScript script(Parse("SET F0 0000 00 00 04 04" + Zeros(28) +
                              "\nSET F0 0000 78\nGET F0 0000 FAIL\nGET F0 0000 FAIL\nGET F0 0000 00" + Zeros(31) +
                              "\n"));
    auto device = DeviceFor(script);
    EXPECT_TRUE(device->MoveHead(4));
    EXPECT_TRUE(script.Finished()) << script.Describe();
}

TEST_F(ReplayTest, AGetOfAnotherLengthThanRecordedIsAMismatch) {
    ReplayScript script(Parse("GET F0 0000 00 01\n"));
    ReplayChannel channel(script);
    std::array<std::uint8_t, 35> packet{0xF0, 0x00, 0x00};
    EXPECT_FALSE(channel.VendorGet(packet));
    ASSERT_TRUE(script.Mismatch());
    EXPECT_THAT(script.Mismatch()->actual, HasSubstr("asking for 32 bytes"));
}

TEST_F(ReplayTest, AGetWhereASetWasRecordedIsAMismatch) {
    ReplayScript script(Parse("SET F0 0000 01\n"));
    ReplayChannel channel(script);
    std::array<std::uint8_t, 4> packet{0xF0, 0x00, 0x00, 0x99};
    EXPECT_FALSE(channel.VendorGet(packet));
    ASSERT_TRUE(script.Mismatch());
    EXPECT_EQ(script.Mismatch()->actual, "GET F0 0000");
    EXPECT_EQ(packet[3], 0x99) << "a refused GET answers nothing";
}

// A transcript file kept with the tests: it replays as a regression test, and a fresh
// recording of the simulator still produces it byte for byte.
const std::string kStoredTrace = std::string(ZT40_SOURCE_DIR) + "/tests/platform/transcripts/status-and-selected-pin.trace";

TEST_F(ReplayTest, AStoredTranscriptReplaysAsARegressionTest) {
    const auto stored = LoadTranscript(kStoredTrace);
    ASSERT_TRUE(stored.Ok()) << stored.error->message;
    ReplayScript script(stored.entries);
    auto device = DeviceFor(script);
    EXPECT_EQ(device->GetStatus(), 1);
    EXPECT_EQ(device->ReadSelectedPin(), 5);
    EXPECT_TRUE(script.Finished()) << script.Describe();
}

TEST_F(ReplayTest, TheSimulatorStillRecordsTheStoredTranscript) {
    Transcript recorded;
    RecordingOpener recorder(rig.Opener(), recorded);
    CHeadDevice live(DeviceLinkPlatform{rig.Finder(), recorder, clock, messages, rig.Spooler()});
    rig.Printer().Faults().busyPolls = 1;
    rig.Printer().State().selectedPin = 5;
    ASSERT_TRUE(live.Open(rig.QueueName(), 0, 32));
    ASSERT_EQ(live.GetStatus(), 1);
    ASSERT_EQ(live.ReadSelectedPin(), 5);
    const auto stored = LoadTranscript(kStoredTrace);
    ASSERT_TRUE(stored.Ok());
    EXPECT_EQ(FormatTranscript(recorded), FormatTranscript(stored.entries));
}

TEST(TranscriptFile, AnUnreadableFileIsAnErrorOnLineZero) {
    const auto missing = LoadTranscript("/nonexistent/none.trace");
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.error->line, 0u);
}

}  // namespace
}  // namespace zt40
