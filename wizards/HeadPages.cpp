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

// Only the first click that clears the new head's data counts: a second one after Back would
// wipe out nothing new, but it must not raise the head counters twice. A clearing the printer
// did not take leaves Next off, and the next click tries it again (the window told why).
void CMoveHeadPage::OnMoveHead() {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    if (!window->MoveHeadToCentre()) return;
    if (m_countersReset == 0) {
        if (!window->ResetPinSettings() || !window->ResetPinCounters()) return;
        m_countersReset = 1;
    }
    PostWizardButtons(kWizNext);
    m_moved = 1;
}

PageContent CMoveHeadPage::Content() const {
    return {{{WizardPicture::MoveHead}}, {ButtonControl(kMoveHeadText, kMoveHeadButton), TextControl(kInstruction)}};
}

bool CMoveHeadPage::OnEvent(const PageEvent& event) {
    if (event.kind != PageEvent::Kind::Pressed || event.id != kMoveHeadButton) return false;
    OnMoveHead();
    return true;
}

PageContent CReplaceHeadPage::Content() const {
    PageControl caution = TextControl(kCaution);
    caution.sign = WizardPicture::Caution;
    return {{{WizardPicture::ReplaceHead}}, {TextControl(kInstruction), caution}};
}

bool CReplaceHeadPage::OnSetActive() {
    PostWizardButtons(kWizBack | kWizNext);
    return CWizardPage::OnSetActive();
}

PageContent CPutOnHeadPage::Content() const { return {{{WizardPicture::HeadInstall}}, {TextControl(kInstruction)}}; }

bool CPutOnHeadPage::OnSetActive() {
    PostWizardButtons(kWizBack | kWizNext);
    return CWizardPage::OnSetActive();
}

}  // namespace zt40
