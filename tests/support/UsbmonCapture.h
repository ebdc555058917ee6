#pragma once
// A readable transcript turned into the usbmon capture (pcap, memory-mapped USB link type)
// that umockdev replays for an emulated device: each vendor request becomes a control URB
// submitted and completed at the printer interface, so the replay answers only requests
// whose setup packet and data stage match the transcript byte for byte.
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/Transcript.h"

namespace zt40::test {

struct CaptureTarget {
    std::uint16_t bus = 1;
    std::uint8_t address = 7;
    std::uint8_t interfaceNumber = 0;
    std::uint16_t getLength = 32;  // every GET asks for the whole data area
    // What a FAIL line of the transcript completes with: a stall unless told otherwise.
    std::int32_t failStatus = -EPIPE;
};

class UsbmonCapture {
public:
    explicit UsbmonCapture(CaptureTarget target) : m_target(target) {
        Put32(0xA1B2C3D4);  // pcap, microsecond stamps
        Put16(2);
        Put16(4);
        Put32(0);
        Put32(0);
        Put32(65535);
        Put32(220);  // LINKTYPE_USB_LINUX_MMAPPED
    }

    // `answered` false: submitted and never completed, as by a device that stopped answering.
    void Add(const TranscriptEntry& entry, bool answered = true) {
        const bool in = entry.direction == VendorDirection::Get;
        const auto length = static_cast<std::uint16_t>(in ? m_target.getLength : entry.data.size());
        const std::uint8_t setup[8] = {in ? std::uint8_t{0xC1} : std::uint8_t{0x41},
                                       entry.requestCode,
                                       entry.value[0],
                                       entry.value[1],
                                       m_target.interfaceNumber,
                                       0,
                                       static_cast<std::uint8_t>(length & 0xFF),
                                       static_cast<std::uint8_t>(length >> 8)};
        const std::uint64_t id = ++m_nextId;
        const std::vector<std::uint8_t> none;
        Record(id, 'S', in, setup, length, in ? none : entry.data, 0);
        if (!answered) return;
        if (!entry.succeeded) {
            Record(id, 'C', in, nullptr, 0, none, m_target.failStatus);
        } else if (in) {
            Record(id, 'C', in, nullptr, static_cast<std::uint32_t>(entry.data.size()), entry.data, 0);
        } else {
            Record(id, 'C', in, nullptr, length, none, 0);
        }
    }

    // What FAIL lines added from now on complete with (a negative errno, as usbmon shows it).
    void SetFailStatus(std::int32_t status) { m_target.failStatus = status; }

    void AddAll(const Transcript& entries) {
        for (const auto& entry : entries) Add(entry);
    }

    bool Write(const std::string& path) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(m_bytes.data()), static_cast<std::streamsize>(m_bytes.size()));
        return static_cast<bool>(out);
    }

private:
    static constexpr std::size_t kUsbHeader = 64;

    void Record(std::uint64_t id, char event, bool in, const std::uint8_t* setup, std::uint32_t urbLength,
                const std::vector<std::uint8_t>& data, std::int32_t status) {
        const auto captured = static_cast<std::uint32_t>(kUsbHeader + data.size());
        m_microseconds += 100;
        Put32(static_cast<std::uint32_t>(m_microseconds / 1000000));
        Put32(static_cast<std::uint32_t>(m_microseconds % 1000000));
        Put32(captured);
        Put32(captured);
        Put64(id);
        Put8(static_cast<std::uint8_t>(event));
        Put8(2);  // control
        Put8(in ? 0x80 : 0x00);
        Put8(m_target.address);
        Put16(m_target.bus);
        Put8(setup ? 0 : '-');
        Put8(data.empty() ? (in ? '<' : '>') : 0);
        Put64(m_microseconds / 1000000);
        Put32(static_cast<std::uint32_t>(m_microseconds % 1000000));
        Put32(static_cast<std::uint32_t>(status));
        Put32(urbLength);
        Put32(static_cast<std::uint32_t>(data.size()));
        for (int i = 0; i < 8; ++i) Put8(setup ? setup[i] : 0);
        Put32(0);  // interval
        Put32(0);  // start frame
        Put32(0);  // transfer flags
        Put32(0);  // iso descriptors
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
    }

    void Put8(std::uint8_t v) { m_bytes.push_back(v); }
    void Put16(std::uint16_t v) {
        Put8(static_cast<std::uint8_t>(v));
        Put8(static_cast<std::uint8_t>(v >> 8));
    }
    void Put32(std::uint32_t v) {
        Put16(static_cast<std::uint16_t>(v));
        Put16(static_cast<std::uint16_t>(v >> 16));
    }
    void Put64(std::uint64_t v) {
        Put32(static_cast<std::uint32_t>(v));
        Put32(static_cast<std::uint32_t>(v >> 32));
    }

    CaptureTarget m_target;
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_nextId = 0;
    std::uint64_t m_microseconds = 0;
};

}  // namespace zt40::test
