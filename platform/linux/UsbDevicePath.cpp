#include "platform/linux/UsbDevicePath.h"

#include <charconv>
#include <cstdio>

#include "platform/UsbDeviceUri.h"

namespace zt40 {

namespace {

constexpr std::string_view kPrefix = "usb:";
constexpr std::string_view kSerialKey = "serial=";
constexpr std::string_view kPortKey = "port=";
constexpr std::size_t kMaxPortDepth = 7;  // USB allows at most seven tiers below the root

bool IsUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string EscapeSerial(std::string_view serial) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : serial) {
        if (IsUnreserved(c)) {
            out.push_back(c);
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        }
    }
    return out;
}

template <typename T>
std::optional<T> ParseNumber(std::string_view text, int base, T max) {
    unsigned value = 0;
    if (text.empty()) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || value > max) return std::nullopt;
    return static_cast<T>(value);
}

// Exactly four hex digits, as FormatDevicePath writes them.
std::optional<std::uint16_t> ParseId(std::string_view text) {
    if (text.size() != 4) return std::nullopt;
    return ParseNumber<std::uint16_t>(text, 16, 0xFFFF);
}

bool ParseLocation(std::string_view text, UsbDevicePath& path) {
    const auto dash = text.find('-');
    if (dash == std::string_view::npos) return false;
    const auto bus = ParseNumber<std::uint8_t>(text.substr(0, dash), 10, 255);
    if (!bus || *bus == 0) return false;
    path.busNumber = *bus;
    std::string_view ports = text.substr(dash + 1);
    while (true) {
        const auto dot = ports.find('.');
        const auto port = ParseNumber<std::uint8_t>(ports.substr(0, dot), 10, 255);
        if (!port || *port == 0 || path.portChain.size() == kMaxPortDepth) return false;
        path.portChain.push_back(*port);
        if (dot == std::string_view::npos) return true;
        ports = ports.substr(dot + 1);
    }
}

}  // namespace

UsbDevicePath DevicePathOf(const UsbDeviceRecord& device) {
    UsbDevicePath path;
    path.vendorId = device.vendorId;
    path.productId = device.productId;
    if (!device.serial.empty()) {
        path.serial = device.serial;
    } else {
        path.busNumber = device.busNumber;
        path.portChain = device.portChain;
    }
    return path;
}

std::string FormatPortLocation(std::uint8_t busNumber, const std::vector<std::uint8_t>& portChain) {
    std::string text = std::to_string(busNumber) + "-";
    for (std::size_t i = 0; i < portChain.size(); ++i) {
        if (i != 0) text.push_back('.');
        text += std::to_string(portChain[i]);
    }
    return text;
}

std::string FormatDevicePath(const UsbDevicePath& path) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x:", static_cast<unsigned>(path.vendorId),
                  static_cast<unsigned>(path.productId));
    std::string text = std::string(kPrefix) + ids;
    if (!path.serial.empty()) return text + std::string(kSerialKey) + EscapeSerial(path.serial);
    return text + std::string(kPortKey) + FormatPortLocation(path.busNumber, path.portChain);
}

std::optional<UsbDevicePath> ParseDevicePath(std::string_view text) {
    if (!text.starts_with(kPrefix)) return std::nullopt;
    text.remove_prefix(kPrefix.size());
    // VVVV:PPPP: is ten characters.
    if (text.size() < 10 || text[4] != ':' || text[9] != ':') return std::nullopt;
    const auto vendor = ParseId(text.substr(0, 4));
    const auto product = ParseId(text.substr(5, 4));
    if (!vendor || !product) return std::nullopt;
    UsbDevicePath path;
    path.vendorId = *vendor;
    path.productId = *product;
    text.remove_prefix(10);

    if (text.starts_with(kSerialKey)) {
        auto serial = PercentDecode(text.substr(kSerialKey.size()));
        if (!serial || serial->empty()) return std::nullopt;
        path.serial = std::move(*serial);
        return path;
    }
    if (text.starts_with(kPortKey) && ParseLocation(text.substr(kPortKey.size()), path)) return path;
    return std::nullopt;
}

bool IsSameDevice(const UsbDevicePath& path, const UsbDeviceRecord& device) {
    if (path.vendorId != device.vendorId || path.productId != device.productId) return false;
    if (!path.serial.empty()) return path.serial == device.serial;
    return path.busNumber == device.busNumber && path.portChain == device.portChain;
}

}  // namespace zt40
