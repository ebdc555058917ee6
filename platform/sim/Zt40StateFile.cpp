#include "platform/sim/Zt40StateFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <limits>
#include <optional>
#include <span>

#include "platform/ByteOrderMark.h"
#include "platform/TextCompare.h"
#include "platform/TextOutput.h"
#include "platform/os/SmallFile.h"

namespace zt40 {

namespace {

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == ',')) ++at;
        const std::size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t' && text[at] != ',') ++at;
        if (at > start) words.push_back(text.substr(start, at - start));
    }
    return words;
}

// Decimal or 0x-hex, with an optional minus sign; nothing for anything else.
std::optional<std::int64_t> ParseInteger(std::string_view word) {
    bool negative = false;
    if (word.starts_with('-')) {
        negative = true;
        word.remove_prefix(1);
    }
    int base = 10;
    if (word.starts_with("0x") || word.starts_with("0X")) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), magnitude, base);
    if (error == std::errc::result_out_of_range) return std::numeric_limits<std::int64_t>::max();  // caught as out of range
    if (error != std::errc{} || end != word.data() + word.size()) return std::nullopt;
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

// `count` numbers of type T, each within T's range (or a narrower one).
template <typename T, std::size_t N>
bool ParseNumbers(std::string_view key, std::string_view text, std::span<T, N> out, std::string& error,
                  std::int64_t min = std::numeric_limits<T>::min(), std::int64_t max = std::numeric_limits<T>::max()) {
    const auto words = SplitWords(text);
    if (words.size() != out.size()) {
        error = std::string(key) + " needs " + std::to_string(out.size()) +
                (out.size() == 1 ? " number" : " numbers") + ", found " + std::to_string(words.size());
        return false;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto value = ParseInteger(words[i]);
        if (!value) {
            error = std::string(key) + ": \"" + std::string(words[i]) + "\" is not a number";
            return false;
        }
        if (*value < min || *value > max) {
            error = std::string(key) + ": " + std::string(words[i]) + " is out of range (" + std::to_string(min) +
                    " to " + std::to_string(max) + ")";
            return false;
        }
        out[i] = static_cast<T>(*value);
    }
    return true;
}

template <typename T>
bool ParseNumber(std::string_view key, std::string_view text, T& out, std::string& error) {
    return ParseNumbers(key, text, std::span<T>(&out, 1), error);
}

bool ParseSerial(std::string_view text, std::string& serial, std::string& error) {
    const auto valid = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.';
    };
    if (text.empty() || !std::ranges::all_of(text, valid)) {
        error = "serial: \"" + std::string(text) + "\" must be letters, digits, '-', '_' or '.'";
        return false;
    }
    serial = text;
    return true;
}

bool IsOpcode(std::int64_t value) {
    return value == wire::kOpStatus || value == wire::kOpMotionBlock || value == wire::kOpDownload ||
           value == wire::kOpExtended;
}

bool ParseFault(std::string_view text, SimPrinterSetup& setup, std::string& error) {
    if (text == "none") return true;
    if (text == "unplugged") {
        setup.plugged = false;
        return true;
    }
    if (text == "off") {
        setup.powered = false;
        return true;
    }
    if (text == "held") {
        setup.heldElsewhere = true;
        return true;
    }
    if (text == "never_finish") {
        setup.faults.neverFinish = true;
        return true;
    }
    if (text.starts_with("error:")) {
        const auto value = ParseInteger(Trim(text.substr(6)));
        // 0 would read as success and an opcode as "still busy": neither is an error state.
        if (!value || *value < 1 || *value > 0xFF || IsOpcode(*value)) {
            error = "fault: error state \"" + std::string(text.substr(6)) +
                    "\" must be 1 to 255 and not an opcode (0x01, 0x40, 0x64, 0x78)";
            return false;
        }
        setup.faults.errorState = static_cast<std::uint8_t>(*value);
        return true;
    }
    error = "fault: \"" + std::string(text) + "\" is not none, unplugged, off, held, never_finish or error:<n>";
    return false;
}

using KeyParser = std::function<bool(std::string_view key, std::string_view value, SimPrinterSetup&, std::string&)>;

struct KeyRule {
    std::string_view key;
    KeyParser parse;
};

