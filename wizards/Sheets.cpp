#include "wizards/Sheets.h"

namespace zt40 {

void CZt40utilSheet::OnCommand(int command) {
    if (command == kCancelCommand) Sender().CancelPrintJob(GetParent()->GetPrinterName(), m_jobId);
    CWizardSheet::OnCommand(command);
}

CChangeHeadSheet::CChangeHeadSheet(IPinwardenServices& parent, WizardSpooling spooling)
    : CZt40utilSheet(parent, spooling) {
    for (CWizardPage* page : std::initializer_list<CWizardPage*>{&m_moveHead, &m_powerOff, &m_replaceHead,
                                                                 &m_putOnHead, &m_powerOn, &m_adjustPin,
                                                                 &m_inputValue, &m_powerAgain}) {
        AddPage(*page);
    }
}

// The links are in place before any page's window exists: the page handlers rely on them.
bool CChangeHeadSheet::OnInitDialog() {
    for (CWizardPage* page : Pages()) page->m_sheet = this;
    m_adjustPin.m_lettersFlag = 0;
    return CZt40utilSheet::OnInitDialog();
}

CAdjustPinSheet::CAdjustPinSheet(IPinwardenServices& parent, WizardSpooling spooling)
    : CZt40utilSheet(parent, spooling) {
    AddPage(m_adjustPin);
    AddPage(m_inputValue);
    AddPage(m_powerAgain);
}

bool CAdjustPinSheet::OnInitDialog() {
    for (CWizardPage* page : Pages()) page->m_sheet = this;
    m_adjustPin.m_lettersFlag = 1;
    return CZt40utilSheet::OnInitDialog();
}

}  // namespace zt40
