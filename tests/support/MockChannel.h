#pragma once
// gmock doubles for the device link's platform seams.
#include <gmock/gmock.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DeviceFinder.h"
#include "platform/MessageBox.h"
#include "platform/VendorChannel.h"

namespace zt40::testing {

class MockVendorChannel : public IVendorChannel {
public:
    MOCK_METHOD(bool, VendorSet, (std::span<const std::uint8_t> bytes), (override));
    MOCK_METHOD(bool, VendorGet, (std::span<std::uint8_t> bytes), (override));
    MOCK_METHOD(bool, IsAlive, (), (const, override));
    MOCK_METHOD(bool, Close, (), (override));
};

class MockDeviceFinder : public IDeviceFinder {
public:
    MOCK_METHOD(std::optional<std::string>, FindDevicePath, (std::string_view queueName), (override));
};

class MockDeviceOpener : public IDeviceOpener {
public:
    MOCK_METHOD(std::unique_ptr<IVendorChannel>, OpenDevice, (std::string_view devicePath), (override));
};

class MockMessageBox : public IMessageBox {
public:
    MOCK_METHOD(MbResult, Show, (const Message& message, MbButtons buttons, MbIcon icon), (override));
};

// Keeps every SET's bytes, so a test can compare whole requests.
struct SetLog {
    std::vector<std::vector<std::uint8_t>> requests;
    auto Recorder() {
        return [this](std::span<const std::uint8_t> bytes) {
            requests.emplace_back(bytes.begin(), bytes.end());
            return true;
        };
    }
};

}  // namespace zt40::testing
