#include "device/RegistryDeviceFinder.h"

#include "device/RegistryWalks.h"
#include "platform/SpoolerLookup.h"

namespace zt40 {

namespace {

std::optional<std::string> WalkNt(IKeyTree& keys, const QueueInfo& queue) {
    const auto prefix = FindPrinterClassPrefix(keys, queue.driverName, queue.portName);
    if (!prefix) return std::nullopt;
    const auto usbNode = FindUsbDeviceNode(keys, *prefix);
    if (!usbNode) return std::nullopt;
    return FindInterfaceLink(keys, *usbNode);
}

std::optional<std::string> WalkWin9x(IKeyTree& keys, const QueueInfo& queue) {
    const auto printerNode = FindLegacyPrinterClassNode(keys, queue.driverName, queue.portName);
    if (!printerNode) return std::nullopt;
    const auto symbolicName = FindLegacyUsbDeviceNode(keys, *printerNode);
    if (!symbolicName) return std::nullopt;
    return FindLegacyInterfaceLink(keys, *symbolicName);
}

}  // namespace

RegistryDeviceFinder::RegistryDeviceFinder(ISpooler& spooler, IKeyTree& keys, IVersionQuery& version)
    : m_spooler(spooler), m_keys(keys), m_version(version) {}

std::optional<std::string> RegistryDeviceFinder::FindDevicePath(std::string_view queueName) {
    const auto family = m_version.Family();
    if (!family) return std::nullopt;
    const auto queue = LookUpQueue(m_spooler, queueName);
    if (!queue) return std::nullopt;
    return *family == PlatformFamily::Win9x ? WalkWin9x(m_keys, *queue) : WalkNt(m_keys, *queue);
}

}  // namespace zt40
