// Every device command against every way the printer or its cable can fail: each returns
// its failure value, changes nothing on the printer, and ends within the time-out of a
// fake clock, so nothing ever waits for real.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>

#include "device/CHeadDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"

namespace zt40 {
namespace {

// Distinct values everywhere, so a read that answers from the wrong place shows.
Zt40State MatrixState() {
    Zt40State state;
    state.status = 1;
    state.wordPair = {-12, 34};
    state.selectedPin = 5;
    state.adjustments = {-4, -3, -2, -1, 0, 1, 2, 3, 4};
    state.total = 123456;
    state.pinCounters = {10001, 20002, 30003, 40004, 50005, 60006, 70007, 80008, 90009};
    state.headCounters = {3, -1};
    state.headPosition = 0;
    return state;
}

// One device command. `run` gives 1 for a success with the expected result, `failure` for
// the command's own failure value, anything else for a wrong answer.
struct DeviceCommand {
    const char* name;
    std::function<std::int64_t(CHeadDevice&)> run;
    std::int64_t failure;
    std::function<bool(const Zt40State&)> applied;  // writes: the printer shows the new value
};

using U16x9 = std::array<std::uint16_t, kPinCount>;
using U16x2 = std::array<std::uint16_t, 2>;

std::int64_t Checked(bool ok, bool valuesAsExpected) { return !ok ? 0 : valuesAsExpected ? 1 : 2; }

const std::array<DeviceCommand, 16> kCommands = {{
    {"GetStatus", [](CHeadDevice& d) -> std::int64_t { return d.GetStatus(); }, kStatusUnknown, nullptr},
    {"SetHeadFlag", [](CHeadDevice& d) -> std::int64_t { return d.SetHeadFlag(true); }, 0,
     [](const Zt40State& s) { return s.headFlag; }},
    {"SelectPin", [](CHeadDevice& d) -> std::int64_t { return d.SelectPin(3); }, 0,
     [](const Zt40State& s) { return s.selectedPin == 3; }},
    {"ReadPinAdjustments",
     [](CHeadDevice& d) {
         U16x9 values{};
         const bool ok = d.ReadPinAdjustments(values);
         return Checked(ok, values[0] == 0xFFFC && values[8] == 4);
     },
     0, nullptr},
    {"WritePinAdjustments",
     [](CHeadDevice& d) -> std::int64_t {
         const U16x9 values{9, 8, 7, 6, 5, 4, 3, 2, 1};
         return d.WritePinAdjustments(values);
     },
     0, [](const Zt40State& s) { return s.adjustments[0] == 9 && s.adjustments[8] == 1; }},
    {"ReadWordPair",
     [](CHeadDevice& d) {
         U16x2 values{};
         const bool ok = d.ReadWordPair(values);
         return Checked(ok, values[0] == 0xFFF4 && values[1] == 34);
     },
     0, nullptr},
    {"WriteWordPair",
     [](CHeadDevice& d) -> std::int64_t {
         const U16x2 values{100, 0xFF9C};
         return d.WriteWordPair(values);
     },
     0, [](const Zt40State& s) { return s.wordPair[0] == 100 && s.wordPair[1] == -100; }},
    {"MoveHead", [](CHeadDevice& d) -> std::int64_t { return d.MoveHead(4); }, 0,
     [](const Zt40State& s) { return s.headPosition == 4; }},
    {"ReadPinCounter",
     [](CHeadDevice& d) {
         std::uint32_t value = 0;
         const bool ok = d.ReadPinCounter(9, value);
         return Checked(ok, value == 90009);
     },
     0, nullptr},
    {"WritePinCounter", [](CHeadDevice& d) -> std::int64_t { return d.WritePinCounter(9, 0); }, 0,
     [](const Zt40State& s) { return s.pinCounters[8] == 0; }},
    {"ReadTotalCounter",
     [](CHeadDevice& d) {
         std::uint32_t value = 0;
         const bool ok = d.ReadTotalCounter(value);
         return Checked(ok, value == 123456);
     },
     0, nullptr},
    {"WriteTotalCounter", [](CHeadDevice& d) -> std::int64_t { return d.WriteTotalCounter(7); }, 0,
     [](const Zt40State& s) { return s.total == 7; }},
    {"ReadHeadCounters",
     [](CHeadDevice& d) -> std::int64_t {
         U16x2 values{11, 22};
         if (!d.ReadHeadCounters(values)) return values == U16x2{11, 22} ? 0 : 3;  // untouched on failure
         return values == U16x2{3, 0xFFFF} ? 1 : 2;
     },
     0, nullptr},
    {"WriteHeadCounters",
     [](CHeadDevice& d) -> std::int64_t {
         const U16x2 values{4, 0};
         return d.WriteHeadCounters(values);
     },
     0, [](const Zt40State& s) { return s.headCounters[0] == 4 && s.headCounters[1] == 0; }},
    {"ReadSelectedPin",
     [](CHeadDevice& d) -> std::int64_t {
         const int pin = d.ReadSelectedPin();
         return pin < 0 ? pin : pin == 5 ? 1 : 2;
     },
     -1, nullptr},
    {"SendMotionBlock",
     [](CHeadDevice& d) -> std::int64_t {
         const std::array<std::int32_t, 2> values{-416, 3333};
         return d.SendMotionBlock(values, 0xFFFF);
     },
     0, [](const Zt40State& s) { return s.motionBlocks.size() == 1 && s.motionBlocks[0].values[0] == -416; }},
}};

void PrintTo(const DeviceCommand& command, std::ostream* out) { *out << command.name; }

enum class Ends { AtOnce, AfterTimeOut };

struct Fault {
    const char* name;
    std::function<void(SimPrinterRig&, CHeadDevice&)> inject;  // after the device was opened
    Ends ends;
    bool polls;  // whether any GET of the command reaches the printer
};

const std::array<Fault, 10> kFaults = {{
    {"EverySetFails", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Faults().failSets = SetFailure::Every; },
     Ends::AtOnce, false},
    {"FrameSetFails", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Faults().failSets = SetFailure::FrameOnly; },
     Ends::AtOnce, false},
    {"StartSetFails", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Faults().failSets = SetFailure::StartOnly; },
     Ends::AtOnce, false},
    {"GetFails", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Faults().failGets = true; }, Ends::AfterTimeOut,
     false},
    {"ErrorState", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Faults().errorState = 0x05; }, Ends::AtOnce, true},
    {"NeverFinishes", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Faults().neverFinish = true; },
     Ends::AfterTimeOut, true},
    {"UnpluggedBetweenPolls",
     [](SimPrinterRig& r, CHeadDevice&) {
         r.Printer().Faults().busyPolls = 3;
         r.Printer().Faults().unplugAfterPolls = 1;
     },
     Ends::AtOnce, true},
    {"UnpluggedBefore", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().Unplug(); }, Ends::AtOnce, false},
    {"SwitchedOff", [](SimPrinterRig& r, CHeadDevice&) { r.Printer().PowerOff(); }, Ends::AtOnce, false},
    {"PortClosed", [](SimPrinterRig&, CHeadDevice& d) { ASSERT_TRUE(d.Close()); }, Ends::AtOnce, false},
}};

