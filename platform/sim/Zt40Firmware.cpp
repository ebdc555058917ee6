#include "platform/sim/Zt40Firmware.h"

#include <algorithm>
#include <utility>

namespace zt40 {

namespace {

using DataArea = Zt40Firmware::DataArea;

using namespace wire;

constexpr std::size_t kShortQueryCount = kCountByte;
constexpr std::size_t kShortQueryValues = kShortItemsOffset;
constexpr std::size_t kShortWord = kShortItemsOffset;
constexpr std::size_t kMaxMotionValues = 6;

constexpr std::uint8_t kOk = 0;

std::uint8_t Count(std::size_t n, std::uint8_t type) { return static_cast<std::uint8_t>(n + type); }

std::uint16_t Get16(const DataArea& area, std::size_t at) {
    return static_cast<std::uint16_t>(area[at] | (area[at + 1] << 8));
}

std::uint32_t Get32(const DataArea& area, std::size_t at) {
    return static_cast<std::uint32_t>(area[at]) | (static_cast<std::uint32_t>(area[at + 1]) << 8) |
           (static_cast<std::uint32_t>(area[at + 2]) << 16) | (static_cast<std::uint32_t>(area[at + 3]) << 24);
}

void Put16(DataArea& area, std::size_t at, std::uint16_t value) {
    area[at] = static_cast<std::uint8_t>(value & 0xFF);
    area[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(DataArea& area, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) area[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

// The read (b = 1, no items, 16-bit type) and write (b = 0, N values) forms shared by the
// groups of 16-bit settings.
template <std::size_t N>
std::uint8_t ReadOrWrite16(DataArea& area, std::array<std::int16_t, N>& field) {
    const std::uint8_t argument = area[kArgumentByte];
    const std::uint8_t count = area[kCountByte];
    if (argument == kRead) {
        if (count != Count(0, kItems16)) return kFirmwareBadLayout;
        for (std::size_t i = 0; i < N; ++i) Put16(area, kItemsOffset + 2 * i, static_cast<std::uint16_t>(field[i]));
        return kOk;
    }
    if (argument == kWrite) {
        if (count != Count(N, kItems16)) return kFirmwareBadLayout;
        for (std::size_t i = 0; i < N; ++i) field[i] = static_cast<std::int16_t>(Get16(area, kItemsOffset + 2 * i));
        return kOk;
    }
    return kFirmwareBadArgument;
}

}  // namespace

const std::array<Zt40Firmware::Route, 12> Zt40Firmware::kRoutes = {{
    {kOpStatus, kShortFrame, &Zt40Firmware::StatusQuery},
    {kOpMotionBlock, kShortFrame, &Zt40Firmware::MotionBlockCommand},
    {kOpDownload, kShortFrame, &Zt40Firmware::DownloadCommand},
    {kOpExtended, kHeadFlag, &Zt40Firmware::HeadFlag},
    {kOpExtended, kSelectPin, &Zt40Firmware::SelectPin},
    {kOpExtended, kPinAdjustments, &Zt40Firmware::PinAdjustments},
    {kOpExtended, kWordPair, &Zt40Firmware::WordPair},
    {kOpExtended, kMoveHead, &Zt40Firmware::MoveHead},
    {kOpExtended, kPinCounter, &Zt40Firmware::PinCounter},
    {kOpExtended, kTotalCounter, &Zt40Firmware::TotalCounter},
    {kOpExtended, kHeadCounters, &Zt40Firmware::HeadCounters},
    {kOpExtended, kSelectedPin, &Zt40Firmware::SelectedPin},
}};

Zt40Firmware::Zt40Firmware(Zt40State initial) : m_state(std::move(initial)) {}

void Zt40Firmware::SetNotReady(std::uint32_t reads, std::uint16_t status) {
    m_notReadyReads = reads;
    m_notReadyStatus = status;
}

std::uint8_t Zt40Firmware::Execute(DataArea& area) {
    const std::uint8_t opcode = area[0];
    const int sub = opcode == kOpExtended ? int{area[kSubCommandByte]} : kShortFrame;
    const auto route = std::ranges::find_if(
        kRoutes, [&](const Route& r) { return r.opcode == opcode && r.subCommand == sub; });
    if (route == kRoutes.end()) return kFirmwareUnknownCommand;
    ++m_commandsExecuted;
    return (this->*(route->handler))(area);
}

// [01][20] -> count 1 at byte 1, the status word at bytes 2-3.
std::uint8_t Zt40Firmware::StatusQuery(DataArea& area) {
    if (area[kCountByte] != Count(0, kItems16)) return kFirmwareBadLayout;
    std::uint16_t status = m_state.status;
    if (m_notReadyReads > 0) {
        --m_notReadyReads;
        status = m_notReadyStatus;
    }
    area[kShortQueryCount] = 1;
    Put16(area, kShortQueryValues, status);
    return kOk;
}

// [40][n + 40][word][n 32-bit values]
std::uint8_t Zt40Firmware::MotionBlockCommand(DataArea& area) {
    const std::uint8_t count = area[kCountByte];
    const std::size_t n = count & kCountMask;
    if ((count & kTypeMask) != kItems32 || n > kMaxMotionValues) return kFirmwareBadLayout;
    MotionBlock block;
    block.word = Get16(area, kShortWord);
    for (std::size_t i = 0; i < n; ++i) block.values.push_back(static_cast<std::int32_t>(Get32(area, kItemsOffset + 4 * i)));
    m_state.motionBlocks.push_back(std::move(block));
    return kOk;
}

// [64][01][argument]: the printer gets ready to take a firmware image through its queue.
std::uint8_t Zt40Firmware::DownloadCommand(DataArea& area) {
    if (area[kCountByte] != Count(1, kItems8)) return kFirmwareBadLayout;
    m_state.downloads.push_back(area[kShortWord]);
    return kOk;
}

std::uint8_t Zt40Firmware::HeadFlag(DataArea& area) {
    if (area[kCountByte] != Count(0, kItems8)) return kFirmwareBadLayout;
    const std::uint8_t flag = area[kArgumentByte];
    if (flag > 1) return kFirmwareBadArgument;
    m_state.headFlag = flag == 1;
    return kOk;
}

std::uint8_t Zt40Firmware::SelectPin(DataArea& area) {
    if (area[kCountByte] != Count(0, kItems8)) return kFirmwareBadLayout;
    const std::uint8_t pin = area[kArgumentByte];
    if (!IsPinNumber(static_cast<int>(pin))) return kFirmwareBadArgument;
    m_state.selectedPin = pin;
    return kOk;
}

std::uint8_t Zt40Firmware::PinAdjustments(DataArea& area) { return ReadOrWrite16(area, m_state.adjustments); }

std::uint8_t Zt40Firmware::WordPair(DataArea& area) { return ReadOrWrite16(area, m_state.wordPair); }

std::uint8_t Zt40Firmware::HeadCounters(DataArea& area) { return ReadOrWrite16(area, m_state.headCounters); }

std::uint8_t Zt40Firmware::MoveHead(DataArea& area) {
    if (area[kCountByte] != Count(0, kItems8)) return kFirmwareBadLayout;
    m_state.headPosition = area[kArgumentByte];
    return kOk;
}

// Argument: the pin, plus 0x80 to read its counter.
std::uint8_t Zt40Firmware::PinCounter(DataArea& area) {
    const std::uint8_t argument = area[kArgumentByte];
    const bool read = (argument & kPinCounterRead) != 0;
    const unsigned pin = argument & static_cast<std::uint8_t>(~kPinCounterRead);
    if (!IsPinNumber(static_cast<int>(pin))) return kFirmwareBadArgument;
    auto& counter = m_state.pinCounters[pin - 1];
    if (read) {
        if (area[kCountByte] != Count(0, kItems32)) return kFirmwareBadLayout;
        Put32(area, kItemsOffset, static_cast<std::uint32_t>(counter));
        return kOk;
    }
    if (area[kCountByte] != Count(1, kItems32)) return kFirmwareBadLayout;
    counter = static_cast<std::int32_t>(Get32(area, kItemsOffset));
    return kOk;
}

std::uint8_t Zt40Firmware::TotalCounter(DataArea& area) {
    const std::uint8_t argument = area[kArgumentByte];
    if (argument == kRead) {
        if (area[kCountByte] != Count(0, kItems32)) return kFirmwareBadLayout;
        Put32(area, kItemsOffset, static_cast<std::uint32_t>(m_state.total));
        return kOk;
    }
    if (argument == kWrite) {
        if (area[kCountByte] != Count(1, kItems32)) return kFirmwareBadLayout;
        m_state.total = static_cast<std::int32_t>(Get32(area, kItemsOffset));
        return kOk;
    }
    return kFirmwareBadArgument;
}

std::uint8_t Zt40Firmware::SelectedPin(DataArea& area) {
    if (area[kCountByte] != Count(0, kItems8)) return kFirmwareBadLayout;
    if (area[kArgumentByte] != 0) return kFirmwareBadArgument;
    area[kItemsOffset] = m_state.selectedPin;
    return kOk;
}

}  // namespace zt40
