// The two adjustment pages in both wizards, the reading labels and the corrections, and the
// origin page: which controls show, which buttons, which embedded jobs reach the queue.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <ostream>
#include <string>
#include <vector>

#include "WizardFixture.h"
#include "wizards/OriginPin.h"
#include "wizards/Sheets.h"

namespace zt40 {
namespace {

class AdjustPinTest : public WizardFixture {
protected:
    // The Adjust Pin page entered in either wizard.
    CAdjustPinPage& EnterAdjustPin(CZt40utilSheet& sheet, std::size_t index) {
        Open(sheet);
        while (sheet.ActiveIndex() < index) Next(sheet);
        return *dynamic_cast<CAdjustPinPage*>(sheet.ActivePage());
    }
};

TEST_F(AdjustPinTest, EachWizardShowsItsOwnControlsAndButtons) {
    CChangeHeadSheet change(services, Spooling());
    CAdjustPinSheet adjust(services, Spooling());
    const struct {
        CZt40utilSheet* sheet;
        std::size_t index;
        bool lettersShown;
        std::uint32_t entry;
        std::uint32_t printed;
    } cases[] = {{&change, 5, false, kWizBack, kWizBack | kWizNext}, {&adjust, 0, true, 0, kWizNext}};
    for (const auto& c : cases) {
        CAdjustPinPage& page = EnterAdjustPin(*c.sheet, c.index);
        EXPECT_EQ(page.LettersShown(), c.lettersShown);
        EXPECT_EQ(host.Buttons(), c.entry);
        page.OnStartPrinting();
        host.Flush();
        EXPECT_EQ(host.Buttons(), c.printed);
        // Coming back finds Next without printing again.
        Next(*c.sheet);
        Back(*c.sheet);
        EXPECT_EQ(host.Buttons(), c.printed);
    }
}

TEST_F(AdjustPinTest, StartPrintingSendsTheWholePatternAndASecondRunReplacesTheJob) {
    CAdjustPinSheet sheet(services, Spooling());
    CAdjustPinPage& page = EnterAdjustPin(sheet, 0);
    page.OnStartPrinting();
    page.OnStartPrinting();
    ASSERT_EQ(spooler.Jobs().size(), 2u);
    EXPECT_EQ(DocumentResources()[0], (std::vector<int>{172, 171, 152}));
    EXPECT_EQ(spooler.Jobs()[0].docName, "Adjustment");
    EXPECT_EQ(sheet.JobId(), spooler.Jobs()[1].id);
}

TEST_F(AdjustPinTest, PrintLettersWithNo5SendsItsHeaderAndLeavesNextAsItWas) {
    CAdjustPinSheet sheet(services, Spooling());
    CAdjustPinPage& page = EnterAdjustPin(sheet, 0);
    page.m_pinIndex = 4;
    page.OnPrintLetters();
    host.Flush();
    EXPECT_EQ(host.Buttons(), 0u);
    EXPECT_EQ(page.m_printed, 0);
    ASSERT_EQ(spooler.Jobs().size(), 1u);
    EXPECT_EQ(DocumentResources()[0], (std::vector<int>{157, 171}));
    EXPECT_EQ(sheet.JobId(), spooler.Jobs()[0].id);
}

TEST_F(AdjustPinTest, AFailedPrintIsShownKeepsTheOldJobAndStillMovesOn) {
    CAdjustPinSheet sheet(services, Spooling());
    CAdjustPinPage& page = EnterAdjustPin(sheet, 0);
    page.OnStartPrinting();
    const std::int32_t first = sheet.JobId();
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::StartDoc, "The printer is out of paper."));
    page.OnStartPrinting();
    host.Flush();
    EXPECT_EQ(sheet.JobId(), first);
    EXPECT_EQ(host.Buttons(), kWizNext);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"The printer is out of paper."}));
}

