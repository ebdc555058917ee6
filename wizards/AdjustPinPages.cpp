#include "wizards/AdjustPinPages.h"

#include <algorithm>

#include "platform/TextCompare.h"

namespace zt40 {

namespace {

constexpr std::array<std::string_view, kMaxReading + 1> kLabels = {
    "None", "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9", "A0", "B1", "B2", "B3",
    "B4",   "B5", "B6", "B7", "B8", "B9", "B0", "C1", "C2", "C3", "C4", "C5", "C6", "C7",
    "C8",   "C9", "C0", "D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8", "D9", "D0"};

constexpr std::int32_t kPageStep = 10;

std::int32_t ClampReading(std::int32_t position) { return std::clamp(position, 0, kMaxReading); }

}  // namespace

std::string_view CorrectionLabel(std::int32_t position) {
    if (position < 0 || position > kMaxReading) return {};
    return kLabels[static_cast<std::size_t>(position)];
}

std::optional<std::int32_t> PositionOfLabel(std::string_view label) {
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        if (EqualsIgnoringCase(label, kLabels[i])) return static_cast<std::int32_t>(i);
    }
    return std::nullopt;
}

PinCorrections ComputePinCorrections(const PinReadings& positions) {
    std::int32_t n = 0;
    std::int32_t sum = 0;
    for (const std::int32_t p : positions) {
        if (p > 0) {
            ++n;
            sum += p;
        }
    }
    PinCorrections values{};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (positions[i] > 0) values[i] = 2 * (n * positions[i] - sum) / n;
    }
    return values;
}

std::string CorrectionsText(const PinCorrections& values) {
    std::string text;
    for (const std::int32_t value : values) {
        if (!text.empty()) text += ' ';
        text += std::to_string(value);
    }
    return text;
}

void CAdjustPinPage::KeepJob(std::int32_t jobId) {
    if (jobId != 0 && m_sheet != nullptr) m_sheet->KeepPrintJob(jobId);
}

void CAdjustPinPage::OnInitDialog() {
    m_lettersShown = m_lettersFlag == 1;
    m_printed = 0;
}

// The pin-adjustment wizard has no page before this one to go back to.
bool CAdjustPinPage::OnSetActive() {
    if (m_sheet != nullptr) {
        if (InHeadReplacement()) {
            PostWizardButtons(m_printed != 0 ? kWizBack | kWizNext : kWizBack);
        } else {
            PostWizardButtons(m_printed != 0 ? kWizNext : 0);
        }
    }
    return CWizardPage::OnSetActive();
}

PageContent CAdjustPinPage::Content() const {
    PageControl hint = TextControl(kLettersHintText, kLettersHint);
    PageControl pin = TextControl(kPinLabelText, kPinCombo);
    pin.kind = PageControlKind::Choice;
    pin.labelId = kPinLabel;
    pin.choices = PinChoices();
    pin.chosen = m_pinIndex;
    PageControl letters = ButtonControl(kPrintLettersText, kPrintLettersButton);
    for (PageControl* control : {&hint, &pin, &letters}) control->shown = m_lettersShown;
    return {{{WizardPicture::Table}, {WizardPicture::Pattern}},
            {TextControl(kLoadPlate), ButtonControl(kStartPrintingText, kStartPrintingButton), TextControl(kWaitForPrint),
             hint, pin, letters}};
}

bool CAdjustPinPage::OnEvent(const PageEvent& event) {
    switch (event.kind) {
    case PageEvent::Kind::Chosen:
        if (event.id != kPinCombo) return false;
        if (event.value >= 0 && event.value < kPinCount) m_pinIndex = event.value;
        return true;
    case PageEvent::Kind::Pressed:
        if (event.id == kStartPrintingButton) {
            OnStartPrinting();
        } else if (event.id == kPrintLettersButton) {
            OnPrintLetters();
        } else {
            return false;
        }
        return true;
    default: return false;
    }
}

