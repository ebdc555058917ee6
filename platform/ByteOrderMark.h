#pragma once
// Editors on some systems start a UTF-8 text file with a byte-order mark; every reader of a
// text file that people edit passes over it.
#include <string_view>

namespace zt40 {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

inline std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    return text;
}

}  // namespace zt40