void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

constexpr std::uint32_t kStepMs = 7;
constexpr std::uint32_t kStartMs = 0xFFFFF000u;  // the time-out must survive the tick wrapping

constexpr std::uint32_t kBusyPolls = 2;
// Reading the clock around each request, and the rest after each busy reply.
constexpr std::uint32_t kAtOnceMs = 4 * kStepMs + kBusyPolls * kBusyPollPauseMs;

SimPrinterSetup MatrixSetup() {
    SimPrinterSetup setup;
    setup.state = MatrixState();
    setup.faults.busyPolls = kBusyPolls;
    return setup;
}

// A fresh printer and device per case; the clock moves on by a fixed step each reading.
class DeviceUnderFault {
public:
    DeviceUnderFault() { opened = device.Open(rig.QueueName(), 0, 32); }

    SimPrinterRig rig{MatrixSetup()};
    FakeClock clock{kStartMs, kStepMs};
    RecordingMessageBox messages;
    CHeadDevice device{rig.Platform(clock, messages)};
    bool opened = false;
};

class FaultMatrix : public ::testing::TestWithParam<std::tuple<DeviceCommand, Fault>> {};

TEST_P(FaultMatrix, ReturnsItsFailureValueChangesNothingAndEnds) {
    const auto& [command, fault] = GetParam();
    DeviceUnderFault bench;
    ASSERT_TRUE(bench.opened);
    fault.inject(bench.rig, bench.device);
    const auto before = bench.rig.Printer().State();
    const auto getsBefore = bench.rig.Printer().GetsReceived();
    const std::uint32_t start = bench.clock.Peek();
    const auto realStart = std::chrono::steady_clock::now();

    EXPECT_EQ(command.run(bench.device), command.failure);

    const std::uint32_t elapsed = bench.clock.Peek() - start;
    if (fault.ends == Ends::AfterTimeOut) {
        EXPECT_GT(elapsed, kTransactionTimeoutMs);
        EXPECT_LE(elapsed, kTransactionTimeoutMs + 3 * kStepMs);
    } else {
        EXPECT_LE(elapsed, kAtOnceMs) << "ends at once, without waiting for the time-out";
    }
    EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(2)) << "no real waiting";
    EXPECT_EQ(bench.rig.Printer().GetsReceived() > getsBefore, fault.polls);
    EXPECT_EQ(bench.rig.Printer().State(), before) << "a failed command changes nothing on the printer";
    EXPECT_TRUE(bench.messages.ShownBoxes().empty()) << "device failures are silent";
}

