#pragma once
// A USB bus of fake devices for the Linux discovery and channel tests: devices can be
// plugged, unplugged and replugged (new kernel number), and every request is recorded.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/UsbBus.h"

namespace zt40::test {

// What one device saw and what it answers. Shared between the bus and the handles opened on it.
struct FakeUsbDevice {
    struct Transfer {
        ControlSetup setup;
        std::vector<std::uint8_t> data;  // OUT: what was sent; IN: what was answered
        unsigned timeoutMs = 0;
    };

    UsbDeviceRecord record;
    std::optional<std::string> deviceId;  // answer to the bus's device-ID request
    UsbStatus deviceIdStatus = UsbStatus::Ok;
    UsbStatus openStatus = UsbStatus::Ok;
    bool plugged = true;

    // Behaviour of an open handle.
    bool kernelDriverBound = false;
    UsbStatus claimStatus = UsbStatus::Ok;
    std::deque<UsbStatus> transferStatuses;       // next results; Ok when empty
    std::vector<std::uint8_t> inReply;            // what an IN transfer delivers
    std::deque<std::vector<std::uint8_t>> inReplies;  // delivered first, one per IN transfer
    std::optional<std::size_t> outAccepted;       // how much of an OUT transfer the device takes

    // Records.
    std::vector<std::string> calls;  // "detach", "claim", "out", "in", "release", "attach", "close"
    std::vector<Transfer> transfers;
    int deviceIdRequests = 0;
    int opens = 0;
};

class FakeUsbHandle final : public IUsbDeviceHandle {
public:
    explicit FakeUsbHandle(std::shared_ptr<FakeUsbDevice> device) : m_device(std::move(device)) {}
    ~FakeUsbHandle() override { m_device->calls.push_back("close"); }

    UsbTransferResult ControlOut(const ControlSetup& setup, std::span<const std::uint8_t> data,
                                 unsigned timeoutMs) override {
        m_device->calls.push_back("out");
        m_device->transfers.push_back({setup, {data.begin(), data.end()}, timeoutMs});
        const auto status = NextStatus();
        if (status != UsbStatus::Ok) return {status, 0};
        return {status, std::min(data.size(), m_device->outAccepted.value_or(data.size()))};
    }
    UsbTransferResult ControlIn(const ControlSetup& setup, std::span<std::uint8_t> data, unsigned timeoutMs) override {
        m_device->calls.push_back("in");
        const auto status = NextStatus();
        std::vector<std::uint8_t> reply = m_device->inReply;
        if (!m_device->inReplies.empty()) {
            reply = std::move(m_device->inReplies.front());
            m_device->inReplies.pop_front();
        }
        const std::size_t n = status == UsbStatus::Ok ? std::min(data.size(), reply.size()) : 0;
        std::copy_n(reply.begin(), n, data.begin());
        m_device->transfers.push_back({setup, {data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n)}, timeoutMs});
        return {status, n};
    }
    UsbStatus ClaimInterface(std::uint8_t) override {
        m_device->calls.push_back("claim");
        if (!m_device->plugged) return UsbStatus::NoDevice;
        if (m_device->kernelDriverBound) return UsbStatus::Busy;
        return m_device->claimStatus;
    }
    UsbStatus ReleaseInterface(std::uint8_t) override {
        m_device->calls.push_back("release");
        return m_device->plugged ? UsbStatus::Ok : UsbStatus::NoDevice;
    }
    KernelDriverState KernelDriver(std::uint8_t) override {
        return m_device->kernelDriverBound ? KernelDriverState::Active : KernelDriverState::Inactive;
    }
    UsbStatus DetachKernelDriver(std::uint8_t) override {
        m_device->calls.push_back("detach");
        m_device->kernelDriverBound = false;
        return UsbStatus::Ok;
    }
    UsbStatus AttachKernelDriver(std::uint8_t) override {
        m_device->calls.push_back("attach");
        m_device->kernelDriverBound = true;
        return UsbStatus::Ok;
    }

private:
    UsbStatus NextStatus() {
        if (!m_device->plugged) return UsbStatus::NoDevice;
        if (m_device->transferStatuses.empty()) return UsbStatus::Ok;
        const auto status = m_device->transferStatuses.front();
        m_device->transferStatuses.pop_front();
        return status;
    }

    std::shared_ptr<FakeUsbDevice> m_device;
};

class FakeUsbBus final : public IUsbBus {
public:
    std::vector<std::shared_ptr<FakeUsbDevice>> devices;  // in the bus's order
    int scans = 0;
    int nextAddress = 2;

    std::shared_ptr<FakeUsbDevice> Plug(UsbDeviceRecord record, std::optional<std::string> deviceId = std::nullopt) {
        auto device = std::make_shared<FakeUsbDevice>();
        record.deviceAddress = static_cast<std::uint8_t>(nextAddress++);
        device->record = std::move(record);
        device->deviceId = std::move(deviceId);
        devices.push_back(device);
        return device;
    }

    // Off and on again, or out and back in: a new device object at a new kernel number.
    std::shared_ptr<FakeUsbDevice> Replug(const std::shared_ptr<FakeUsbDevice>& old,
                                          std::optional<std::vector<std::uint8_t>> newPortChain = std::nullopt) {
        Unplug(old);
        auto record = old->record;
        if (newPortChain) record.portChain = *newPortChain;
        return Plug(record, old->deviceId);
    }

    void Unplug(const std::shared_ptr<FakeUsbDevice>& device) {
        device->plugged = false;
        std::erase(devices, device);
    }

    std::vector<UsbDeviceRecord> ListPrinterDevices() override {
        ++scans;
        std::vector<UsbDeviceRecord> records;
        for (const auto& device : devices) records.push_back(device->record);
        return records;
    }

    UsbDeviceIdResult ReadDeviceId(const UsbDeviceRecord& record) override {
        auto device = Find(record);
        if (!device) return {std::nullopt, UsbStatus::NoDevice};
        ++device->deviceIdRequests;
        if (device->deviceIdStatus != UsbStatus::Ok) return {std::nullopt, device->deviceIdStatus};
        return {device->deviceId, device->deviceId ? UsbStatus::Ok : UsbStatus::Pipe};
    }

    UsbOpenResult Open(const UsbDeviceRecord& record) override {
        auto device = Find(record);
        if (!device) return {nullptr, UsbStatus::NotFound};
        ++device->opens;
        if (device->openStatus != UsbStatus::Ok) return {nullptr, device->openStatus};
        return {std::make_unique<FakeUsbHandle>(device), UsbStatus::Ok};
    }

private:
    std::shared_ptr<FakeUsbDevice> Find(const UsbDeviceRecord& record) const {
        for (const auto& device : devices) {
            if (device->record.busNumber == record.busNumber && device->record.deviceAddress == record.deviceAddress) {
                return device;
            }
        }
        return nullptr;
    }
};

}  // namespace zt40::test
