#pragma once
// The Windows edition's texts: the same marked source texts as the Qt edition, translated from
// the same .ts files (turned into a table when the program is built), as wide strings for the
// W functions, so that Japanese shows whatever the system's code page.
#include <string>
#include <string_view>

#include "platform/Text.h"

namespace zt40::win {

enum class Language { English, Japanese };

// The edition the user's UI language asks for: Japanese for any Japanese, else English.
Language UserLanguage();
// The edition every later Translate and Render gives (the program picks UserLanguage()).
void UseLanguage(Language language);
Language CurrentLanguage();

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The text in the current edition; the English source where the edition has no translation.
std::wstring Translate(const Text& text);
// A marked text translated with its arguments filled in, or a verbatim text as it stands.
std::wstring Render(const Message& message);

}  // namespace zt40::win
