#pragma once
// Outside text (queue and driver names, arguments, file contents) made safe for where it is
// written: a JSON document, which must be valid UTF-8, or a terminal, which must not act on it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zt40 {

// The byte count of the well-formed UTF-8 sequence at `at` (1 to 4), or 0 where the bytes
// there are not one (a stray continuation byte, a cut or overlong sequence, a surrogate).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);

// A JSON string literal, quotes included. Well-formed UTF-8 stays as it is; control bytes,
// DEL and every byte that is not part of well-formed UTF-8 become \u00XX (the byte read as
// Latin-1), so the document is valid UTF-8 whatever the input was.
std::string JsonString(std::string_view text);

// Bytes a terminal would act on (controls, DEL, C1 controls, bidirectional overrides) and
// bytes that are not well-formed UTF-8, as \xNN; printable ASCII and UTF-8 characters stay.
std::string EscapeForTerminal(std::string_view text);

// The columns a terminal gives the UTF-8 text: two for East Asian wide characters, none for
// combining marks, one for anything else (a malformed byte included).
std::size_t DisplayWidth(std::string_view text);

// Rows of cells as lines, each column as wide as its widest cell (in display width) plus two
// spaces; no trailing blanks. Cells are written as given: escape them first.
std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows);

}  // namespace zt40
