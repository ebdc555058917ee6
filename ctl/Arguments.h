#pragma once
// Numbers as zt40ctl's arguments take them: plain decimal digits, no sign, no leading zero,
// so that "03" or "0152" is refused rather than read as something the user may not have meant.
#include <charconv>
#include <optional>
#include <string_view>

namespace zt40::ctl {

inline std::optional<int> ParseDecimal(std::string_view text, int lowest, int highest) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0')) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

}  // namespace zt40::ctl
