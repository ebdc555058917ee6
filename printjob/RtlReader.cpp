#include "printjob/RtlReader.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/TextCompare.h"

namespace zt40 {

namespace {

constexpr std::uint8_t kEsc = 0x1b;
constexpr std::string_view kUel = "\x1b%-12345X";

// Limits that keep a hostile stream from demanding unbounded memory; far above any real job.
constexpr std::size_t kMaxPjlLine = 4096;
constexpr std::size_t kMaxRowWidth = 65535;
constexpr std::size_t kMaxImageDots = std::size_t{1} << 26;
constexpr int kMaxValueDigits = 9;
constexpr long kMaxCursor = 999'999'999;  // relative moves cannot run the cursor out of range

bool IsLowerParameter(std::uint8_t c) { return c >= 0x60 && c <= 0x7e; }
bool IsUpperParameter(std::uint8_t c) { return c >= 0x40 && c <= 0x5e; }

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// The language named by an "@PJL ENTER LANGUAGE = x" line, empty for any other line.
std::string EnteredLanguage(std::string_view line) {
    const std::string upper = ToUpper(line);
    std::string_view rest = upper;
    rest.remove_prefix(4);  // "@PJL"
    rest = Trim(rest);
    constexpr std::string_view kEnter = "ENTER";
    if (!rest.starts_with(kEnter)) return {};
    rest = Trim(rest.substr(kEnter.size()));
    constexpr std::string_view kLanguage = "LANGUAGE";
    if (!rest.starts_with(kLanguage)) return {};
    rest = Trim(rest.substr(kLanguage.size()));
    if (!rest.starts_with('=')) return {};
    return std::string(Trim(rest.substr(1)));
}

class RtlDecoder {
public:
    explicit RtlDecoder(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    RtlDecodeResult Run() {
        while (m_pos < m_bytes.size()) {
            const bool stepped = m_inRtl ? StepRtl() : StepPjl();
            if (!stepped) return Finish();
        }
        if (m_inRtl) Fail(m_rasterOpen ? "stream ends inside raster graphics" : "stream ends in the raster language",
                          m_pos);
        return Finish();
    }

private:
    enum class JobPart { Header, Closing };

    bool Fail(std::string text, std::size_t offset) {
        if (m_result.error.empty()) {
            m_result.error = std::move(text);
            m_result.errorOffset = offset;
        }
        return false;
    }

    RtlDecodeResult Finish() {
        if (m_rasterOpen) CloseRaster();
        m_result.ok = m_result.error.empty();
        return std::move(m_result);
    }

    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    // 1 when the UEL starts here, 0 when something else does, -1 when the input ends inside it.
    int MatchUel() const {
        const std::size_t available = std::min(Remaining(), kUel.size());
        for (std::size_t i = 0; i < available; ++i)
            if (m_bytes[m_pos + i] != static_cast<std::uint8_t>(kUel[i])) return 0;
        return available == kUel.size() ? 1 : -1;
    }

    RtlJob& StartJob(bool withUel) {
        m_result.jobs.emplace_back().startsWithUel = withUel;
        m_part = JobPart::Header;
        return m_result.jobs.back();
    }

    RtlJob& CurrentJob() { return m_result.jobs.empty() ? StartJob(false) : m_result.jobs.back(); }

    // ---- PJL ----

    bool StepPjl() {
        if (m_bytes[m_pos] == kEsc) {
            const int uel = MatchUel();
            if (uel < 0) return Fail("stream ends inside the UEL sequence", m_pos);
            if (uel == 0) return Fail("escape sequence in PJL", m_pos);
            OnUelInPjl();
            m_pos += kUel.size();
            return true;
        }
        const std::size_t searchEnd = m_pos + std::min(Remaining(), kMaxPjlLine + 1);
        const auto begin = m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos);
        const auto end = m_bytes.begin() + static_cast<std::ptrdiff_t>(searchEnd);
        const auto lineFeed = std::find(begin, end, std::uint8_t{'\n'});
        if (lineFeed == end) {
            return Fail(searchEnd == m_bytes.size() ? "stream ends inside a PJL line" : "PJL line too long", m_pos);
        }
        std::string line(begin, lineFeed);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find(static_cast<char>(kEsc)) != std::string::npos) return Fail("escape inside a PJL line", m_pos);
        if (!line.starts_with("@PJL")) return Fail("not a PJL line", m_pos);
        const std::size_t lineStart = m_pos;
        m_pos += static_cast<std::size_t>(lineFeed - begin) + 1;
        return OnPjlLine(std::move(line), lineStart);
    }

