// Outside text on a terminal: what a terminal would act on is escaped, characters stay, and
// columns line up by the width a terminal gives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextOutput.h"

namespace zt40::testing {
namespace {

TEST(EscapeForTerminal, EscapesControlsAndMalformedBytesKeepsCharacters) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"plain ASCII ~", "plain ASCII ~"},
        {"\x1b[31mX", "\\x1B[31mX"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"tab\there\n", "tab\\x09here\\x0A"},
        {"\x7f", "\\x7F"},
        {"プリンタ", "プリンタ"},
        {"Zürich", "Zürich"},
        {"a\xc2\x9b" "b", "a\\xC2\\x9Bb"},             // C1 CSI, which some terminals obey
        {"\xe2\x80\xae" "abc", "\\xE2\\x80\\xAEabc"},  // right-to-left override
        {"lat\xe9", "lat\\xE9"},
        {"\xe3\x83", "\\xE3\\x83"},  // cut short at the end
        {"\xe3\x83" "A", "\\xE3\\x83A"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeForTerminal(c.in), c.out) << c.out;
}

TEST(DisplayWidth, CountsTerminalColumns) {
    const struct {
        std::string text;
        std::size_t width;
    } cases[] = {
        {"", 0},
        {"ZT-40", 5},
        {"プリンタ", 8},              // wide
        {"ﾌﾟﾘﾝﾀ", 5},               // half-width forms are narrow
        {"Zürich", 6},
        {"Zu\xcc\x88rich", 6},       // combining diaeresis takes no column
        {"\xef\xbc\xa1", 2},         // fullwidth A
        {"\xf0\x9f\x98\x80", 2},     // a face, in them
        {"lat\xe9", 4},              // a malformed byte is one column, as its escape is not
        {"\\xE9", 4},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
}

TEST(AlignedColumns, LinesUpByDisplayWidthWithoutTrailingBlanks) {
    const std::vector<std::vector<std::string>> rows = {
        {"QUEUE", "DRIVER", "MATCH"},
        {"プリンタ", "Velmora ZT-40", "yes"},
        {"ZT-40", "", "no"},
        {"x", "y", ""},
    };
    EXPECT_EQ(AlignedColumns(rows),
              "QUEUE     DRIVER         MATCH\n"
              "プリンタ  Velmora ZT-40  yes\n"
              "ZT-40                    no\n"
              "x         y\n");
}

}  // namespace
}  // namespace zt40::testing
