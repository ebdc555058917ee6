#include "platform/linux/Ieee1284DeviceId.h"

#include <initializer_list>
#include <vector>

#include "platform/TextCompare.h"
#include "platform/linux/InterfaceClaim.h"

namespace zt40 {

namespace {

constexpr std::uint8_t kGetDeviceIdRequestType = 0xA1;  // device to host, class, interface
constexpr std::uint8_t kGetDeviceIdRequest = 0;
constexpr unsigned kDeviceIdTimeoutMs = 1000;
// Two length bytes plus the shortest useful text, "MFG:x;MDL:y;".
constexpr std::size_t kShortestDeviceId = 14;

// Lower number, better key: a long key outranks its abbreviation.
int Rank(std::string_view key, std::initializer_list<std::string_view> keys) {
    int rank = 0;
    for (const auto candidate : keys) {
        if (EqualsIgnoringCase(key, candidate)) return rank;
        ++rank;
    }
    return -1;
}

void Offer(std::string& field, int& fieldRank, int rank, std::string_view value) {
    if (rank < 0 || (fieldRank >= 0 && rank >= fieldRank)) return;
    field = std::string(value);
    fieldRank = rank;
}

}  // namespace

PrinterIdentity ParseIeee1284Id(std::string_view deviceId) {
    PrinterIdentity identity;
    int makeRank = -1;
    int modelRank = -1;
    int serialRank = -1;
    while (!deviceId.empty()) {
        const auto semicolon = deviceId.find(';');
        const auto item = deviceId.substr(0, semicolon);
        deviceId = semicolon == std::string_view::npos ? std::string_view{} : deviceId.substr(semicolon + 1);
        const auto colon = item.find(':');
        if (colon == std::string_view::npos) continue;
        const auto key = Trim(item.substr(0, colon));
        const auto value = Trim(item.substr(colon + 1));
        Offer(identity.make, makeRank, Rank(key, {"MANUFACTURER", "MFG"}), value);
        Offer(identity.model, modelRank, Rank(key, {"MODEL", "MDL"}), value);
        Offer(identity.serial, serialRank, Rank(key, {"SERIALNUMBER", "SERN", "SN"}), value);
    }
    return identity;
}

std::optional<std::string> DeviceIdFromReply(std::span<const std::uint8_t> reply) {
    if (reply.size() < kShortestDeviceId) return std::nullopt;
    std::size_t length = static_cast<std::size_t>(reply[0] << 8 | reply[1]);
    if (length > reply.size() || length < kShortestDeviceId) {
        length = static_cast<std::size_t>(reply[1] << 8 | reply[0]);
    }
    if (length > reply.size()) length = reply.size();
    if (length < kShortestDeviceId) return std::nullopt;

    std::string text;
    text.reserve(length - 2);
    for (const auto byte : reply.subspan(2, length - 2)) {
        const char c = static_cast<char>(byte);
        if (c == '\0') break;  // some devices pad the ID with zeros
        if (c == '\t' || c == '\r' || c == '\n') {
            text.push_back(' ');
        } else if (byte < 0x20 || byte == 0x7F) {
            return std::nullopt;
        } else {
            text.push_back(c);
        }
    }
    return text;
}

UsbDeviceIdResult RequestIeee1284DeviceId(IUsbDeviceHandle& handle, std::uint8_t interfaceNumber,
                                          std::uint8_t alternateSetting) {
    std::vector<std::uint8_t> buffer(kDeviceIdBufferSize, 0);
    ControlSetup setup;
    setup.requestType = kGetDeviceIdRequestType;
    setup.request = kGetDeviceIdRequest;
    setup.value = 0;  // configuration index: the printers this program serves have one configuration
    setup.index = static_cast<std::uint16_t>(interfaceNumber << 8 | alternateSetting);
    setup.length = static_cast<std::uint16_t>(buffer.size());

    UsbTransferResult result;
    {
        InterfaceClaim claim(handle, interfaceNumber);
        if (claim.DeviceGone()) return {std::nullopt, UsbStatus::NoDevice};
        // Unlike a vendor request, a class request to the interface needs the interface.
        if (claim.Status() != UsbStatus::Ok) return {std::nullopt, claim.Status()};
        result = handle.ControlIn(setup, buffer, kDeviceIdTimeoutMs);
    }
    if (result.status != UsbStatus::Ok) return {std::nullopt, result.status};
    auto text = DeviceIdFromReply(std::span<const std::uint8_t>(buffer).first(result.transferred));
    if (!text) return {std::nullopt, UsbStatus::Other};
    return {std::move(text), UsbStatus::Ok};
}

}  // namespace zt40