TEST(CorrectionLabel, NamesEveryBlockBoundary) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "None"}, {1, "A1"},  {9, "A9"},  {10, "A0"}, {11, "B1"}, {20, "B0"},
        {21, "C1"},  {30, "C0"}, {31, "D1"}, {40, "D0"}, {-1, ""},   {41, ""}};
    for (const auto& [position, label] : cases) {
        EXPECT_EQ(CorrectionLabel(position), label) << position;
        if (*label != '\0') {
            EXPECT_EQ(PositionOfLabel(label), position) << label;
        }
    }
    EXPECT_EQ(PositionOfLabel("b3"), 13);
    EXPECT_FALSE(PositionOfLabel("E1"));
    EXPECT_FALSE(PositionOfLabel("A10"));
}

struct CorrectionCase {
    const char* name;
    PinReadings readings;
    PinCorrections corrections;
};

void PrintTo(const CorrectionCase& c, std::ostream* os) { *os << c.name; }

class Corrections : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(Corrections, AreTwiceTheDeviationFromTheMeanOfTheReadPins) {
    EXPECT_EQ(ComputePinCorrections(GetParam().readings), GetParam().corrections);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Corrections,
    ::testing::Values(
        CorrectionCase{"B2AndB5", {12, 15}, {-3, 3}},
        CorrectionCase{"TruncatedTowardZero", {10, 11, 13}, {-2, 0, 3}},
        CorrectionCase{"AllNone", {}, {}},
        CorrectionCase{"OnlyOnePinRead", {0, 0, 0, 0, 27}, {}},
        CorrectionCase{"NoneLeftOutOfTheMean", {0, 20, 0, 0, 0, 0, 0, 0, 30}, {0, -10, 0, 0, 0, 0, 0, 0, 10}},
        CorrectionCase{"AllNineAtTheEnds", {1, 40, 1, 40, 1, 40, 1, 40, 1},
                       {-34, 43, -34, 43, -34, 43, -34, 43, -34}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(AdjustPinTest, SlidersMoveByTheScrollCodeWithinTheRange) {
    CInputValuePage page;
    const struct {
        std::int32_t from;
        int code;
        std::int32_t thumb;
        std::int32_t to;
    } cases[] = {
        {0, CInputValuePage::kLineLeft, 0, 0},       {0, CInputValuePage::kLineRight, 0, 1},
        {40, CInputValuePage::kLineRight, 0, 40},    {35, CInputValuePage::kPageRight, 0, 40},
        {5, CInputValuePage::kPageLeft, 0, 0},       {15, CInputValuePage::kPageLeft, 0, 5},
        {7, CInputValuePage::kThumbPosition, 30, 7}, {7, CInputValuePage::kThumbTrack, 30, 30},
        {7, CInputValuePage::kThumbTrack, 55, 40},   {7, CInputValuePage::kThumbTrack, -3, 0},
        {7, 8, 30, 7},
    };
    for (const auto& c : cases) {
        for (std::size_t pin = 0; pin < kPinCount; ++pin) {
            page.m_positions[pin] = c.from;
            EXPECT_TRUE(page.OnHScroll(CInputValuePage::kScrollBarIds[pin], c.code, c.thumb));
            EXPECT_EQ(page.m_positions[pin], c.to) << "pin " << pin + 1 << " from " << c.from << " code " << c.code;
            EXPECT_EQ(page.ValueLabel(pin), CorrectionLabel(c.to));
        }
    }
    const PinReadings before = page.m_positions;
    EXPECT_FALSE(page.OnHScroll(1028, CInputValuePage::kLineRight, 0));
    EXPECT_EQ(page.m_positions, before);
}

// A Set writes one set of readings once and says so on the page; its readings go back to
// "None", so that only new readings (after a new print) are added on top. A Set the printer did
// not take keeps the readings and leaves Next off, also after an earlier Set that went through.
TEST_F(AdjustPinTest, SetWritesEachSetOfReadingsOnceAndTellsTheOutcomeOnThePage) {
    CAdjustPinSheet sheet(services, Spooling());
    Open(sheet);
    sheet.m_adjustPin.OnStartPrinting();
    Next(sheet);
    const PinReadings none{};
    const PinReadings read = {29, 34, 21, 38, 27, 40, 29, 36, 0};  // C9 D4 C1 D8 C7 D0 C9 D6 None
    const std::vector<std::int32_t> corrections = {-5, 4, -21, 12, -9, 16, -5, 8, 0};
    const std::vector<std::int32_t> reread = {-3, 3, 0, 0, 0, 0, 0, 0, 0};
    const std::string nothing = "No pin has a reading: there is nothing to write.";
    const std::string failed = "The corrections were not written; the readings are kept.";
    const struct {
        std::optional<PinReadings> readings;  // set before the Set; nothing: as the last Set left them
        bool fails;
        std::vector<std::int32_t> asked;  // what the page asked the window to add; empty: nothing
        std::uint32_t buttons;
        std::string note;
        PinReadings after;
    } steps[] = {
        {std::nullopt, false, {}, kWizBack, nothing, none},
        {read, true, corrections, kWizBack, failed, read},
        {std::nullopt, false, corrections, kWizBack | kWizNext,
         "The corrections were written: -5 4 -21 12 -9 16 -5 8 0", none},
        {std::nullopt, false, {}, kWizBack | kWizNext, nothing, none},
        {PinReadings{12, 15}, false, reread, kWizBack | kWizNext, "The corrections were written: -3 3 0 0 0 0 0 0 0", none},
        {PinReadings{12, 15}, true, reread, kWizBack, failed, {12, 15}},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        if (step.readings) sheet.m_inputValue.m_positions = *step.readings;
        services.failing = step.fails ? std::set<std::string>{"apply"} : std::set<std::string>{};
        const std::size_t asked = services.Applied().size();
        sheet.m_inputValue.OnSet();
        host.Flush();
        ASSERT_EQ(services.Applied().size(), asked + (step.asked.empty() ? 0 : 1)) << "step " << i;
        if (!step.asked.empty()) {
            EXPECT_EQ(services.Applied().back(), step.asked) << "step " << i;
        }
        EXPECT_EQ(host.Buttons(), step.buttons) << "step " << i;
        ASSERT_TRUE(sheet.m_inputValue.SetNote()) << "step " << i;
        EXPECT_EQ(sheet.m_inputValue.SetNote()->English(), step.note) << "step " << i;
        EXPECT_EQ(sheet.m_inputValue.m_positions, step.after) << "step " << i;
    }
    Back(sheet);
    Next(sheet);
    EXPECT_EQ(host.Buttons(), kWizBack) << "coming back does not bring Next back either";
}

class OriginPinTest : public WizardFixture {
protected:
    COriginPinSheet sheet{services, Spooling()};
};

TEST_F(OriginPinTest, No9MarksWithItsHeaderThenTheOriginBody) {
    Open(sheet);
    EXPECT_EQ(host.Buttons(), 0u);
    sheet.m_originPin.m_pinIndex = 8;
    sheet.m_originPin.OnStartAdjustment();
    host.Flush();
    EXPECT_EQ(host.Buttons(), kWizNext);
    ASSERT_EQ(spooler.Jobs().size(), 1u);
    EXPECT_EQ(spooler.Jobs()[0].docName, "OriginHeader");
    EXPECT_EQ(DocumentResources()[0], (std::vector<int>{161, 151}));
}

TEST_F(OriginPinTest, AFailedPrintStillEnablesNext) {
    Open(sheet);
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Open, "The printer cannot be reached.").Always());
    sheet.m_originPin.OnStartAdjustment();
    host.Flush();
    EXPECT_EQ(host.Buttons(), kWizNext);
    EXPECT_TRUE(spooler.Jobs().empty());
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"The printer cannot be reached."}));
}

}  // namespace
}  // namespace zt40
