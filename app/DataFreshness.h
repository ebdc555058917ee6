#pragma once
// How current the window's picture of the printer is: the bars grey out while it is not
// connected and tell when they were last read, and values out of range offer the restore.
#include <functional>
#include <optional>
#include <string>

#include "app/MainWindowModel.h"
#include "platform/Text.h"
#include "types/PinData.h"

namespace zt40 {

// The local time of day, "14:05".
std::string LocalClockText();

// The status area's reason while a connected printer's values are out of range.
inline constexpr Text kValuesOutOfRange =
    ZT40_TR("CPinwardenDlg", "The printer's values are out of range.");

class DataFreshness {
public:
    explicit DataFreshness(std::function<std::string()> clock = LocalClockText) : m_clock(std::move(clock)) {}

    // A read of both groups reached the printer: its time is kept and its values checked.
    void Read(const PinSettings& settings, const UsageCounters& counters);
    // True when the connection changed.
    bool SetConnected(bool connected);
    bool OfferRestore() const { return m_connected && m_outOfRange; }
    // The status area's reason while connected: the values out of range, else nothing.
    std::optional<Message> ConnectedReason() const {
        return OfferRestore() ? std::optional<Message>(Message::Of(kValuesOutOfRange)) : std::nullopt;
    }

    void Fill(DialogData& data) const;

private:
    std::function<std::string()> m_clock;
    std::string m_lastRead;
    bool m_connected = false;
    bool m_outOfRange = false;
};

}  // namespace zt40
