#pragma once
// The two pages that even out the pins' striking force, shared by both wizards: print the
// adjustment pattern, then read off where each pin's row breaks off.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/CHeadDevice.h"
#include "wizards/WizardSheet.h"

namespace zt40 {

inline constexpr std::int32_t kMaxReading = 40;  // four blocks A-D of ten steps

using PinReadings = std::array<std::int32_t, kPinCount>;       // pin 1 first, 0 = no reading
using PinCorrections = std::array<std::int32_t, kPinCount>;   // pin 1 first

// "None" for 0, "A1" ... "A9", "A0" (10), "B1" ... "D0" (40); empty outside 0..40.
std::string_view CorrectionLabel(std::int32_t position);
// The position a label stands for (any letter case); nothing for a text that is no label.
std::optional<std::int32_t> PositionOfLabel(std::string_view label);

// Twice each read pin's deviation from the mean of the read pins, truncated toward zero;
// pins without a reading get 0 and stay out of the mean.
PinCorrections ComputePinCorrections(const PinReadings& positions);

class CAdjustPinPage final : public CWizardPage {
public:
    static constexpr int kStartPrintingButton = 1006;
    static constexpr int kPrintLettersButton = 1007;
    static constexpr int kPinCombo = 1060;
    static constexpr int kPinLabel = 1061;
    static constexpr int kLettersHint = 1062;

    static constexpr Text kLoadPlate = ZT40_TR(
        "CAdjustPinPage", "1. Load material (60 mm square) at the center of the table.\n2. Click [Start Printing].");
    static constexpr Text kStartPrintingText = ZT40_TR("CAdjustPinPage", "&Start Printing");
    static constexpr Text kWaitForPrint = ZT40_TR(
        "CAdjustPinPage", "Wait for printing to finish, then click [Next].\n(Printing takes about ten minutes.)");
    static constexpr Text kLettersHintText = ZT40_TR(
        "CAdjustPinPage",
        "If no letters of the alphabet are printed, choose the pin for marking, then click [Print Letters].");
    static constexpr Text kPinLabelText = ZT40_TR("CAdjustPinPage", "Pin No.");
    static constexpr Text kPrintLettersText = ZT40_TR("CAdjustPinPage", "Print &Letters");

    int DialogId() const override { return 133; }
    Text Title() const override { return ZT40_TR("CAdjustPinPage", "Adjust Pin"); }
    void OnInitDialog() override;
    bool OnSetActive() override;
    PageContent Content() const override;
    bool OnEvent(const PageEvent& event) override;
    void OnStartPrinting();
    void OnPrintLetters();

    // Whether the "Print Letters" controls are shown, as decided at dialog initialisation.
    bool LettersShown() const { return m_lettersShown; }

    std::int32_t m_lettersFlag = 0;
    std::int32_t m_pinIndex = 0;  // 0..8, the combo box's selection
    std::int32_t m_printed = 0;

private:
    bool InHeadReplacement() const { return m_sheet != nullptr && m_sheet->ReplacesHead(); }
    void KeepJob(std::int32_t jobId);

    bool m_lettersShown = false;
};

class CInputValuePage final : public CWizardPage {
public:
    static constexpr int kSetButton = 1016;
    static constexpr std::array<int, kPinCount> kScrollBarIds = {1027, 1029, 1030, 1031, 1032,
                                                                 1033, 1034, 1035, 1036};
    static constexpr std::array<int, kPinCount> kValueLabelIds = {1028, 1037, 1038, 1039, 1040,
                                                                  1041, 1042, 1043, 1044};
    // Where the page tells what its Set came to.
    static constexpr int kSetNote = 1045;
    static constexpr int kLineLeft = kScrollLineLeft;
    static constexpr int kLineRight = kScrollLineRight;
    static constexpr int kPageLeft = kScrollPageLeft;
    static constexpr int kPageRight = kScrollPageRight;
    static constexpr int kThumbPosition = kScrollThumbPosition;
    static constexpr int kThumbTrack = kScrollThumbTrack;

    static constexpr Text kPurpose = ZT40_TR(
        "CInputValuePage",
        "Adjust the striking force of each pin to eliminate differences in printing results among the pins.");
    static constexpr Text kSteps = ZT40_TR(
        "CInputValuePage",
        "1.Note the letter and numeral at the location where printing breaks off.\n2.Drag the slider to the left "
        "or right to set the value you noted.\n3.Click the [Set] button.");
    static constexpr Text kAfterSet = ZT40_TR("CInputValuePage", "After clicking [Set], click [Next].");
    static constexpr Text kSetText = ZT40_TR("CInputValuePage", "&Set");
    // What a pin without a reading shows.
    static constexpr Text kNoReadingText = ZT40_TR("CInputValuePage", "None");
    // A Set writes the readings' corrections once: the readings then go back to "None", so that
    // a second Set without new readings cannot add the same corrections again.
    static constexpr Text kWritten = ZT40_TR("CInputValuePage", "The corrections were written: %1");
    static constexpr Text kNotWritten =
        ZT40_TR("CInputValuePage", "The corrections were not written; the readings are kept.");
    static constexpr Text kNothingToWrite =
        ZT40_TR("CInputValuePage", "No pin has a reading: there is nothing to write.");

    int DialogId() const override { return 134; }
    Text Title() const override { return ZT40_TR("CInputValuePage", "Input Value"); }
    void OnInitDialog() override;
    bool OnSetActive() override;
    PageContent Content() const override;
    bool OnEvent(const PageEvent& event) override;
    // False for a scroll bar that is none of the nine, which the caller handles as before.
    bool OnHScroll(int scrollBarId, int code, std::int32_t thumbPosition);
    void OnSet();

    std::string_view ValueLabel(std::size_t pinIndex) const { return CorrectionLabel(m_positions[pinIndex]); }
    // What the last Set came to; nothing before the first Set of the run.
    const std::optional<Message>& SetNote() const { return m_note; }

    PinReadings m_positions{};
    std::int32_t m_set = 0;

private:
    std::optional<Message> m_note;
    bool m_noteFailed = false;
};

// The corrections as the Set note lists them: "-5 4 -21 12 -9 16 -5 8 0", pin 1 first.
std::string CorrectionsText(const PinCorrections& values);

}  // namespace zt40
