#include "app/UsageBar.h"

#include <string>

namespace zt40 {

namespace {

constexpr Rgb kLit[] = {{32, 255, 32}, {255, 255, 32}, {255, 32, 32}};
constexpr Rgb kUnlit[] = {{0, 32, 0}, {32, 32, 0}, {32, 0, 0}};

int Band(int segment) {
    if (segment >= kFirstRedSegment) return 2;
    return segment >= kFirstYellowSegment ? 1 : 0;
}

constexpr std::array<Text, 3> kBandTips{
    ZT40_TR("CPinwardenDlg", "No.%1: %2 - green: in good order"),
    ZT40_TR("CPinwardenDlg", "No.%1: %2 - yellow: plan a change"),
    ZT40_TR("CPinwardenDlg", "No.%1: %2 - red: change to a different pin"),
};

// Digits in groups of three, as the bars' counts are read out.
std::string Grouped(std::int32_t count) {
    const std::string digits = std::to_string(count < 0 ? -static_cast<std::int64_t>(count) : count);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return count < 0 ? "-" + out : out;
}

}  // namespace

Message UsageBarTip(int pin, std::int32_t count) {
    const std::int32_t lit = count / kCountsPerSegment;
    const int band = lit > 0 ? Band(static_cast<int>(lit) - 1) : 0;
    return Message::Of(kBandTips[static_cast<std::size_t>(band)], {std::to_string(pin), Grouped(count)});
}

UsageBar MakeUsageBar(std::int32_t count, const BarRect& marker) {
    UsageBar bar;
    bar.lineLeft = marker.left;
    bar.lineRight = marker.right;
    bar.lineY = marker.top;
    // Truncates towards zero: a negative count lights nothing.
    const std::int32_t lit = count / kCountsPerSegment;
    const int width = (marker.right - marker.left) / kBarSegments;
    for (int k = 0; k < kBarSegments; ++k) {
        auto& segment = bar.segments[static_cast<std::size_t>(k)];
        segment.rect = {marker.left + width * k, marker.top + kSegmentInset, marker.left + width * (k + 1),
                        marker.bottom - kSegmentInset};
        segment.lit = k < lit;
        segment.fill = segment.lit ? kLit[Band(k)] : kUnlit[Band(k)];
    }
    return bar;
}

BarRect UsageBarsFrame(const BarRect& firstMarker, const BarRect& lastMarker) {
    return {firstMarker.left, firstMarker.top, firstMarker.right, lastMarker.bottom};
}

}  // namespace zt40
