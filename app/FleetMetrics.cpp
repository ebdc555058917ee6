#include "app/FleetMetrics.h"

#include <vector>

#include "platform/TextOutput.h"

namespace zt40 {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;

struct Series {
    std::string labels;  // without braces
    std::int64_t value = 0;
};

void AddFamily(std::string& out, std::string_view name, std::string_view help, const std::vector<Series>& series) {
    if (series.empty()) return;
    out += "# HELP " + std::string(name) + ' ' + std::string(help) + '\n';
    out += "# TYPE " + std::string(name) + " gauge\n";
    for (const auto& one : series) {
        out += std::string(name) + '{' + one.labels + "} " + std::to_string(one.value) + '\n';
    }
}

}  // namespace

bool ReadGroupsForMetrics(GroupGateway& groups, MetricsReading& reading) {
    PinSettings settings;
    UsageCounters counters;
    reading.ready = false;
    reading.counters.reset();
    if (!groups.ReadBoth(settings, counters).Ok()) return false;
    reading.ready = true;
    reading.counters = counters;
    return true;
}

std::string PrometheusLabelValue(std::string_view value) {
    std::string out;
    for (std::size_t at = 0; at < value.size();) {
        const char c = value[at];
        if (const std::size_t length = Utf8SequenceAt(value, at); length > 1) {
            out.append(value.substr(at, length));
            at += length;
            continue;
        }
        ++at;
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '"') {
            out += "\\\"";
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            // Not part of a UTF-8 character: the byte read as Latin-1, as the JSON output's
            // \u00XX names it, so that the scraper gets valid UTF-8 and the same name.
            const auto byte = static_cast<unsigned char>(c);
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string FormatMetrics(const MetricsReading& reading) {
    const std::string printer =
        "printer=\"" + PrometheusLabelValue(reading.printer) + "\",queue=\"" + PrometheusLabelValue(reading.queue) + '"';
    auto pinLabels = [&printer](int pin) { return printer + ",pin=\"" + std::to_string(pin) + '"'; };

    std::string out;
    AddFamily(out, "zt40_ready", "Whether the ZT-40 answered ready and both of its data groups were read (1) or not (0).",
              {{printer, reading.ready ? 1 : 0}});
    AddFamily(out, "zt40_read_timestamp_seconds", "When the ZT-40 was read, in seconds since 1970.",
              {{printer, reading.readTime}});
    if (!reading.counters) return out;
    const UsageCounters& counters = *reading.counters;

    std::vector<Series> pins, toYellow, toRed, heads;
    for (std::size_t i = 0; i < counters.PinCounter.size(); ++i) {
        const int pin = static_cast<int>(i) + kFirstPin;
        pins.push_back({pinLabels(pin), counters.PinCounter[i]});
        const auto& forecast = reading.forecast.pins[i];
        if (forecast.daysToYellow) toYellow.push_back({pinLabels(pin), *forecast.daysToYellow * kSecondsPerDay});
        if (forecast.daysToRed) toRed.push_back({pinLabels(pin), *forecast.daysToRed * kSecondsPerDay});
    }
    for (std::size_t i = 0; i < counters.HeadCounters.size(); ++i) {
        heads.push_back({printer + ",head=\"" + std::to_string(i + 1) + '"', counters.HeadCounters[i]});
    }
    AddFamily(out, "zt40_pin_usage", "The marking pin's usage counter as read from the ZT-40.", pins);
    AddFamily(out, "zt40_pin_time_to_yellow_seconds",
              "Whole days until the pin's counter reaches the yellow band at its rate over the last 30 days, "
              "as seconds; 0 when it is there; absent without a rising rate.",
              toYellow);
    AddFamily(out, "zt40_pin_time_to_red_seconds",
              "Whole days until the pin's counter reaches the red band (change the marking pin) at its rate over "
              "the last 30 days, as seconds; 0 when it is there; absent without a rising rate.",
              toRed);
    AddFamily(out, "zt40_total_usage", "The ZT-40's total usage counter as read.", {{printer, counters.TotalCounter}});
    AddFamily(out, "zt40_head_usage", "The ZT-40's two head counters as read; a head replacement raises each by one.", heads);
    return out;
}

}  // namespace zt40
