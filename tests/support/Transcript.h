#pragma once
// Vendor requests as readable text, one request a line:
//
//     SET F0 0000 00 20 00 00 ...      the request code, the two value bytes, the data stage sent
//     GET F0 0000 01 20 01 00 ...      for a GET, the data area as the device answered it
//     GET F0 0000 FAIL                 a request that failed (a failed GET answers nothing)
//
// Blank lines and everything after '#' are ignored. Hex digits may be of either case.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt40 {

enum class VendorDirection { Set, Get };

struct TranscriptEntry {
    VendorDirection direction = VendorDirection::Set;
    std::uint8_t requestCode = 0xF0;
    std::array<std::uint8_t, 2> value{};  // as they stand in the packet, byte 1 then byte 2
    std::vector<std::uint8_t> data;
    bool succeeded = true;

    bool operator==(const TranscriptEntry&) const = default;
};

using Transcript = std::vector<TranscriptEntry>;

struct TranscriptError {
    std::size_t line = 0;  // 1-based
    std::string message;
};

struct TranscriptParse {
    Transcript entries;
    std::optional<TranscriptError> error;  // set: entries holds what came before the bad line
    bool Ok() const { return !error; }
};

// A packet as sent (header, then data stage) turned into an entry.
TranscriptEntry EntryForSet(std::span<const std::uint8_t> packet, bool succeeded);
// For a GET: the header, and the data area after the device answered (nothing if it failed).
TranscriptEntry EntryForGet(std::span<const std::uint8_t> packet, bool succeeded);

std::string FormatEntry(const TranscriptEntry& entry);
std::string FormatTranscript(std::span<const TranscriptEntry> entries);

TranscriptParse ParseTranscript(std::string_view text);
// A transcript file; an unreadable file is an error on line 0.
TranscriptParse LoadTranscript(const std::string& path);

}  // namespace zt40
