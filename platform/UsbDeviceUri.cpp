#include "platform/UsbDeviceUri.h"

#include <charconv>

#include "platform/TextCompare.h"

namespace zt40 {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::uint8_t> ParseInterfaceNumber(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

// Splits the query at '&' before decoding, so an escaped '&' inside a serial stays in it.
bool ParseQuery(std::string_view query, UsbDeviceUri& uri) {
    while (!query.empty()) {
        const auto amp = query.find('&');
        const auto item = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        const auto eq = item.find('=');
        const auto key = item.substr(0, eq);
        const auto rawValue = eq == std::string_view::npos ? std::string_view{} : item.substr(eq + 1);
        auto value = PercentDecode(rawValue);
        if (!value) return false;
        if (key == "serial") {
            uri.serial = std::move(*value);
        } else if (key == "interface") {
            uri.interfaceNumber = ParseInterfaceNumber(*value);
            if (!uri.interfaceNumber) return false;
        }
        // Other options the spooler may add do not identify the device.
    }
    return true;
}

}  // namespace

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out.push_back(static_cast<char>((high << 4) | low));
        i += 2;
    }
    return out;
}

std::optional<UsbDeviceUri> ParseUsbDeviceUri(std::string_view uri) {
    constexpr std::string_view kScheme = "usb://";
    if (uri.size() < kScheme.size() || !EqualsIgnoringCase(uri.substr(0, kScheme.size()), kScheme)) {
        return std::nullopt;
    }
    std::string_view rest = uri.substr(kScheme.size());
    const auto question = rest.find('?');
    const std::string_view query = question == std::string_view::npos ? std::string_view{} : rest.substr(question + 1);
    rest = rest.substr(0, question);

    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    // A model may itself hold a '/', which the spooler leaves unescaped: all of the path is the model.
    auto make = PercentDecode(rest.substr(0, slash));
    auto model = PercentDecode(rest.substr(slash + 1));
    if (!make || !model || make->empty() || model->empty()) return std::nullopt;

    UsbDeviceUri parsed;
    parsed.make = std::move(*make);
    parsed.model = std::move(*model);
    if (!ParseQuery(query, parsed)) return std::nullopt;
    return parsed;
}

}  // namespace zt40