// The page moves on whatever the spooler did: its failures were already shown, and the
// operator may see the pattern printed all the same.
void CAdjustPinPage::OnStartPrinting() {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    const std::int32_t job = m_sheet->Sender().PrintTestPattern(window->GetPrinterName());
    KeepJob(job);
    TellPrinted(job);
    PostWizardButtons(InHeadReplacement() ? kWizBack | kWizNext : kWizNext);
    m_printed = 1;
}

void CAdjustPinPage::OnPrintLetters() {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    const std::int32_t job = m_sheet->Sender().PrintLetters(window->GetPrinterName(), m_pinIndex + 1);
    KeepJob(job);
    TellPrinted(job);
}

void CInputValuePage::OnInitDialog() {
    m_set = 0;
    m_note.reset();
}

bool CInputValuePage::OnSetActive() {
    PostWizardButtons(m_set == 1 ? kWizBack | kWizNext : kWizBack);
    return CWizardPage::OnSetActive();
}

// "None" is a word in the operator's edition; the positions' codes are the pattern's own.
PageContent CInputValuePage::Content() const {
    PageControl sliders;
    sliders.kind = PageControlKind::Sliders;
    sliders.maximum = kMaxReading;
    sliders.pageStep = kPageStep;
    for (std::size_t pin = 0; pin < kPinCount; ++pin) {
        const std::int32_t position = m_positions[pin];
        sliders.rows.push_back({kScrollBarIds[pin], kValueLabelIds[pin], Message::Verbatim("[" + std::to_string(pin + 1) + "]"),
                                position,
                                position == 0 ? Message::Of(kNoReadingText) : Message::Verbatim(std::string(ValueLabel(pin)))});
    }
    PageControl note;
    note.kind = PageControlKind::Note;
    note.id = kSetNote;
    note.text = m_note.value_or(Message::Verbatim({}));
    note.shown = m_note.has_value();
    note.failed = m_noteFailed;
    return {{{WizardPicture::PatternCloseUp}},
            {TextControl(kPurpose), TextControl(kSteps), sliders, ButtonControl(kSetText, kSetButton), TextControl(kAfterSet),
             note}};
}

bool CInputValuePage::OnEvent(const PageEvent& event) {
    if (event.kind == PageEvent::Kind::Scrolled) return OnHScroll(event.id, event.code, event.value);
    if (event.kind != PageEvent::Kind::Pressed || event.id != kSetButton) return false;
    OnSet();
    return true;
}
bool CInputValuePage::OnHScroll(int scrollBarId, int code, std::int32_t thumbPosition) {
    const auto bar = std::ranges::find(kScrollBarIds, scrollBarId);
    if (bar == kScrollBarIds.end()) return false;
    std::int32_t& position = m_positions[static_cast<std::size_t>(bar - kScrollBarIds.begin())];
    switch (code) {
    case kLineLeft: position = ClampReading(position - 1); break;
    case kLineRight: position = ClampReading(position + 1); break;
    case kPageLeft: position = ClampReading(position - kPageStep); break;
    case kPageRight: position = ClampReading(position + kPageStep); break;
    case kThumbTrack: position = ClampReading(thumbPosition); break;
    default: break;
    }
    return true;
}

void CInputValuePage::OnSet() {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    m_noteFailed = false;
    if (std::ranges::all_of(m_positions, [](std::int32_t position) { return position == 0; })) {
        m_note = Message::Of(kNothingToWrite);
        return;
    }
    const PinCorrections values = ComputePinCorrections(m_positions);
    // Next only for values the printer holds: Finish keeps them and records the run as done.
    m_set = window->ApplyPinAdjustments(values) ? 1 : 0;
    if (m_set == 1) {
        m_note = Message::Of(kWritten, {CorrectionsText(values)});
        m_positions = {};
    } else {
        m_note = Message::Of(kNotWritten);
        m_noteFailed = true;
    }
    PostWizardButtons(m_set == 1 ? kWizBack | kWizNext : kWizBack);
}

}  // namespace zt40
