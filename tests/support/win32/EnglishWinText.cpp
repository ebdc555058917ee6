// The English edition of the windows' texts for the window tests, for a build without the
// translated table: each text is its source, arguments filled in.
#include <windows.h>

#include "ui/win32/WinText.h"

namespace zt40::win {

Language UserLanguage() { return Language::English; }
void UseLanguage(Language) {}
Language CurrentLanguage() { return Language::English; }

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring Translate(const Text& text) { return Widen(text.source == nullptr ? "" : text.source); }

std::wstring Render(const Message& message) { return Widen(message.English()); }

}  // namespace zt40::win
