#pragma once
// Plays a transcript back as the device: each request must be the next one the transcript
// holds, in strict order; GETs are answered with the recorded bytes. The first request that
// differs is kept for the test to see, and every request from then on fails.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/VendorChannel.h"
#include "tests/support/Transcript.h"

namespace zt40 {

struct ReplayMismatch {
    std::size_t entryIndex = 0;  // 0-based position in the transcript
    std::string expected;        // the transcript's line, or "end of transcript"
    std::string actual;          // the request that came instead, in transcript form
};

class ReplayScript {
public:
    explicit ReplayScript(Transcript entries) : m_entries(std::move(entries)) {}

    bool OnSet(std::span<const std::uint8_t> packet);
    bool OnGet(std::span<std::uint8_t> packet);

    // Every entry was requested and nothing differed.
    bool Finished() const { return !m_mismatch && m_next == m_entries.size(); }
    std::size_t Played() const { return m_next; }
    const std::optional<ReplayMismatch>& Mismatch() const { return m_mismatch; }
    // One readable line for a failing assertion.
    std::string Describe() const;

private:
    bool Fail(std::string actual);

    Transcript m_entries;
    std::size_t m_next = 0;
    std::optional<ReplayMismatch> m_mismatch;
};

class ReplayChannel : public IVendorChannel {
public:
    // The script is not owned and must outlive the channel.
    explicit ReplayChannel(ReplayScript& script) : m_script(script) {}

    bool VendorSet(std::span<const std::uint8_t> bytes) override { return !m_closed && m_script.OnSet(bytes); }
    bool VendorGet(std::span<std::uint8_t> bytes) override { return !m_closed && m_script.OnGet(bytes); }
    bool IsAlive() const override { return !m_closed; }
    bool Close() override {
        m_closed = true;
        return true;
    }

private:
    ReplayScript& m_script;
    bool m_closed = false;
};

// Hands out replay channels over one script for any device path.
class ReplayOpener : public IDeviceOpener {
public:
    explicit ReplayOpener(ReplayScript& script) : m_script(script) {}
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view) override {
        return std::make_unique<ReplayChannel>(m_script);
    }

private:
    ReplayScript& m_script;
};

}  // namespace zt40