    void OnUelInPjl() {
        // A UEL in PJL opens a job, unless the current one has not received anything yet.
        if (m_result.jobs.empty() || m_part == JobPart::Closing || !m_result.jobs.back().headerLines.empty()) {
            StartJob(true);
        } else {
            m_result.jobs.back().startsWithUel = true;
        }
    }

    bool OnPjlLine(std::string line, std::size_t offset) {
        const std::string language = EnteredLanguage(line);
        if (language == "RTL" && m_part == JobPart::Closing && !m_result.jobs.empty()) StartJob(false);
        RtlJob& job = CurrentJob();
        (m_part == JobPart::Header ? job.headerLines : job.closingLines).push_back(std::move(line));
        if (language.empty() || language == "RESET") return true;
        if (language != "RTL") return Fail("unsupported printer language " + language, offset);
        m_inRtl = true;
        return true;
    }

    // ---- RTL ----

    bool StepRtl() {
        if (m_bytes[m_pos] != kEsc) {
            if (m_rasterOpen) ++m_rasterStrayBytes;
            ++m_pos;
            return true;
        }
        if (Remaining() < 2) return Fail("stream ends inside an escape sequence", m_pos);
        const std::uint8_t second = m_bytes[m_pos + 1];
        if (second == '%') {
            const int uel = MatchUel();
            if (uel < 0) return Fail("stream ends inside the UEL sequence", m_pos);
            if (uel == 0) return Fail("unsupported language switch", m_pos);
            if (m_rasterOpen) CloseRaster();
            CurrentJob().endsWithUel = true;
            m_part = JobPart::Closing;
            m_inRtl = false;
            m_pos += kUel.size();
            return true;
        }
        if (second >= 0x21 && second <= 0x2f) return ParseParameterized(second);
        if (second >= 0x30 && second <= 0x7e) {
            if (second == 'E') {
                if (m_rasterOpen) CloseRaster();
                ++CurrentJob().resets;
            }
            m_pos += 2;
            return true;
        }
        return Fail("invalid escape sequence", m_pos);
    }

    struct Value {
        long number = 0;
        bool signed_ = false;
    };

    bool ParseValue(std::size_t& p, Value& value) {
        const std::size_t start = p;
        bool negative = false;
        if (p < m_bytes.size() && (m_bytes[p] == '+' || m_bytes[p] == '-')) {
            negative = m_bytes[p] == '-';
            value.signed_ = true;
            ++p;
        }
        int digits = 0;
        long number = 0;
        while (p < m_bytes.size() && m_bytes[p] >= '0' && m_bytes[p] <= '9') {
            if (++digits > kMaxValueDigits) return Fail("number too large", start);
            number = number * 10 + (m_bytes[p] - '0');
            ++p;
        }
        if (p < m_bytes.size() && m_bytes[p] == '.') {  // fractions are accepted and dropped
            ++p;
            int fractionDigits = 0;
            while (p < m_bytes.size() && m_bytes[p] >= '0' && m_bytes[p] <= '9') {
                if (++fractionDigits > kMaxValueDigits) return Fail("number too large", start);
                ++p;
            }
        }
        value.number = negative ? -number : number;
        return true;
    }

    // ESC, a parameterised character, a group character, then value-parameter pairs;
    // lower-case parameters continue the sequence, an upper-case one ends it.
    bool ParseParameterized(std::uint8_t family) {
        const std::size_t start = m_pos;
        std::size_t p = m_pos + 2;
        if (p >= m_bytes.size()) return Fail("stream ends inside an escape sequence", start);
        const std::uint8_t group = m_bytes[p++];
        if (!IsLowerParameter(group)) return Fail("invalid escape sequence", start);
        for (;;) {
            Value value;
            if (!ParseValue(p, value)) return false;
            if (p >= m_bytes.size()) return Fail("stream ends inside an escape sequence", start);
            const std::uint8_t parameter = m_bytes[p++];
            const bool last = IsUpperParameter(parameter);
            if (!last && !IsLowerParameter(parameter)) return Fail("invalid escape sequence", start);
            const char letter = static_cast<char>(last ? parameter : parameter - 0x20);
            std::span<const std::uint8_t> data;
            if (letter == 'W') {
                if (value.number < 0) return Fail("negative data length", start);
                const auto length = static_cast<std::size_t>(value.number);
                if (m_bytes.size() - p < length) return Fail("stream ends inside a data transfer", start);
                data = m_bytes.subspan(p, length);
                p += length;
            }
            if (!OnCommand(static_cast<char>(family), static_cast<char>(group - 0x20), letter, value, data, start))
                return false;
            if (last) break;
        }
        m_pos = p;
        return true;
    }

