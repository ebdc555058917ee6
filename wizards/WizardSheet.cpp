#include "wizards/WizardSheet.h"

#include <string>

namespace zt40 {

namespace {

constexpr Text kCancelQuestion = ZT40_TR(
    "Wizard", "Cancel the wizard? What it changed on the printer is put back as it was before the wizard started.");
constexpr Text kJobSent = ZT40_TR("Wizard", "The print job was sent to the queue %1.");
constexpr Text kJobNotSent = ZT40_TR("Wizard", "The print job was not sent completely to the queue %1.");

}  // namespace

PageControl TextControl(Text text, int id) {
    PageControl control;
    control.id = id;
    control.text = Message::Of(text);
    return control;
}

PageControl ButtonControl(Text text, int id) {
    PageControl control = TextControl(text, id);
    control.kind = PageControlKind::Button;
    return control;
}

std::vector<Message> PinChoices() {
    std::vector<Message> pins;
    for (int pin = kFirstPin; pin <= kLastPin; ++pin) pins.push_back(Message::Verbatim("No." + std::to_string(pin)));
    return pins;
}

void CWizardPage::PostWizardButtons(std::uint32_t buttons) {
    if (m_sheet != nullptr) m_sheet->PostWizardButtons(buttons);
}

IPinwardenServices* CWizardPage::MainWindow() const { return m_sheet != nullptr ? m_sheet->GetParent() : nullptr; }

// The sender has shown each failed spooler step in its own box; the outcome names the queue.
void CWizardPage::TellPrinted(std::int32_t job) {
    IPinwardenServices* window = MainWindow();
    if (window == nullptr) return;
    const std::optional<Message> failure = m_sheet->Sender().LastFailure();
    const std::string queue = window->GetPrinterName();
    m_sheet->ShowOutcome(job > 0 && !failure ? Outcome::Done(Message::Of(kJobSent, {queue}))
                                             : Outcome::Failed(Message::Of(kJobNotSent, {queue}), failure));
}

CWizardSheet::CWizardSheet(IPinwardenServices& parent, WizardSpooling spooling)
    : m_parent(parent), m_spooling(spooling) {}

void CWizardSheet::AddPage(CWizardPage& page) {
    m_pages.push_back(&page);
    m_created.push_back(false);
}

void CWizardSheet::OnCommand(int command) {
    if (command == kCancelCommand) Close();
}

void CWizardSheet::PostWizardButtons(std::uint32_t buttons) {
    if (m_host != nullptr) m_host->PostWizardButtons(buttons);
}

void CWizardSheet::ShowOutcome(const Outcome& outcome) {
    if (m_host != nullptr) m_host->ShowOutcome(outcome);
}

bool CWizardSheet::ConfirmCancel() {
    if (!m_open || m_host == nullptr) return true;
    return m_host->Ask(Message::Of(kCancelQuestion), MbButtons::YesNo, MbIcon::Warning) == MbResult::Yes;
}

std::uint32_t CWizardSheet::SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs) {
    return m_host != nullptr ? m_host->SetTimer(page, id, periodMs) : 0;
}

void CWizardSheet::KillTimer(CWizardPage& page, std::uint32_t timerId) {
    if (m_host != nullptr) m_host->KillTimer(page, timerId);
}

Message CWizardSheet::StepOf(std::size_t index) const {
    return Message::Of(ZT40_TR("Wizard", "Step %1 of %2"), {std::to_string(index + 1), std::to_string(m_pages.size())});
}

void CWizardSheet::Open() {
    if (m_open || m_pages.empty()) return;
    OpenFrame();
    PageEntered(0);
}

// As the platform does it: the page being left may refuse, and the page's window (with its
// dialog state) is made only on its first visit in the run.
bool CWizardSheet::MoveTo(std::size_t index) {
    if (!m_open || index >= m_pages.size() || index == m_active) return false;
    if (!m_pages[m_active]->OnKillActive()) return false;
    const std::size_t previous = m_active;
    m_active = index;
    if (!m_created[index]) {
        m_created[index] = true;
        m_pages[index]->OnInitDialog();
    }
    if (!m_pages[index]->OnSetActive()) {
        m_active = previous;
        m_pages[previous]->OnSetActive();
        return false;
    }
    return true;
}

void CWizardSheet::OpenFrame() {
    if (m_open || m_pages.empty()) return;
    OnInitDialog();
    m_open = true;
    m_active = 0;
    m_created.assign(m_pages.size(), false);
}

void CWizardSheet::PageCreated(std::size_t index) {
    if (!m_open || index >= m_pages.size() || m_created[index]) return;
    m_created[index] = true;
    m_pages[index]->OnInitDialog();
}

bool CWizardSheet::PageEntered(std::size_t index) {
    if (!m_open || index >= m_pages.size()) return false;
    PageCreated(index);
    m_active = index;
    return m_pages[index]->OnSetActive();
}

bool CWizardSheet::PageLeaving() { return !m_open || m_pages[m_active]->OnKillActive(); }

bool CWizardSheet::Next() { return MoveTo(m_active + 1); }

bool CWizardSheet::Back() { return m_active > 0 && MoveTo(m_active - 1); }

void CWizardSheet::Close() {
    if (!m_open) return;
    m_pages[m_active]->OnKillActive();
    m_open = false;
}

int CWizardSheet::Finish() {
    Close();
    return kWizardFinished;
}

int CWizardSheet::Cancel() {
    OnCommand(kCancelCommand);
    Close();
    return kCancelCommand;
}

}  // namespace zt40
