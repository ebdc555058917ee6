#include "platform/linux/UsbPrinterMatch.h"

#include "platform/TextCompare.h"

namespace zt40 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The model as the spooler writes it into a URI: without a leading "Make ".
std::string_view ModelWithoutMake(std::string_view model, std::string_view make) {
    if (make.empty() || model.size() <= make.size() || !EqualsIgnoringCase(model.substr(0, make.size()), make) ||
        !IsBlank(model[make.size()])) {
        return model;
    }
    model.remove_prefix(make.size());
    while (!model.empty() && IsBlank(model.front())) model.remove_prefix(1);
    return model;
}

bool Accepts(const PrinterIdentity& identity, const UsbDeviceUri& uri, std::optional<std::string_view> driverName) {
    return IdentityMatchesUri(identity, uri) &&
           (!driverName || EqualsIgnoringCase(*driverName, DescriptionOf(identity)));
}

}  // namespace

std::string DescriptionOf(const PrinterIdentity& identity) {
    if (identity.make.empty()) return identity.model;
    if (ModelWithoutMake(identity.model, identity.make).size() != identity.model.size()) return identity.model;
    return identity.make + " " + identity.model;
}

bool IdentityMatchesUri(const PrinterIdentity& identity, const UsbDeviceUri& uri) {
    if (identity.make.empty() || identity.model.empty()) return false;
    if (!EqualsIgnoringCase(uri.make, identity.make)) return false;
    if (!EqualsIgnoringCase(uri.model, identity.model) &&
        !EqualsIgnoringCase(uri.model, ModelWithoutMake(identity.model, identity.make))) {
        return false;
    }
    return !uri.serial || *uri.serial == identity.serial;
}

PrinterSearch FindUriPrinter(IUsbBus& bus, const UsbDeviceUri& uri, std::optional<std::string_view> driverName) {
    PrinterSearch search;
    for (auto& device : bus.ListPrinterDevices()) {
        if (uri.interfaceNumber && *uri.interfaceNumber != device.printerInterface) continue;

        // The strings the kernel cached cost no request to the device: try them first.
        const PrinterIdentity fromStrings{device.manufacturer, device.product, device.serial};
        if (Accepts(fromStrings, uri, driverName)) {
            search.description = DescriptionOf(fromStrings);
            search.device = std::move(device);
            return search;
        }

        const auto answer = bus.ReadDeviceId(device);
        if (!answer.deviceId) {
            if (answer.status == UsbStatus::Access) search.permissionDenied = true;
            continue;
        }
        PrinterIdentity fromId = ParseIeee1284Id(*answer.deviceId);
        // The spooler names a device whose ID carries no serial by its serial-number string.
        if (fromId.serial.empty()) fromId.serial = device.serial;
        if (Accepts(fromId, uri, driverName)) {
            search.description = DescriptionOf(fromId);
            search.device = std::move(device);
            return search;
        }
    }
    return search;
}

}  // namespace zt40
