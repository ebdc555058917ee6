#pragma once
// The registry walks that lead from a print queue's driver and port to the path of the
// printer's USB device: three per platform family, each taking the outputs of the one
// before. Each returns nothing when it ends without a result.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/KeyTree.h"

namespace zt40 {

// --- NT family -------------------------------------------------------------------

// The USB device node that is the parent of the printer-class node.
struct UsbDeviceNode {
    std::string modelKey;        // vendor-and-product key name
    std::string instanceKey;     // instance key name under it
    std::string interfaceClass;  // "{...}" taken from its symbolic name
};

// The prefix that the printer-class node's parent gave it: the name of the first
// instance key under Enum\USBPRINT whose name holds the port name and whose
// description equals the driver name, less the port name and its separator.
std::optional<std::string> FindPrinterClassPrefix(IKeyTree& tree, std::string_view driverName,
                                                  std::string_view portName);

// The USB device node whose children carry `prefix`.
std::optional<UsbDeviceNode> FindUsbDeviceNode(IKeyTree& tree, std::string_view prefix);

// The device path of the node's interface entry.
std::optional<std::string> FindInterfaceLink(IKeyTree& tree, const UsbDeviceNode& node);

// --- Windows 95 family -------------------------------------------------------------

struct LegacyPrinterNode {
    std::string vendorProduct;  // "VID_xxxx&PID_xxxx"
    std::string remainder;      // the rest of the key name after it and its separator
};

struct LegacySymbolicName {
    std::string firstPart;   // between "\DosDevices\" and the first "#"
    std::string secondPart;  // after the first "#"
};

std::optional<LegacyPrinterNode> FindLegacyPrinterClassNode(IKeyTree& tree, std::string_view driverName,
                                                            std::string_view portName);
std::optional<LegacySymbolicName> FindLegacyUsbDeviceNode(IKeyTree& tree, const LegacyPrinterNode& node);
std::optional<std::string> FindLegacyInterfaceLink(IKeyTree& tree, const LegacySymbolicName& name);

// --- Shared by both families -------------------------------------------------------

// Name of the first printer-class instance key (two levels under `rootPath`) whose
// name contains the port name and whose "DeviceDesc" equals the driver name.
std::optional<std::string> FindPrinterClassInstance(IKeyTree& tree, std::string_view rootPath,
                                                    std::string_view driverName, std::string_view portName);

// "SymbolicLink" of the first interface entry, under a class key equal to `className`,
// whose name contains every one of `needles`.
std::optional<std::string> FindSymbolicLink(IKeyTree& tree, std::string_view className,
                                            std::span<const std::string> needles);

}  // namespace zt40