const std::vector<KeyRule>& Rules() {
    static const std::vector<KeyRule> rules = {
        {"serial", [](auto, auto v, auto& s, auto& e) { return ParseSerial(v, s.serial, e); }},
        {"status", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.state.status, e); }},
        {"word_pair", [](auto k, auto v, auto& s, auto& e) { return ParseNumbers(k, v, std::span(s.state.wordPair), e); }},
        {"selected_pin", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.state.selectedPin, e); }},
        {"adjustments",
         [](auto k, auto v, auto& s, auto& e) { return ParseNumbers(k, v, std::span(s.state.adjustments), e); }},
        {"total", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.state.total, e); }},
        {"pin_counters",
         [](auto k, auto v, auto& s, auto& e) { return ParseNumbers(k, v, std::span(s.state.pinCounters), e); }},
        {"head_counters",
         [](auto k, auto v, auto& s, auto& e) { return ParseNumbers(k, v, std::span(s.state.headCounters), e); }},
        {"head_flag",
         [](auto k, auto v, auto& s, auto& e) {
             std::uint8_t flag = 0;
             if (!ParseNumbers(k, v, std::span(&flag, 1), e, 0, 1)) return false;
             s.state.headFlag = flag == 1;
             return true;
         }},
        {"head_position", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.state.headPosition, e); }},
        {"busy_polls", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.faults.busyPolls, e); }},
        {"not_ready_reads", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.notReadyReads, e); }},
        {"not_ready_status", [](auto k, auto v, auto& s, auto& e) { return ParseNumber(k, v, s.notReadyStatus, e); }},
        {"fault", [](auto, auto v, auto& s, auto& e) { return ParseFault(v, s, e); }},
    };
    return rules;
}

}  // namespace

StateFileResult ParseStateFile(std::string_view text) {
    text = WithoutByteOrderMark(text);
    StateFileResult result;
    std::vector<std::string_view> seen;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (const auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        line = Trim(line);
        if (line.empty()) continue;

        const auto fail = [&](std::string message) { result.errors.push_back({lineNumber, std::move(message)}); };
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            fail("expected key = value, found \"" + std::string(line) + "\"");
            continue;
        }
        const auto key = Trim(line.substr(0, equals));
        const auto value = Trim(line.substr(equals + 1));
        const auto rule = std::ranges::find_if(Rules(), [key](const KeyRule& r) { return r.key == key; });
        if (rule == Rules().end()) {
            fail("unknown key \"" + std::string(key) + "\"");
            continue;
        }
        if (std::ranges::find(seen, key) != seen.end()) {
            fail("\"" + std::string(key) + "\" is given twice");
            continue;
        }
        seen.push_back(key);
        std::string message;
        if (!rule->parse(key, value, result.setup, message)) fail(std::move(message));
    }
    return result;
}

StateFileResult LoadStateFile(const std::string& path) {
    StateFileResult result;
    const auto fail = [&](std::string message) {
        result.errors.push_back({0, std::move(message)});
        return result;
    };
    auto file = ReadSmallFile(path, kMaxStateFileSize);
    switch (file.problem) {
    case SmallFile::Problem::None:
        return ParseStateFile(file.text);
    case SmallFile::Problem::CannotRead:
        return fail("cannot read the file: " + file.systemText);
    case SmallFile::Problem::IsFolder:
        return fail("is a folder, not a state file");
    case SmallFile::Problem::NotRegular:
        return fail("is not a regular file (a device, FIFO or socket cannot be a state file)");
    case SmallFile::Problem::TooLong:
        return fail("is " + std::to_string(file.size) + " bytes long; a state file has at most " +
                    std::to_string(kMaxStateFileSize));
    case SmallFile::Problem::GrewTooLong:
        return fail("is longer than " + std::to_string(kMaxStateFileSize) + " bytes");
    }
    return fail("cannot read the file");
}

std::string DescribeErrors(std::string_view source, const std::vector<StateFileError>& errors) {
    std::string text;
    for (const auto& error : errors) {
        text += source;
        if (error.line > 0) text += ":" + std::to_string(error.line);
        text += ": " + EscapeForTerminal(error.message) + "\n";
    }
    return text;
}

void ApplySetup(SimulatedZt40& printer, const SimPrinterSetup& setup) {
    printer.State() = setup.state;
    printer.Faults() = setup.faults;
    printer.Firmware().SetNotReady(setup.notReadyReads, setup.notReadyStatus);
    if (setup.plugged) {
        printer.Plug();
    } else {
        printer.Unplug();
    }
    if (setup.powered) {
        printer.PowerOn();
    } else {
        printer.PowerOff();
    }
    printer.SetHeldElsewhere(setup.heldElsewhere);
}

}  // namespace zt40
