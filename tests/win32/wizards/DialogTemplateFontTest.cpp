// A dialog template's font found behind menus, classes and titles of every form, and replaced
// in place only where the new face fits.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/win32/DialogTemplateFont.h"

namespace zt40::win {
namespace {

void Put(std::vector<WORD>& words, std::wstring_view text) {
    for (const wchar_t c : text) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
}

void PutLong(std::vector<WORD>& words, DWORD value) {
    words.push_back(static_cast<WORD>(value & 0xFFFF));
    words.push_back(static_cast<WORD>(value >> 16));
}

struct Shape {
    const char* name;
    bool extended;
    DWORD style;
    std::vector<WORD> menu;   // as stored: {0}, {0xFFFF, id} or a string
    std::vector<WORD> klass;
    std::wstring title;
};

// A template header as the resource compiler writes it, ending with its font, then a word
// that belongs to the first item.
std::vector<WORD> Template(const Shape& shape, WORD points, std::wstring_view face) {
    std::vector<WORD> words;
    if (shape.extended) {
        words = {1, 0xFFFF};
        PutLong(words, 0);  // help id
        PutLong(words, 0);  // extended style
        PutLong(words, shape.style);
    } else {
        PutLong(words, shape.style);
        PutLong(words, 0);
    }
    words.insert(words.end(), {3, 0, 0, 300, 170});  // items, x, y, cx, cy
    words.insert(words.end(), shape.menu.begin(), shape.menu.end());
    words.insert(words.end(), shape.klass.begin(), shape.klass.end());
    Put(words, shape.title);
    if ((shape.style & DS_SETFONT) != 0) {
        words.push_back(points);
        if (shape.extended) words.insert(words.end(), {FW_NORMAL, 0x8000});  // weight; italic and charset
        Put(words, face);
    }
    words.push_back(0xBEEF);
    return words;
}

std::vector<WORD> Words(std::wstring_view text) {
    std::vector<WORD> words;
    Put(words, text);
    return words;
}

const DWORD kPage = DS_SETFONT | WS_CHILD;

TEST(DialogTemplateFontTest, FindsTheFontBehindEveryHeaderForm) {
    const Shape shapes[] = {
        {"extended, nothing before the font", true, kPage, {0}, {0}, L""},
        {"extended, ordinal menu and class, title", true, kPage, {0xFFFF, 7}, {0xFFFF, 0x8002}, L"wizard"},
        {"extended, named menu and class", true, kPage, Words(L"MENU"), Words(L"MyClass"), L"t"},
        {"plain, nothing before the font", false, kPage, {0}, {0}, L""},
        {"plain, named class and title", false, kPage, {0}, Words(L"Cls"), L"Power Off"},
    };
    for (const Shape& shape : shapes) {
        std::vector<WORD> dialog = Template(shape, 8, L"MS Shell Dlg");
        const auto font = ReadDialogFont(dialog);
        ASSERT_TRUE(font) << shape.name;
        EXPECT_EQ(font->points, 8) << shape.name;
        EXPECT_EQ(font->face, L"MS Shell Dlg") << shape.name;

        EXPECT_TRUE(WriteDialogFont(dialog, {9, L"MS UI Gothic"})) << shape.name;
        EXPECT_EQ(dialog, Template(shape, 9, L"MS UI Gothic")) << shape.name;
    }
}

TEST(DialogTemplateFontTest, LeavesTemplatesItCannotChangeSafelyAsTheyAre) {
    const Shape page{"page", true, kPage, {0}, {0}, L"Move Head"};
    const struct {
        const char* name;
        std::vector<WORD> dialog;
        DialogFont font;
    } cases[] = {
        // The items follow the face: a longer or shorter one would move them.
        {"longer face", Template(page, 8, L"MS Shell Dlg"), {8, L"MS Sans Serif"}},
        {"shorter face", Template(page, 8, L"MS Shell Dlg"), {8, L"Tahoma"}},
        {"no font set", Template({"no font", true, WS_CHILD, {0}, {0}, L"x"}, 8, L""), {8, L""}},
    };
    for (const auto& c : cases) {
        std::vector<WORD> dialog = c.dialog;
        EXPECT_FALSE(WriteDialogFont(dialog, c.font)) << c.name;
        EXPECT_EQ(dialog, c.dialog) << c.name;
    }
    EXPECT_FALSE(ReadDialogFont(Template({"no font", false, WS_CHILD, {0}, {0}, L"x"}, 8, L"")));
}

TEST(DialogTemplateFontTest, ATemplateCutShortHasNoFont) {
    const std::vector<WORD> whole = Template({"page", true, kPage, Words(L"M"), {0}, L"Title"}, 8, L"MS Shell Dlg");
    // Cut anywhere before the face's end: within the header, the menu, the title or the face.
    for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
        EXPECT_FALSE(ReadDialogFont(std::span(whole).first(length))) << length;
    }
    EXPECT_TRUE(ReadDialogFont(std::span(whole).first(whole.size() - 1)));
}

}  // namespace
}  // namespace zt40::win
