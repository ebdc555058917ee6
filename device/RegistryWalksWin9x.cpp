// The Windows 95 family's layout: the printer-class key name carries the USB node's
// vendor-and-product key and instance key, and the USB node's symbolic name points
// at its interface entry.
#include <array>

#include "device/RegistryScan.h"
#include "device/RegistryWalks.h"

namespace zt40 {

namespace {
constexpr std::string_view kPrinterClassRoot = "Enum\\USBPRINT";
constexpr std::string_view kUsbRoot = "Enum\\USB";
constexpr std::string_view kSymbolicName = "SymbolicName";
constexpr std::string_view kVendorMark = "VID";
constexpr std::size_t kVendorProductLength = std::string_view("VID_xxxx&PID_xxxx").size();
constexpr std::size_t kDosDevicesLength = std::string_view("\\DosDevices\\").size();

// Substring that stays inside `text` however far `from` and `count` reach.
std::string ClampedPart(std::string_view text, std::size_t from, std::size_t count = std::string_view::npos) {
    return from >= text.size() ? std::string() : std::string(text.substr(from, count));
}

LegacyPrinterNode SplitPrinterClassName(std::string_view name) {
    const auto vid = name.find(kVendorMark);
    const std::size_t start = vid == std::string_view::npos ? 0 : vid;
    // Without "VID" the name is cut as if it had been found just before the start.
    const std::size_t rest = vid == std::string_view::npos ? kVendorProductLength : vid + kVendorProductLength + 1;
    return LegacyPrinterNode{ClampedPart(name, start, kVendorProductLength), ClampedPart(name, rest)};
}

// Nothing when the name is too short to hold the skipped prefix, or has no "#" after it.
std::optional<LegacySymbolicName> SplitSymbolicName(std::string_view text) {
    const auto hash = text.find('#');
    if (hash == std::string_view::npos || hash < kDosDevicesLength) return std::nullopt;
    return LegacySymbolicName{std::string(text.substr(kDosDevicesLength, hash - kDosDevicesLength)),
                              std::string(text.substr(hash + 1))};
}
}  // namespace

std::optional<LegacyPrinterNode> FindLegacyPrinterClassNode(IKeyTree& tree, std::string_view driverName,
                                                            std::string_view portName) {
    const auto instance = FindPrinterClassInstance(tree, kPrinterClassRoot, driverName, portName);
    if (!instance) return std::nullopt;
    return SplitPrinterClassName(*instance);
}

std::optional<LegacySymbolicName> FindLegacyUsbDeviceNode(IKeyTree& tree, const LegacyPrinterNode& node) {
    const auto root = OpenScopedKey(tree, kRootKey, kUsbRoot);
    if (!root) return std::nullopt;
    std::optional<LegacySymbolicName> found;
    const ScanStep end = ForEachSubkey(tree, root->Handle(), [&](const std::string& modelName) {
        if (!EqualsIgnoringCase(modelName, node.vendorProduct)) return ScanStep::Next;
        const auto model = OpenScopedKey(tree, root->Handle(), modelName);
        if (!model) return ScanStep::Abort;
        return ForEachSubkey(tree, model->Handle(), [&](const std::string& instanceName) {
            if (!EqualsIgnoringCase(instanceName, node.remainder)) return ScanStep::Next;
            const auto instance = OpenScopedKey(tree, model->Handle(), instanceName);
            if (!instance) return ScanStep::Abort;
            const auto symbolicName = ReadRegistryText(tree, instance->Handle(), kSymbolicName);
            if (symbolicName) found = SplitSymbolicName(*symbolicName);
            return found ? ScanStep::Found : ScanStep::Next;
        });
    });
    return end == ScanStep::Found ? found : std::nullopt;
}

std::optional<std::string> FindLegacyInterfaceLink(IKeyTree& tree, const LegacySymbolicName& name) {
    const std::array<std::string, 2> needles{name.firstPart, name.secondPart};
    return FindSymbolicLink(tree, name.secondPart, needles);
}

}  // namespace zt40
