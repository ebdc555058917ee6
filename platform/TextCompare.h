#pragma once
// Small text helpers shared by the core and the platform adapters.
#include <string_view>

namespace zt40 {

// Equality without regard to letter case; bytes outside ASCII compare as they are,
// which keeps multi-byte UTF-8 sequences intact.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Without the spaces, tabs and carriage returns at either end (a CRLF file's lines keep
// their CR when split at LF).
std::string_view Trim(std::string_view text);

}  // namespace zt40
