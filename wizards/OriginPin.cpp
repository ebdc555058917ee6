#include "wizards/OriginPin.h"

namespace zt40 {

bool COriginPinPage::OnSetActive() {
    PostWizardButtons(0);
    return CWizardPage::OnSetActive();
}

PageContent COriginPinPage::Content() const {
    PageControl pins = TextControl(kPinGroup, kFirstPinRadio);
    pins.kind = PageControlKind::Radios;
    pins.choices = PinChoices();
    pins.chosen = m_pinIndex;
    return {{{WizardPicture::OriginMark}}, {TextControl(kInstruction), pins, ButtonControl(kStartText, kStartButton)}};
}

bool COriginPinPage::OnEvent(const PageEvent& event) {
    if (event.kind == PageEvent::Kind::Chosen && event.id == kFirstPinRadio) {
        if (event.value >= 0 && event.value < kPinCount) m_pinIndex = event.value;
        return true;
    }
    if (event.kind != PageEvent::Kind::Pressed || event.id != kStartButton) return false;
    OnStartAdjustment();
    return true;
}

// The job is not kept: this sheet has no Cancel that would take it back.
void COriginPinPage::OnStartAdjustment() {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    TellPrinted(m_sheet->Sender().PrintOriginMark(window->GetPrinterName(), m_pinIndex + 1));
    PostWizardButtons(kWizNext);
}

COriginPinSheet::COriginPinSheet(IPinwardenServices& parent, WizardSpooling spooling) : CWizardSheet(parent, spooling) {
    AddPage(m_originPin);
}

bool COriginPinSheet::OnInitDialog() {
    m_originPin.m_sheet = this;
    return CWizardSheet::OnInitDialog();
}

}  // namespace zt40
