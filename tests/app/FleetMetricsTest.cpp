// The metrics text: names, labels, escaping, and which series a reading without counters or
// without a forecast leaves out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/FleetMetrics.h"
#include "platform/sim/SimPrinterRig.h"
#include "session/PrinterSession.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"

namespace zt40 {
namespace {

MetricsReading Reading() {
    const UsageCounters counters{2'000'000'000, {1, 2, 3, 4, 5, 6, 7, 8'000'000, 11'000'000}, {4, -2}};
    MetricsReading reading{"ZT4000123", "ZT-40", true, counters, 1'796'947'200, {}};
    reading.forecast.printer = reading.printer;
    reading.forecast.found = true;
    for (std::size_t i = 0; i < reading.forecast.pins.size(); ++i) {
        reading.forecast.pins[i].pin = static_cast<int>(i) + 1;
    }
    reading.forecast.pins[0].daysToYellow = 12;
    reading.forecast.pins[0].daysToRed = 40;
    reading.forecast.pins[8].daysToYellow = 0;
    reading.forecast.pins[8].daysToRed = 0;
    return reading;
}

std::size_t Occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

TEST(FleetMetrics, ReadyReadingHasEverySeries) {
    const std::string text = FormatMetrics(Reading());
    const std::string labels = "printer=\"ZT4000123\",queue=\"ZT-40\"";
    for (const std::string& line : {
             "zt40_ready{" + labels + "} 1\n",
             "zt40_read_timestamp_seconds{" + labels + "} 1796947200\n",
             "zt40_pin_usage{" + labels + ",pin=\"9\"} 11000000\n",
             "zt40_pin_usage{" + labels + ",pin=\"8\"} 8000000\n",
             "zt40_pin_time_to_yellow_seconds{" + labels + ",pin=\"1\"} 1036800\n",
             "zt40_pin_time_to_red_seconds{" + labels + ",pin=\"1\"} 3456000\n",
             "zt40_pin_time_to_red_seconds{" + labels + ",pin=\"9\"} 0\n",
             "zt40_total_usage{" + labels + "} 2000000000\n",
             "zt40_head_usage{" + labels + ",head=\"2\"} -2\n",
         }) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "in\n" << text;
    }
    EXPECT_EQ(Occurrences(text, "zt40_pin_usage{"), 9u);
    EXPECT_EQ(Occurrences(text, "zt40_pin_time_to_yellow_seconds{"), 2u);  // pins without a rate are left out
    EXPECT_EQ(Occurrences(text, "# HELP "), 7u);
    EXPECT_EQ(Occurrences(text, "# TYPE "), 7u);
}

TEST(FleetMetrics, NotReadyReadingSaysOnlyThat) {
    MetricsReading reading;
    reading.queue = "ZT-40";
    reading.readTime = 5;
    EXPECT_EQ(FormatMetrics(reading),
              "# HELP zt40_ready Whether the ZT-40 answered ready and both of its data groups were read (1) or not (0).\n"
              "# TYPE zt40_ready gauge\n"
              "zt40_ready{printer=\"\",queue=\"ZT-40\"} 0\n"
              "# HELP zt40_read_timestamp_seconds When the ZT-40 was read, in seconds since 1970.\n"
              "# TYPE zt40_read_timestamp_seconds gauge\n"
              "zt40_read_timestamp_seconds{printer=\"\",queue=\"ZT-40\"} 5\n");
}

TEST(FleetMetrics, LabelValuesAreEscaped) {
    EXPECT_EQ(PrometheusLabelValue(R"(a"b\c)" "\nd"), R"(a\"b\\c\nd)");
    // A byte outside a UTF-8 character is the Latin-1 character the JSON output names \u00XX.
    const struct {
        std::string in, out;
    } bytes[] = {
        {"hi\xffgh", "hi\xC3\xBFgh"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC"},  // whole characters stay
        {"\xE6\x97", "\xC3\xA6\xC2\x97"},                          // a cut one does not
        {"\xC0\xAF\\", "\xC3\x80\xC2\xAF\\\\"},                     // overlong, then an escape
        {"\x80\"", "\xC2\x80\\\""},
    };
    for (const auto& b : bytes) EXPECT_EQ(PrometheusLabelValue(b.in), b.out) << b.in;
    MetricsReading reading = Reading();
    reading.queue = "line\nbreak \"quoted\"";
    EXPECT_NE(FormatMetrics(reading).find(R"(queue="line\nbreak \"quoted\"")"), std::string::npos);
}

// Ready means both groups were read: a read that fails leaves the reading not ready, with no
// counters to report, also where an earlier read of the same reading had them.
TEST(FleetMetrics, ReadyOnlyOnceBothGroupsWereRead) {
    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    PrinterSession session(rig.Platform(clock, messages), [&clock](std::uint32_t ms) { clock.Advance(ms); },
                           &rig.Report());
    ASSERT_EQ(session.Connect(0).end, ConnectEnd::Ready);
    MetricsReading reading;
    ASSERT_TRUE(ReadGroupsForMetrics(session.Groups(), reading));
    EXPECT_TRUE(reading.ready && reading.counters);
    rig.Printer().Faults().failGets = true;
    EXPECT_FALSE(ReadGroupsForMetrics(session.Groups(), reading));
    EXPECT_FALSE(reading.ready);
    EXPECT_FALSE(reading.counters);
    EXPECT_EQ(FormatMetrics(reading).find("zt40_pin_usage"), std::string::npos);
}

// The exposition format's own checker, where it is installed (scripts/deps.sh installs it).
TEST(FleetMetrics, PassesThePrometheusLinter) {
    if (std::system("command -v promtool >/dev/null 2>&1") != 0) GTEST_SKIP() << "promtool is not installed";
    const auto path = std::filesystem::temp_directory_path() / ("zt40-metrics-" + std::to_string(::getpid()) + ".prom");
    MetricsReading reading = Reading();
    reading.queue = "odd \"queue\"\\name";
    reading.printer = "hi\xffgh";
    std::ofstream(path) << FormatMetrics(reading);
    const int status = std::system(("promtool check metrics < " + path.string() + " 2>&1").c_str());
    std::filesystem::remove(path);
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace zt40
