#include "wizards/OriginPin.h"

namespace zt40 {

bool COriginPinPage::OnSetActive() {
    PostWizardButtons(0);
    return CWizardPage::OnSetActive();
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
