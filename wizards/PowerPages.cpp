#include "wizards/PowerPages.h"

#include <vector>

#include "platform/TextCompare.h"
#include "session/QueueRule.h"

namespace zt40 {

QueueState GetQueueState(ISpooler& spooler, std::string_view queueName) {
    std::vector<QueueInfo> queues;
    if (!spooler.EnumLocalQueues(queues)) return QueueState::NotListed;
    for (const QueueInfo& queue : queues) {
        if (EqualsIgnoringCase(queue.name, queueName)) {
            return IsQueueOffline(queue.attributes) ? QueueState::Offline : QueueState::Online;
        }
    }
    return QueueState::NotListed;
}

// The first check runs at once rather than a period later, so the buttons are right as soon
// as the page shows.
bool CQueueWatchPage::OnSetActive() {
    PostWizardButtons(EntryButtons());
    const std::uint32_t id = m_sheet != nullptr ? m_sheet->SetTimer(*this, kTimerId, PeriodMs()) : 0;
    m_timerId = id;
    OnTimer(id);
    return CWizardPage::OnSetActive();
}

bool CQueueWatchPage::OnKillActive() {
    if (m_timerId != 0 && m_sheet != nullptr) m_sheet->KillTimer(*this, m_timerId);
    m_timerId = 0;
    return CWizardPage::OnKillActive();
}

void CQueueWatchPage::OnTimer(std::uint32_t id) {
    m_timerId = id;
    IPinwardenServices* window = MainWindow();
    if (id == 0 || window == nullptr) return;
    const QueueState state = GetQueueState(m_sheet->Spooler(), window->GetPrinterName());
    if (state != QueueState::NotListed) OnQueueState(state);
}

PageContent CPowerOffPage::Content() const { return {{{WizardPicture::PowerOff}}, {TextControl(kInstruction)}}; }

PageContent CPowerOnPage::Content() const { return {{{WizardPicture::PowerOn}}, {TextControl(kInstruction)}}; }

// The Japanese edition shows the button being held rather than the plug.
PageContent CPowerAgainPage::Content() const {
    return {{{WizardPicture::PowerOn, WizardPicture::PowerButton}}, {TextControl(kInstruction)}};
}

void CPowerOffPage::OnQueueState(QueueState state) {
    PostWizardButtons(state == QueueState::Offline ? kWizBack | kWizNext : kWizBack);
}

void CPowerOnPage::OnQueueState(QueueState state) {
    PostWizardButtons(state == QueueState::Online ? kWizBack | kWizNext : kWizBack);
}

bool CPowerAgainPage::OnSetActive() {
    m_powerCycle = 1;
    return CQueueWatchPage::OnSetActive();
}

void CPowerAgainPage::OnQueueState(QueueState state) {
    if (state == QueueState::Offline) {
        m_powerCycle = 0;
        PostWizardButtons(kWizBack | kWizDisabledFinish);
    } else if (m_powerCycle == 0) {
        m_powerCycle = 1;
        PostWizardButtons(kWizBack | kWizFinish);
    }
}

}  // namespace zt40
