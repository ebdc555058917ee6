#include <gtest/gtest.h>

#include "device/CHeadDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ReplayChannel.h"
#include "platform/sim/SimPrinterRig.h"
#include "support/BuildTree.h"

namespace zt40 {
namespace {

// Replays a transcript written by hand from the wire format, in strict order: any byte the
// protocol sends differently, or any extra or missing request, fails the replay.
TEST(StoredTranscript, ProtocolEdgesReplayInStrictOrder) {
    const auto stored = LoadTranscript(std::string(ZT40_SOURCE_DIR) + "/tests/device/protocol-edges.trace");
    ASSERT_TRUE(stored.Ok()) << stored.error->message;
    ReplayScript script(stored.entries);
    ReplayOpener opener(script);
    SimPrinterRig rig;  // only for finding the queue's device path
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CHeadDevice device(DeviceLinkPlatform{rig.Finder(), opener, clock, messages, rig.Spooler()});
    ASSERT_TRUE(device.Open(rig.QueueName(), 0, 32));

    EXPECT_EQ(device.GetStatus(), 1);
    EXPECT_EQ(device.GetStatus(), kStatusUnknown);
    EXPECT_EQ(device.GetStatus(), 5);
    std::uint32_t counter = 0;
    EXPECT_TRUE(device.ReadPinCounter(9, counter));
    EXPECT_EQ(counter, 10000u);
    EXPECT_FALSE(device.MoveHead(4));
    EXPECT_TRUE(script.Finished()) << script.Describe();
}

}  // namespace
}  // namespace zt40
