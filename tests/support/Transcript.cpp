#include "tests/support/Transcript.h"

#include <fstream>
#include <sstream>

#include "platform/WireFormat.h"

namespace zt40 {

namespace {

using wire::kHeaderSize;
constexpr std::string_view kFailed = "FAIL";

void AppendHex(std::string& out, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

std::optional<unsigned> HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return std::nullopt;
}

// Exactly 2 * bytes.size() hex digits.
bool ParseHex(std::string_view word, std::span<std::uint8_t> bytes) {
    if (word.size() != 2 * bytes.size()) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto high = HexDigit(word[2 * i]);
        const auto low = HexDigit(word[2 * i + 1]);
        if (!high || !low) return false;
        bytes[i] = static_cast<std::uint8_t>((*high << 4) | *low);
    }
    return true;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
        if (at > start) words.push_back(line.substr(start, at - start));
    }
    return words;
}

TranscriptEntry EntryForHeader(VendorDirection direction, std::span<const std::uint8_t> packet, bool succeeded) {
    TranscriptEntry entry;
    entry.direction = direction;
    entry.succeeded = succeeded;
    if (!packet.empty()) entry.requestCode = packet[0];
    entry.value = {packet.size() > 1 ? packet[1] : std::uint8_t{0}, packet.size() > 2 ? packet[2] : std::uint8_t{0}};
    return entry;
}

// One non-empty line without its comment; the message says what is wrong.
std::optional<TranscriptEntry> ParseLine(std::string_view line, std::string& message) {
    auto words = SplitWords(line);
    TranscriptEntry entry;
    if (words[0] == "SET") {
        entry.direction = VendorDirection::Set;
    } else if (words[0] == "GET") {
        entry.direction = VendorDirection::Get;
    } else {
        message = "expected SET or GET, found \"" + std::string(words[0]) + "\"";
        return std::nullopt;
    }
    if (words.size() < 3) {
        message = "expected a request code and a value after " + std::string(words[0]);
        return std::nullopt;
    }
    if (!ParseHex(words[1], std::span(&entry.requestCode, 1))) {
        message = "request code \"" + std::string(words[1]) + "\" is not two hex digits";
        return std::nullopt;
    }
    if (!ParseHex(words[2], entry.value)) {
        message = "value \"" + std::string(words[2]) + "\" is not four hex digits";
        return std::nullopt;
    }
    std::size_t end = words.size();
    if (words.back() == kFailed && end > 3) {
        entry.succeeded = false;
        --end;
    }
    for (std::size_t i = 3; i < end; ++i) {
        std::uint8_t byte = 0;
        if (!ParseHex(words[i], std::span(&byte, 1))) {
            message = "data byte " + std::to_string(i - 3) + " \"" + std::string(words[i]) + "\" is not two hex digits";
            return std::nullopt;
        }
        entry.data.push_back(byte);
    }
    if (entry.direction == VendorDirection::Get && !entry.succeeded && !entry.data.empty()) {
        message = "a failed GET answers no data";
        return std::nullopt;
    }
    if (entry.direction == VendorDirection::Set && entry.data.empty()) {
        message = "a SET carries at least one data byte";
        return std::nullopt;
    }
    return entry;
}

}  // namespace

TranscriptEntry EntryForSet(std::span<const std::uint8_t> packet, bool succeeded) {
    auto entry = EntryForHeader(VendorDirection::Set, packet, succeeded);
    if (packet.size() > kHeaderSize) entry.data.assign(packet.begin() + kHeaderSize, packet.end());
    return entry;
}

TranscriptEntry EntryForGet(std::span<const std::uint8_t> packet, bool succeeded) {
    auto entry = EntryForHeader(VendorDirection::Get, packet, succeeded);
    if (succeeded && packet.size() > kHeaderSize) entry.data.assign(packet.begin() + kHeaderSize, packet.end());
    return entry;
}

std::string FormatEntry(const TranscriptEntry& entry) {
    std::string line = entry.direction == VendorDirection::Set ? "SET " : "GET ";
    AppendHex(line, entry.requestCode);
    line += ' ';
    AppendHex(line, entry.value[0]);
    AppendHex(line, entry.value[1]);
    for (const std::uint8_t byte : entry.data) {
        line += ' ';
        AppendHex(line, byte);
    }
    if (!entry.succeeded) {
        line += ' ';
        line += kFailed;
    }
    return line;
}

std::string FormatTranscript(std::span<const TranscriptEntry> entries) {
    std::string text;
    for (const auto& entry : entries) {
        text += FormatEntry(entry);
        text += '\n';
    }
    return text;
}

TranscriptParse ParseTranscript(std::string_view text) {
    TranscriptParse result;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (const auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (SplitWords(line).empty()) continue;
        std::string message;
        auto entry = ParseLine(line, message);
        if (!entry) {
            result.error = TranscriptError{lineNumber, std::move(message)};
            return result;
        }
        result.entries.push_back(std::move(*entry));
    }
    return result;
}

TranscriptParse LoadTranscript(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        TranscriptParse result;
        result.error = TranscriptError{0, "cannot read " + path};
        return result;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseTranscript(text.str());
}

}  // namespace zt40
