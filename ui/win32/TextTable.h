#pragma once
// The Japanese edition's texts as a table generated from the .ts files when the program is
// built (tools/ts_table.py): one row per translated text, sorted by context, then source.
#include <span>
#include <string_view>

namespace zt40::win {

struct TextRow {
    const char* context;
    const char* source;    // the English source text, as the code marks it
    const char* japanese;  // UTF-8
};

// Every row, in order.
std::span<const TextRow> JapaneseRows();

// The row's translation for (context, source) in sorted `rows`; null when it has none.
const char* FindTranslation(std::span<const TextRow> rows, std::string_view context, std::string_view source);

}  // namespace zt40::win
