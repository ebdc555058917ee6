// The Windows edition's texts: the table generated from the .ts files, found by context and
// source, and the two editions rendered as wide strings.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/CPinwardenDlg.h"
#include "app/WindowTexts.h"
#include "session/RollbackPrompt.h"
#include "ui/win32/TextTable.h"
#include "ui/win32/WinText.h"
#include "wizards/WizardButtonTexts.h"

namespace zt40::win {
namespace {

class EditionTest : public ::testing::Test {
protected:
    void TearDown() override { UseLanguage(Language::English); }
};

TEST(TextTableTest, RowsAreSortedWithoutRepeatsSoThatTheSearchFindsEach) {
    const auto rows = JapaneseRows();
    ASSERT_GT(rows.size(), 100u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto before = std::tuple<std::string_view, std::string_view>(rows[i - 1].context, rows[i - 1].source);
        const auto after = std::tuple<std::string_view, std::string_view>(rows[i].context, rows[i].source);
        EXPECT_LT(before, after) << rows[i].context << " / " << rows[i].source;
    }
    for (const TextRow& row : rows) EXPECT_EQ(FindTranslation(rows, row.context, row.source), row.japanese);
}

TEST(TextTableTest, FindsOnlyTheExactContextAndSource) {
    struct Case {
        const char* context;
        const char* source;
        const char* expected;  // UTF-8; null: no translation
    };
    const Case cases[] = {
        {"WizardHost", "Cancel", "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB"},
        {"CPinwardenDlg", "Amount used", "\xE4\xBD\xBF\xE7\x94\xA8\xE9\x87\x8F"},
        // The same source in two contexts: each context's own row.
        {"CPinwardenDlg", "No.%1:", "No.%1:"},
        {"SimulatorWindow", "No.%1:", "No.%1:"},
        {"CPinwardenDlg", "Cancel", nullptr},
        {"WizardHost", "Cance", nullptr},
        {"WizardHost", "Cancel ", nullptr},
        {"", "Cancel", nullptr},
        {"ZZZ", "Cancel", nullptr},
    };
    for (const auto& c : cases) {
        const char* found = FindTranslation(JapaneseRows(), c.context, c.source);
        if (c.expected == nullptr) {
            EXPECT_EQ(found, nullptr) << c.context << " / " << c.source;
        } else {
            ASSERT_NE(found, nullptr) << c.context << " / " << c.source;
            EXPECT_STREQ(found, c.expected);
        }
    }
}

// A text moved out of a window's code must keep its context and source to the letter, or the
// Japanese edition silently shows English.
TEST(TextTableTest, EveryTextOfTheWindowsHasItsJapaneseRow) {
    const Text texts[] = {kWindowCaption,    kConnectRequest,   kTitleText,         kCleaningText,
                          kReplaceHeadText,  kReadjustPinsText, kPinGroupText,      kPinHintText,
                          kAmountUsedText,   kRefreshText,      kApplyPinChangeText, kPinNumberText,
                          kAboutTitleText,   kAboutVersionText, kAboutNoticeText,   kAboutOkText,
                          kCancelText,       kBackText,         kNextText,          kFinishText};
    for (const Text& text : texts) {
        EXPECT_NE(FindTranslation(JapaneseRows(), text.context, text.source), nullptr)
            << text.context << " / " << text.source;
    }
}

TEST_F(EditionTest, EachEditionRendersItsOwnWords) {
    RollbackFailure both;
    both.pinSettings = both.usageCounters = true;
    struct Case {
        Language language;
        Message message;
        std::wstring expected;
    };
    const Case cases[] = {
        {Language::English, Message::Of(kCancelText), L"Cancel"},
        {Language::Japanese, Message::Of(kCancelText), L"\u30AD\u30E3\u30F3\u30BB\u30EB"},
        {Language::Japanese, Message::Of(ZT40_TR("CPinwardenDlg", "Cleaning: step %1 of %2"), {"3", "6"}),
         L"\u30AF\u30EA\u30FC\u30CB\u30F3\u30B0\u4E2D: \u30B9\u30C6\u30C3\u30D7 3/6"},
        {Language::English, Message::Of(ZT40_TR("CPinwardenDlg", "Cleaning: step %1 of %2"), {"3", "6"}),
         L"Cleaning: step 3 of 6"},
        // Untranslated: the English source, arguments filled in.
        {Language::Japanese, Message::Of(ZT40_TR("Nowhere", "Step %1 \u00e9"), {"2"}), L"Step 2 \u00e9"},
        // The spooler's own words stay as they are in either edition.
        {Language::Japanese, Message::Verbatim("Zugriff verweigert \xE2\x80\x94 5"), L"Zugriff verweigert \u2014 5"},
        {Language::Japanese, Message{}, L""},
    };
    for (const auto& c : cases) {
        UseLanguage(c.language);
        EXPECT_EQ(CurrentLanguage(), c.language);
        EXPECT_EQ(Render(c.message), c.expected) << c.message.English();
    }
    // A translation spanning paragraphs keeps its line breaks and differs from the English.
    UseLanguage(Language::Japanese);
    const std::wstring japanese = Render(RollbackFailedMessage(both));
    EXPECT_NE(japanese, Widen(RollbackFailedMessage(both).English()));
    EXPECT_NE(japanese.find(L"\n\n"), std::wstring::npos);
}

TEST(WideTextTest, RoundTripsWhatUtf8Holds) {
    const std::string cases[] = {"", "ASCII only", "\xE3\x82\xAD\xE3\x83\xA3", "\xF0\x9F\x96\xA8 printer", std::string("a\0b", 3)};
    for (const auto& utf8 : cases) EXPECT_EQ(Narrow(Widen(utf8)), utf8);
    // Outside the basic plane: a surrogate pair.
    EXPECT_EQ(Widen("\xF0\x9F\x96\xA8").size(), 2u);
    EXPECT_EQ(Translate(Text{}), L"");
}

}  // namespace
}  // namespace zt40::win
