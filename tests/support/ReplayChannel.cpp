#include "tests/support/ReplayChannel.h"

#include <algorithm>

#include "platform/WireFormat.h"

namespace zt40 {

namespace {
using wire::kHeaderSize;
}

bool ReplayScript::Fail(std::string actual) {
    if (!m_mismatch) {
        m_mismatch = ReplayMismatch{
            m_next, m_next < m_entries.size() ? FormatEntry(m_entries[m_next]) : std::string("end of transcript"),
            std::move(actual)};
    }
    return false;
}

bool ReplayScript::OnSet(std::span<const std::uint8_t> packet) {
    const auto actual = EntryForSet(packet, true);
    if (m_mismatch || m_next >= m_entries.size()) return Fail(FormatEntry(actual));
    const auto& expected = m_entries[m_next];
    if (expected.direction != VendorDirection::Set || expected.requestCode != actual.requestCode ||
        expected.value != actual.value || expected.data != actual.data) {
        return Fail(FormatEntry(actual));
    }
    ++m_next;
    return expected.succeeded;
}

bool ReplayScript::OnGet(std::span<std::uint8_t> packet) {
    auto actual = EntryForGet(packet, true);
    actual.data.clear();  // what the host's buffer held before is not part of the request
    if (m_mismatch || m_next >= m_entries.size()) return Fail(FormatEntry(actual));
    const auto& expected = m_entries[m_next];
    const std::size_t asked = packet.size() > kHeaderSize ? packet.size() - kHeaderSize : 0;
    if (expected.direction != VendorDirection::Get || expected.requestCode != actual.requestCode ||
        expected.value != actual.value) {
        return Fail(FormatEntry(actual));
    }
    if (expected.succeeded && expected.data.size() != asked) {
        return Fail(FormatEntry(actual) + " (asking for " + std::to_string(asked) + " bytes)");
    }
    ++m_next;
    if (!expected.succeeded) return false;
    std::ranges::copy(expected.data, packet.begin() + kHeaderSize);
    return true;
}

std::string ReplayScript::Describe() const {
    if (m_mismatch) {
        return "request " + std::to_string(m_mismatch->entryIndex + 1) + ": expected \"" + m_mismatch->expected +
               "\", got \"" + m_mismatch->actual + "\"";
    }
    return "played " + std::to_string(m_next) + " of " + std::to_string(m_entries.size()) + " requests";
}

}  // namespace zt40
