#include <algorithm>

#include "device/RegistryScan.h"
#include "device/RegistryWalks.h"

namespace zt40 {

namespace {
constexpr std::string_view kDeviceClassesRoot = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";
constexpr std::string_view kDeviceDesc = "DeviceDesc";
constexpr std::string_view kLinkSubkey = "#";
constexpr std::string_view kSymbolicLink = "SymbolicLink";

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
}  // namespace

std::optional<std::string> FindPrinterClassInstance(IKeyTree& tree, std::string_view rootPath,
                                                    std::string_view driverName, std::string_view portName) {
    std::optional<std::string> found;
    const ScanStep end = ForEachDeviceInstance(
        tree, rootPath, [&](const std::string&, const std::string& instanceName, KeyHandle instance) {
            const auto description = ReadRegistryText(tree, instance, kDeviceDesc);
            if (!description) return ScanStep::Next;
            if (!Contains(instanceName, portName) || !EqualsIgnoringCase(*description, driverName)) {
                return ScanStep::Next;
            }
            found = instanceName;
            return ScanStep::Found;
        });
    return end == ScanStep::Found ? found : std::nullopt;
}

std::optional<std::string> FindSymbolicLink(IKeyTree& tree, std::string_view className,
                                            std::span<const std::string> needles) {
    const auto root = OpenScopedKey(tree, kRootKey, kDeviceClassesRoot);
    if (!root) return std::nullopt;
    std::optional<std::string> link;
    const ScanStep end = ForEachSubkey(tree, root->Handle(), [&](const std::string& classKeyName) {
        if (!EqualsIgnoringCase(classKeyName, className)) return ScanStep::Next;
        const auto classKey = OpenScopedKey(tree, root->Handle(), classKeyName);
        if (!classKey) return ScanStep::Abort;
        return ForEachSubkey(tree, classKey->Handle(), [&](const std::string& entryName) {
            const bool wanted = std::ranges::all_of(needles, [&](const std::string& n) { return Contains(entryName, n); });
            if (!wanted) return ScanStep::Next;
            const auto entry = OpenScopedKey(tree, classKey->Handle(), entryName);
            if (!entry) return ScanStep::Abort;
            const auto linkKey = OpenScopedKey(tree, entry->Handle(), kLinkSubkey);
            if (!linkKey) return ScanStep::Abort;
            link = ReadRegistryText(tree, linkKey->Handle(), kSymbolicLink);
            return link ? ScanStep::Found : ScanStep::Next;
        });
    });
    return end == ScanStep::Found ? link : std::nullopt;
}

}  // namespace zt40
