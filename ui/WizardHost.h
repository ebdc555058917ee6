#pragma once
// The window of a wizard sheet: one page at a time under its title and "Step n of N", and
// the Back, Next, Finish and Cancel buttons exactly as the pages last posted them. Posted
// states and page timers go through the Qt event loop, so a page's handler always returns
// before its new buttons show.
#include <QDialog>

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "wizards/WizardSheet.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace zt40::ui {

class WizardPageWidget;

class WizardHost final : public QDialog, public IWizardHost {
    Q_OBJECT
public:
    WizardHost(CWizardSheet& sheet, QWidget* parent = nullptr);
    ~WizardHost() override;

    // Opens the sheet at its first page and shows the window modally; what the sheet's run returns.
    int Run();
    // Opens the sheet and shows the window without a nested loop (tests, screenshots).
    void OpenModeless();

    // Walks the sheet to the page at `index` whatever the buttons allow (tests, screenshots).
    void GoToPage(std::size_t index);

    // IWizardHost
    void PostWizardButtons(std::uint32_t buttons) override;
    std::uint32_t SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs) override;
    void KillTimer(CWizardPage& page, std::uint32_t timerId) override;
    MbResult Ask(const Message& question, MbButtons buttons, MbIcon icon) override;
    void ShowOutcome(const Outcome& outcome) override;
    // The line beside the buttons where a page's outcome shows; empty when none does.
    QLabel* OutcomeNote() const { return m_note; }

    // The state the buttons show now; posts still in the queue are not in it.
    std::uint32_t ShownButtons() const { return m_shown; }
    QPushButton* BackButton() const { return m_back; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* FinishButton() const { return m_finish; }
    QPushButton* CancelButton() const { return m_cancel; }
    WizardPageWidget* ActivePageWidget() const;

public slots:
    // Cancel, Escape and the close box: the sheet's cancel command, then the window closes.
    void reject() override;

private:
    // Beside the main window and clear of the other windows on show: with --simulate, the
    // simulator's switches are what the power pages wait for.
    void PlaceBesideParent();
    void ApplyButtons(std::uint32_t buttons);
    void ShowActivePage();
    void Back();
    void Next();
    void Finish();
    void StopAllTimers();

    CWizardSheet& m_sheet;
    std::vector<std::unique_ptr<WizardPageWidget>> m_pages;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_subtitle = nullptr;
    QLabel* m_note = nullptr;
    QTimer* m_noteTimer = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_finish = nullptr;
    QPushButton* m_cancel = nullptr;
    std::map<std::pair<CWizardPage*, std::uint32_t>, std::unique_ptr<QTimer>> m_timers;
    std::uint32_t m_shown = 0;
};

// Runs the sheet in a new wizard window over `parent`: 12325 after Finish, 2 otherwise.
int RunWizardSheet(CWizardSheet& sheet, QWidget* parent);

}  // namespace zt40::ui
