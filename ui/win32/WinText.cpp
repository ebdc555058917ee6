#include "ui/win32/WinText.h"

#include <windows.h>

#include <algorithm>
#include <tuple>

#include "ui/win32/TextTable.h"

namespace zt40::win {

namespace {

Language g_language = Language::English;

std::tuple<std::string_view, std::string_view> Key(const TextRow& row) { return {row.context, row.source}; }

}  // namespace

const char* FindTranslation(std::span<const TextRow> rows, std::string_view context, std::string_view source) {
    const std::tuple<std::string_view, std::string_view> wanted{context, source};
    const auto found = std::lower_bound(rows.begin(), rows.end(), wanted,
                                        [](const TextRow& row, const auto& key) { return Key(row) < key; });
    if (found == rows.end() || Key(*found) != wanted) return nullptr;
    return found->japanese;
}

Language UserLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese : Language::English;
}

void UseLanguage(Language language) { g_language = language; }

Language CurrentLanguage() { return g_language; }

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

namespace {

// The edition's UTF-8 pattern for a marked text: the English source where none is translated.
std::string_view Pattern(const Text& text) {
    if (text.source == nullptr) return {};
    if (g_language == Language::Japanese && text.context != nullptr) {
        if (const char* japanese = FindTranslation(JapaneseRows(), text.context, text.source)) return japanese;
    }
    return text.source;
}

}  // namespace

std::wstring Translate(const Text& text) { return Widen(Pattern(text)); }

std::wstring Render(const Message& message) {
    return Widen(Compose(message, [](const Message& m) {
        return m.IsVerbatim() ? m.verbatim : FillArguments(Pattern(m.text), m.args);
    }));
}

}  // namespace zt40::win
