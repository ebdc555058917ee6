#pragma once
// One printer's reading in the Prometheus text format, for a node exporter's textfile folder:
// a plant's dashboard shows every marking station's wear side by side.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/WearForecast.h"
#include "session/GroupGateway.h"

namespace zt40 {

struct MetricsReading {
    std::string printer;  // the sample's printer name; empty when the printer could not be opened
    std::string queue;
    bool ready = false;  // both groups were read
    std::optional<UsageCounters> counters;
    std::int64_t readTime = 0;  // seconds since 1970
    WearForecast forecast;      // of `printer`, the reading's sample included
};

// Reads both groups into `reading`: ready, with the counters, only when both were read; a
// reading that failed half-way keeps neither.
bool ReadGroupsForMetrics(GroupGateway& groups, MetricsReading& reading);

// A label value with backslash, quote and line feed escaped as the format asks, and valid
// UTF-8: a byte that is not part of a UTF-8 character is taken as Latin-1.
std::string PrometheusLabelValue(std::string_view value);

// Every series with its HELP and TYPE lines. Counts are integers; a pin without a forecast has
// no time-to-band series. The format's linter wants base units, so the whole days of the
// forecast go out as seconds (days x 86,400), and no name may end in "_count" or say
// "counter": the counters are "usage".
std::string FormatMetrics(const MetricsReading& reading);

}  // namespace zt40
