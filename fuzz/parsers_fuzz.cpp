// libFuzzer target for everything that reads bytes it did not write: job streams, state and
// transcript files, device IDs, device URIs and paths, and a printer's replies to commands.
// The first input byte picks the reader; the rest is its input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "device/CHeadDevice.h"
#include "session/PrinterSession.h"
#include "platform/linux/Ieee1284DeviceId.h"
#include "platform/linux/UsbDevicePath.h"
#include "platform/UsbDeviceUri.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/Transcript.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40StateFile.h"
#include "printjob/RtlReader.h"

namespace {

using namespace zt40;

// A printer that answers every GET with whatever the fuzzer says.
class HostileChannel : public IVendorChannel {
public:
    explicit HostileChannel(std::span<const std::uint8_t> replies) : m_replies(replies) {}
    bool VendorSet(std::span<const std::uint8_t>) override { return true; }
    bool VendorGet(std::span<std::uint8_t> bytes) override {
        for (std::size_t i = 3; i < bytes.size(); ++i) bytes[i] = Next();
        return (Next() & 0x0F) != 0;
    }
    bool IsAlive() const override { return true; }
    bool Close() override { return true; }

private:
    std::uint8_t Next() { return m_replies.empty() ? 0 : m_replies[m_at++ % m_replies.size()]; }
    std::span<const std::uint8_t> m_replies;
    std::size_t m_at = 0;
};

class HostileOpener : public IDeviceOpener {
public:
    explicit HostileOpener(std::span<const std::uint8_t> replies) : m_replies(replies) {}
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view) override {
        return std::make_unique<HostileChannel>(m_replies);
    }

private:
    std::span<const std::uint8_t> m_replies;
};

void RunEveryCommand(std::span<const std::uint8_t> replies) {
    SimPrinterRig rig;
    HostileOpener opener(replies);
    FakeClock clock{0, 1000};  // a printer that stalls times out within a few polls
    RecordingMessageBox messages;
    CHeadDevice device(DeviceLinkPlatform{rig.Finder(), opener, clock, messages, rig.Spooler()});
    if (!OpenThroughQueue(device, rig.QueueName())) return;
    std::array<std::uint16_t, 9> nine{};
    std::array<std::uint16_t, 2> two{};
    std::uint32_t value = 0;
    const std::array<std::int32_t, 2> motion{-416, 3333};
    device.GetStatus();
    device.ReadPinAdjustments(nine);
    device.ReadWordPair(two);
    device.ReadHeadCounters(two);
    device.ReadPinCounter(9, value);
    device.ReadTotalCounter(value);
    device.ReadSelectedPin();
    device.SendMotionBlock(motion, 0xFFFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
    switch (data[0] % 8) {
    case 0: DecodeRtlStream(input); break;
    case 1: ParseStateFile(text); break;
    case 2: ParseTranscript(text); break;
    case 3: ParseIeee1284Id(text); break;
    case 4: DeviceIdFromReply(input); break;
    case 5: ParseUsbDeviceUri(text); break;
    case 6: ParseDevicePath(text); break;
    case 7: RunEveryCommand(input); break;
    }
    return 0;
}
