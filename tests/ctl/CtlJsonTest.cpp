// Output for scripts: the keys and value types that `--json` promises.
#include <gtest/gtest.h>

#include <string>

#include "ctl/Json.h"
#include "platform/TextOutput.h"
#include "tests/support/CtlProgram.h"

namespace zt40::testing {
namespace {

TEST(CtlJsonText, EscapesWhatWouldBreakTheDocument) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\queue", "\"C:\\\\queue\""},
        {std::string("a\0b", 3), "\"a\\u0000b\""},
        {"\n\t\x1b", "\"\\u000a\\u0009\\u001b\""},
        {"Zürich", "\"Zürich\""},  // UTF-8 stays as it is
        {"", "\"\""},
        // Whatever is not well-formed UTF-8 becomes \u00XX, byte by byte, so the document stays valid.
        {"lat\xe9", "\"lat\\u00e9\""},                         // a Latin-1 byte
        {"\xe3\x83", "\"\\u00e3\\u0083\""},                     // a sequence cut short
        {"\xe3\x83\x97", "\"\xe3\x83\x97\""},                    // the same sequence whole
        {"\xc0\xaf", "\"\\u00c0\\u00af\""},                     // an overlong '/'
        {"\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""},          // a surrogate
        {"\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},  // above U+10FFFF
        {"\xf0\x9f\x96\xa8", "\"\xf0\x9f\x96\xa8\""},               // a four-byte character
        {"\x80" "a", "\"\\u0080a\""},                         // a stray continuation byte
        {"\x7f", "\"\\u007f\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.in), c.out) << c.out;
}

using CtlJsonTest = CtlProgramTest;

TEST_F(CtlJsonTest, QueuesAsOneObjectWithNumbersAndBooleans) {
    const auto run = Ctl("--simulate queues --json", 10);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"queues\":[{\"name\":\"ZT-40\",\"driver\":\"Velmora ZT-40\",\"port\":\"USB://Velmora/ZT-40?serial=SIM0001\","
              "\"attributes\":0,\"offline\":false,\"network\":false,\"usable\":true}]}\n");
}

TEST_F(CtlJsonTest, AnUnpluggedPrinterShowsItsQueueOffline) {
    const auto run = Ctl("--simulate=" + StateFile("fault = unplugged\n") + " queues --json", 10);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("\"attributes\":1024,\"offline\":true,\"network\":false,\"usable\":false"), std::string::npos)
        << run.out;
}

TEST_F(CtlJsonTest, StatusAsOneObjectWithSignedNumbers) {
    const auto state = StateFile(
        "status = 1\nword_pair = -12 34\nselected_pin = 5\nadjustments = -4 -3 -2 -1 0 1 2 3 4\ntotal = 123456\n"
        "pin_counters = 1 2 3 4 5 6 7 8 9\nhead_counters = 3 -1\n");
    const auto run = Ctl("--simulate=" + state + " status --json", 10);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"queue\":\"ZT-40\",\"status\":1,\"ready\":true,\"wordPair\":[-12,34],\"selectedPin\":5,"
              "\"adjustments\":[-4,-3,-2,-1,0,1,2,3,4],\"total\":123456,\"pinCounters\":[1,2,3,4,5,6,7,8,9],"
              "\"headCounters\":[3,-1]}\n");
}

TEST_F(CtlJsonTest, AFailedStatusPrintsNoDocument) {
    const auto run = Ctl("--simulate=" + StateFile("fault = error:5\n") + " status --json", 10);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
}

TEST_F(CtlJsonTest, AnythingElseAfterQueuesIsAUsageError) {
    const auto run = Ctl("--simulate queues --jason", 10);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace zt40::testing
