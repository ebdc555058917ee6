#pragma once
// The little JSON that --json output needs: objects written in a fixed key order, texts
// escaped (the document is valid UTF-8 whatever the texts held), numbers as numbers. Keys
// are part of the output's contract: never rename one.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/TextOutput.h"

namespace zt40::ctl {

// Members are added in order; the caller closes with End().
class JsonObject {
public:
    JsonObject& Text(std::string_view key, std::string_view value) { return Raw(key, JsonString(value)); }
    JsonObject& Number(std::string_view key, std::int64_t value) { return Raw(key, std::to_string(value)); }
    JsonObject& Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    JsonObject& Raw(std::string_view key, std::string_view json) {
        m_text += (m_text.size() > 1 ? "," : "") + JsonString(key) + ":" + std::string(json);
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
