#pragma once
// The little JSON that --json output needs: objects written in a fixed key order, texts
// escaped, numbers as numbers. Keys are part of the output's contract: never rename one.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace zt40::ctl {

inline std::string JsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Members are added in order; the caller closes with End().
class JsonObject {
public:
    JsonObject& Text(std::string_view key, std::string_view value) { return Raw(key, JsonText(value)); }
    JsonObject& Number(std::string_view key, std::int64_t value) { return Raw(key, std::to_string(value)); }
    JsonObject& Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    JsonObject& Raw(std::string_view key, std::string_view json) {
        m_text += (m_text.size() > 1 ? "," : "") + JsonText(key) + ":" + std::string(json);
        return *this;
    }
    std::string End() const { return m_text + "}"; }

private:
    std::string m_text = "{";
};

template <typename Range, typename ToJson>
std::string JsonArray(const Range& items, ToJson toJson) {
    std::string text = "[";
    for (const auto& item : items) text += (text.size() > 1 ? "," : "") + toJson(item);
    return text + "]";
}

}  // namespace zt40::ctl