// The same commands without a fault: each succeeds with the right values, so the failures
// above are the faults' doing.
class FaultFree : public ::testing::TestWithParam<DeviceCommand> {};

TEST_P(FaultFree, SucceedsAndTakesEffect) {
    const auto& command = GetParam();
    DeviceUnderFault bench;
    ASSERT_TRUE(bench.opened);
    EXPECT_EQ(command.run(bench.device), 1);
    if (command.applied) {
        EXPECT_TRUE(command.applied(bench.rig.Printer().State()));
    }
    EXPECT_EQ(bench.rig.Printer().GetsReceived(), 3u) << "two busy polls, then the answer";
}

// After each fault the device recovers once the printer is well again: nothing stays stuck
// in the packet or the port.
TEST_P(FaultMatrix, TheNextCommandSucceedsOnceThePrinterIsWellAgain) {
    const auto& [command, fault] = GetParam();
    DeviceUnderFault bench;
    ASSERT_TRUE(bench.opened);
    fault.inject(bench.rig, bench.device);
    command.run(bench.device);

    bench.rig.Printer().Faults() = Zt40Faults{};
    bench.rig.Printer().Plug();
    bench.rig.Printer().PowerOn();
    if (!bench.device.Port().IsHandleValid()) {
        bench.device.Close();
        ASSERT_TRUE(bench.device.Open(bench.rig.QueueName(), 0, 32));
    }
    EXPECT_EQ(command.run(bench.device), 1);
}

std::string CommandName(const ::testing::TestParamInfo<DeviceCommand>& param) { return param.param.name; }

std::string CaseName(const ::testing::TestParamInfo<std::tuple<DeviceCommand, Fault>>& param) {
    return std::string(std::get<0>(param.param).name) + "_" + std::get<1>(param.param).name;
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultFree, ::testing::ValuesIn(kCommands), CommandName);
INSTANTIATE_TEST_SUITE_P(AllCommands, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kCommands), ::testing::ValuesIn(kFaults)), CaseName);

}  // namespace
}  // namespace zt40
