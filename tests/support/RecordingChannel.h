#pragma once
// Decorators that write every vendor request passing through into a transcript.
#include <memory>
#include <string_view>
#include <utility>

#include "platform/VendorChannel.h"
#include "tests/support/Transcript.h"

namespace zt40 {

class RecordingChannel : public IVendorChannel {
public:
    // The transcript is not owned and must outlive the channel.
    RecordingChannel(std::unique_ptr<IVendorChannel> inner, Transcript& sink)
        : m_inner(std::move(inner)), m_sink(sink) {}

    bool VendorSet(std::span<const std::uint8_t> bytes) override {
        const bool ok = m_inner->VendorSet(bytes);
        m_sink.push_back(EntryForSet(bytes, ok));
        return ok;
    }
    bool VendorGet(std::span<std::uint8_t> bytes) override {
        const bool ok = m_inner->VendorGet(bytes);
        m_sink.push_back(EntryForGet(bytes, ok));
        return ok;
    }
    bool IsAlive() const override { return m_inner->IsAlive(); }
    bool Close() override { return m_inner->Close(); }
    void BeginTransaction() override { m_inner->BeginTransaction(); }
    void EndTransaction() override { m_inner->EndTransaction(); }

private:
    std::unique_ptr<IVendorChannel> m_inner;
    Transcript& m_sink;
};

// Wraps every channel the inner opener hands out.
class RecordingOpener : public IDeviceOpener {
public:
    RecordingOpener(IDeviceOpener& inner, Transcript& sink) : m_inner(inner), m_sink(sink) {}

    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) override {
        auto channel = m_inner.OpenDevice(devicePath);
        if (!channel) return nullptr;
        return std::make_unique<RecordingChannel>(std::move(channel), m_sink);
    }

private:
    IDeviceOpener& m_inner;
    Transcript& m_sink;
};

}  // namespace zt40
