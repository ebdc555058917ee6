// State files: what a good file sets, how bad lines are reported, and that the shipped
// examples load.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/SimulatedZt40.h"
#include "platform/sim/Zt40StateFile.h"
#include "support/BuildTree.h"

namespace zt40 {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(Zt40StateFileParse, AFullFileSetsEveryField) {
    const auto result = ParseStateFile(R"(# a comment line
serial        = ZT40-A_1.2
status        = 0x0005
word_pair     = -199 199       # trailing comment
selected_pin  = 255
adjustments   = -32768 0 0 0 0 0 0 0 32767
total         = -2147483648
pin_counters  = 1, 2, 3, 4, 5, 6, 7, 8, 0x7FFFFFFF
head_counters = -1 0x10
head_flag     = 1
head_position = 4
busy_polls    = 7
not_ready_reads  = 3
not_ready_status = 0x0003
fault         = error:0x05
)");
    ASSERT_TRUE(result.Ok()) << DescribeErrors("text", result.errors);
    const auto& setup = result.setup;
    EXPECT_EQ(setup.serial, "ZT40-A_1.2");
    EXPECT_EQ(setup.state.status, 5);
    EXPECT_THAT(setup.state.wordPair, ElementsAre(-199, 199));
    EXPECT_EQ(setup.state.selectedPin, 255);
    EXPECT_THAT(setup.state.adjustments, ElementsAre(-32768, 0, 0, 0, 0, 0, 0, 0, 32767));
    EXPECT_EQ(setup.state.total, INT32_MIN);
    EXPECT_THAT(setup.state.pinCounters, ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, INT32_MAX));
    EXPECT_THAT(setup.state.headCounters, ElementsAre(-1, 16));
    EXPECT_TRUE(setup.state.headFlag);
    EXPECT_EQ(setup.state.headPosition, 4);
    EXPECT_EQ(setup.faults.busyPolls, 7u);
    EXPECT_EQ(setup.notReadyReads, 3u);
    EXPECT_EQ(setup.notReadyStatus, 3);
    EXPECT_EQ(setup.faults.errorState, 0x05);
}

TEST(Zt40StateFileParse, AnEmptyFileIsAReadyFaultFreePrinter) {
    const auto result = ParseStateFile("\n   \n# nothing\r\n");
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.setup.serial, kDefaultSimSerial);
    EXPECT_EQ(result.setup.state, Zt40State{});
    EXPECT_TRUE(result.setup.plugged);
    EXPECT_TRUE(result.setup.powered);
    EXPECT_FALSE(result.setup.faults.neverFinish);
    EXPECT_FALSE(result.setup.faults.errorState);
}

TEST(Zt40StateFileParse, FaultWords) {
    EXPECT_FALSE(ParseStateFile("fault = unplugged").setup.plugged);
    EXPECT_FALSE(ParseStateFile("fault = off").setup.powered);
    EXPECT_TRUE(ParseStateFile("fault = never_finish").setup.faults.neverFinish);
    EXPECT_EQ(ParseStateFile("fault = error:2").setup.faults.errorState, 2);
    const auto none = ParseStateFile("fault = none\r\n");
    EXPECT_TRUE(none.Ok());
    EXPECT_TRUE(none.setup.plugged);
}

