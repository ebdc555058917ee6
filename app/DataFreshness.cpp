#include "app/DataFreshness.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace zt40 {

std::string LocalClockText() {
    const std::time_t now = std::time(nullptr);
    // Only the window's thread asks, as for the record's date.
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return {};
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d", local->tm_hour % 100, local->tm_min % 100);
    return text.data();
}

void DataFreshness::Read(const PinSettings& settings, const UsageCounters& counters) {
    m_lastRead = m_clock();
    m_outOfRange = !IsValidPinSettings(settings) || !IsValidUsageCounters(counters);
}

bool DataFreshness::SetConnected(bool connected) {
    const bool changed = connected != m_connected;
    m_connected = connected;
    return changed;
}

void DataFreshness::Fill(DialogData& data) const {
    data.connected = m_connected;
    data.lastRead = m_lastRead;
    data.offerRestore = OfferRestore();
}

}  // namespace zt40
