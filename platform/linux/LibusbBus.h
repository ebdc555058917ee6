#pragma once
// The machine's USB bus: devices listed from sysfs through libudev (always current, and no
// request reaches a device), opened through their usbfs node and driven with libusb.
#include <memory>

#include "platform/linux/UsbBus.h"

namespace zt40 {

class LibusbBus final : public IUsbBus {
public:
    // Nothing when libusb or libudev cannot be started.
    static std::unique_ptr<LibusbBus> Create();
    ~LibusbBus() override;
    LibusbBus(const LibusbBus&) = delete;
    LibusbBus& operator=(const LibusbBus&) = delete;

    std::vector<UsbDeviceRecord> ListPrinterDevices() override;
    // Asked once per plugged-in device: answers are kept until the device's kernel number changes.
    UsbDeviceIdResult ReadDeviceId(const UsbDeviceRecord& device) override;
    // An advisory lock on the usbfs node keeps a second copy of this program off the device,
    // as the exclusive open on the original platform did.
    UsbOpenResult Open(const UsbDeviceRecord& device) override;

    // Only Create() can make the state this takes.
    struct State;
    explicit LibusbBus(std::unique_ptr<State> state);

private:
    void ForgetUnplugged(const std::vector<UsbDeviceRecord>& present);
    std::unique_ptr<State> m_state;
};

}  // namespace zt40