TEST(Zt40StateFileErrors, EveryBadLineIsReportedWithItsNumberAndTheGoodOnesStillApply) {
    const auto result = ParseStateFile(
        "selected_pin = 3\n"                       // 1 good
        "status = 0x10000\n"                       // 2 too big for 16 bits
        "adjustments = 1 2 3\n"                    // 3 too few
        "colour = red\n"                           // 4 unknown key
        "word_pair 1 2\n"                          // 5 no '='
        "\n"                                       // 6 blank
        "word_pair = 1 zwei\n"                     // 7 not a number
        "selected_pin = 4\n"                       // 8 given twice
        "head_counters = -32769 0\n"               // 9 too small for 16 bits
        "fault = melted\n"                         // 10 unknown fault
        "fault = error:0\n"                        // 11 given twice (and 0 would read as success)
        "serial = two words\n"                     // 12 bad serial
        "head_flag = 2\n"                          // 13 not 0 or 1
        "total = 99999999999999999999999\n"        // 14 beyond any integer
        "busy_polls = -1\n");                      // 15 unsigned
    EXPECT_FALSE(result.Ok());
    std::vector<std::size_t> lines;
    for (const auto& error : result.errors) lines.push_back(error.line);
    EXPECT_THAT(lines, ElementsAre(2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15));
    EXPECT_THAT(result.errors[0].message, HasSubstr("out of range (0 to 65535)"));
    EXPECT_THAT(result.errors[1].message, HasSubstr("needs 9 numbers, found 3"));
    EXPECT_THAT(result.errors[2].message, HasSubstr("unknown key \"colour\""));
    EXPECT_THAT(result.errors[3].message, HasSubstr("key = value"));
    EXPECT_THAT(result.errors[4].message, HasSubstr("\"zwei\" is not a number"));
    EXPECT_THAT(result.errors[5].message, HasSubstr("given twice"));
    EXPECT_THAT(result.errors[6].message, HasSubstr("-32769 is out of range (-32768 to 32767)"));
    EXPECT_THAT(result.errors[7].message, HasSubstr("melted"));
    EXPECT_THAT(result.errors[11].message, HasSubstr("out of range"));
    EXPECT_EQ(result.setup.state.selectedPin, 3) << "the first, good line applied";
}

TEST(Zt40StateFileErrors, ErrorStatesThatWouldReadAsSuccessOrBusyAreRefused) {
    for (const char* value : {"0", "0x01", "0x40", "0x64", "0x78", "256", "-1", "x"}) {
        const auto result = ParseStateFile(std::string("fault = error:") + value);
        ASSERT_EQ(result.errors.size(), 1u) << value;
        EXPECT_EQ(result.errors[0].line, 1u);
    }
}

TEST(Zt40StateFileErrors, DescribeNamesTheSourceAndLine) {
    const auto result = ParseStateFile("\nbogus = 1\n");
    EXPECT_EQ(DescribeErrors("a.zt40sim", result.errors), "a.zt40sim:2: unknown key \"bogus\"\n");
    const auto missing = LoadStateFile("/nonexistent/dir/none.zt40sim");
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].line, 0u);
    EXPECT_EQ(DescribeErrors("none.zt40sim", missing.errors), "none.zt40sim: cannot read the file: No such file or directory\n");
}

class ShippedExample : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedExample, LoadsWithoutErrors) {
    const auto result = LoadStateFile(std::string(ZT40_SOURCE_DIR) + "/platform/sim/examples/" + GetParam());
    EXPECT_TRUE(result.Ok()) << DescribeErrors(GetParam(), result.errors);
    EXPECT_NE(result.setup.serial, kDefaultSimSerial) << "each example names its own printer";
}

INSTANTIATE_TEST_SUITE_P(Examples, ShippedExample,
                         ::testing::Values("worn-pins.zt40sim", "out-of-range.zt40sim", "faulty.zt40sim"));

TEST(Zt40StateFileApply, GivesThePrinterStateFaultsReadinessCableAndPower) {
    auto result = ParseStateFile("selected_pin = 7\nbusy_polls = 2\nnot_ready_reads = 4\nfault = off\n");
    ASSERT_TRUE(result.Ok());
    SimulatedZt40 printer("X");
    std::vector<SimEvent> events;
    printer.Subscribe([&](SimEvent e) { events.push_back(e); });
    ApplySetup(printer, result.setup);
    EXPECT_EQ(printer.State().selectedPin, 7);
    EXPECT_EQ(printer.Faults().busyPolls, 2u);
    EXPECT_EQ(printer.Firmware().NotReadyReadsLeft(), 4u);
    EXPECT_FALSE(printer.IsPowered());
    EXPECT_TRUE(printer.IsPlugged());
    EXPECT_THAT(events, ElementsAre(SimEvent::PoweredOff));
}

}  // namespace
}  // namespace zt40
