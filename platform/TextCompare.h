#pragma once
// Text comparisons shared by the core and the platform adapters.
#include <string_view>

namespace zt40 {

// Equality without regard to letter case; bytes outside ASCII compare as they are,
// which keeps multi-byte UTF-8 sequences intact.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zt40
