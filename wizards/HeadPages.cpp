#include "wizards/HeadPages.h"

namespace zt40 {

void CMoveHeadPage::OnInitDialog() {
    m_moved = 0;
    m_countersReset = 0;
}

bool CMoveHeadPage::OnSetActive() {
    PostWizardButtons(m_moved != 0 ? kWizNext : 0);
    return CWizardPage::OnSetActive();
}

// Only the first click clears the new head's data: a second one after Back would wipe out
// nothing new, but it must not raise the head counters twice.
void CMoveHeadPage::OnMoveHead() {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    window->MoveHeadToCentre();
    if (m_countersReset == 0) {
        window->ResetPinSettings();
        window->ResetPinCounters();
        m_countersReset = 1;
    }
    PostWizardButtons(kWizNext);
    m_moved = 1;
}

bool CReplaceHeadPage::OnSetActive() {
    PostWizardButtons(kWizBack | kWizNext);
    return CWizardPage::OnSetActive();
}

bool CPutOnHeadPage::OnSetActive() {
    PostWizardButtons(kWizBack | kWizNext);
    return CWizardPage::OnSetActive();
}

}  // namespace zt40