    bool OnCommand(char family, char group, char letter, const Value& value, std::span<const std::uint8_t> data,
                   std::size_t offset) {
        if (family != '*') return true;
        RtlJob& job = CurrentJob();
        if (group == 'R') {
            if (letter == 'A' && !m_rasterOpen) OpenRaster();
            if ((letter == 'B' || letter == 'C') && m_rasterOpen) CloseRaster();
        } else if (group == 'P' && (letter == 'X' || letter == 'Y')) {
            long& cursor = letter == 'X' ? m_cursorX : m_cursorY;
            cursor = std::clamp(value.signed_ ? cursor + value.number : value.number, -kMaxCursor, kMaxCursor);
        } else if (group == 'B' && letter == 'W') {
            return AddRow(data, offset);
        } else if (group == 'V') {
            switch (letter) {
                case 'W': job.imageConfiguration.assign(data.begin(), data.end()); break;
                case 'A': m_components[0] = value.number; break;
                case 'B': m_components[1] = value.number; break;
                case 'C': m_components[2] = value.number; break;
                case 'I':
                    job.palette.push_back({static_cast<int>(value.number), static_cast<int>(m_components[0]),
                                           static_cast<int>(m_components[1]), static_cast<int>(m_components[2])});
                    break;
                default: break;
            }
        }
        return true;
    }

    void OpenRaster() {
        m_rasterOpen = true;
        m_rows.clear();
        m_rasterWidth = 0;
        m_rasterStrayBytes = 0;
        m_imageTop = m_cursorY;
        m_imageLeft = m_cursorX;
    }

    bool AddRow(std::span<const std::uint8_t> row, std::size_t offset) {
        if (!m_rasterOpen) OpenRaster();  // a row transfer starts raster graphics by itself
        if (row.size() > kMaxRowWidth) return Fail("raster row too wide", offset);
        const std::size_t width = std::max(m_rasterWidth, row.size());
        if (width * (m_rows.size() + 1) > kMaxImageDots) return Fail("raster image too large", offset);
        if (m_rows.empty()) {
            m_imageTop = m_cursorY;
            m_imageLeft = m_cursorX;
        }
        m_rasterWidth = width;
        m_rows.emplace_back(row.begin(), row.end());
        return true;
    }

    void CloseRaster() {
        RtlImage image;
        image.top = static_cast<int>(m_rows.empty() ? m_cursorY : m_imageTop);
        image.left = static_cast<int>(m_rows.empty() ? m_cursorX : m_imageLeft);
        image.width = static_cast<int>(m_rasterWidth);
        image.height = static_cast<int>(m_rows.size());
        image.strayBytes = m_rasterStrayBytes;
        image.dots.assign(m_rasterWidth * m_rows.size(), 0);
        for (std::size_t y = 0; y < m_rows.size(); ++y)
            std::copy(m_rows[y].begin(), m_rows[y].end(),
                      image.dots.begin() + static_cast<std::ptrdiff_t>(y * m_rasterWidth));
        CurrentJob().images.push_back(std::move(image));
        m_rows.clear();
        m_rasterOpen = false;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    RtlDecodeResult m_result;
    bool m_inRtl = false;
    JobPart m_part = JobPart::Header;

    long m_cursorX = 0;
    long m_cursorY = 0;
    long m_components[3] = {0, 0, 0};

    bool m_rasterOpen = false;
    std::vector<std::vector<std::uint8_t>> m_rows;
    std::size_t m_rasterWidth = 0;
    std::size_t m_rasterStrayBytes = 0;
    long m_imageTop = 0;
    long m_imageLeft = 0;
};

}  // namespace

std::uint8_t RtlImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return dots[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

RtlDecodeResult DecodeRtlStream(std::span<const std::uint8_t> bytes) { return RtlDecoder(bytes).Run(); }

}  // namespace zt40
