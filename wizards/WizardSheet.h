#pragma once
// The frame every wizard page lives in: a sheet that owns its pages, links them to itself,
// walks Back and Next as the platform's wizard frame does, and reaches the window that shows
// it only through IWizardHost. Nothing here knows a widget toolkit.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/MessageBox.h"
#include "session/Outcome.h"
#include "session/PinwardenServices.h"
#include "platform/Spooler.h"
#include "platform/Text.h"
#include "printjob/PrintJobSender.h"
#include "wizards/PageContent.h"

namespace zt40 {

// The wizard buttons a page asks for, or-ed together; 0 is no button at all.
inline constexpr std::uint32_t kWizBack = 1;
inline constexpr std::uint32_t kWizNext = 2;
inline constexpr std::uint32_t kWizFinish = 4;
inline constexpr std::uint32_t kWizDisabledFinish = 8;

class CWizardPage;

// The sheet's window, as the sheet and its pages need it.
class IWizardHost {
public:
    virtual ~IWizardHost() = default;
    // Queued: the new state takes effect after the handler that posts it has returned, so a
    // later post in the same handler wins.
    virtual void PostWizardButtons(std::uint32_t buttons) = 0;
    // A repeating timer on the page's own window that calls page.OnTimer(id); returns the id,
    // 0 when no timer could be started.
    virtual std::uint32_t SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs) = 0;
    virtual void KillTimer(CWizardPage& page, std::uint32_t timerId) = 0;
    // A message box over the sheet's window; the button pressed. A host that cannot show one
    // lets the operator's Cancel stand (Yes) and retries nothing (Ok).
    virtual MbResult Ask(const Message& question, MbButtons buttons, MbIcon icon) {
        static_cast<void>(question);
        static_cast<void>(icon);
        return buttons == MbButtons::YesNo ? MbResult::Yes : MbResult::Ok;
    }
    // How a page's own action ended (a print job sent): a done one briefly on the sheet's
    // window, with no box to click away; a failed one with its reason, until the next. A host
    // without a place for it shows nothing.
    virtual void ShowOutcome(const Outcome& outcome) { static_cast<void>(outcome); }
};

// How long a done outcome stays on the sheet's window.
inline constexpr std::uint32_t kWizardDoneNoteMs = 10'000;

// What a wizard prints through and watches: the spooler and the print-job sender on it.
struct WizardSpooling {
    ISpooler& spooler;
    CPrintJobSender& sender;
};

class CWizardSheet;

class CWizardPage {
public:
    CWizardPage() = default;
    CWizardPage(const CWizardPage&) = delete;
    CWizardPage& operator=(const CWizardPage&) = delete;
    virtual ~CWizardPage() = default;

    virtual int DialogId() const = 0;
    virtual Text Title() const = 0;

    // Once per run, when the page is first shown.
    virtual void OnInitDialog() {}
    // Every time the page becomes the active one; false keeps the previous page.
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }
    virtual void OnTimer(std::uint32_t /*id*/) {}

    // What the page shows now: the window builds the page from it once and brings the page up
    // to date from it whenever the page is shown or has taken an event.
    virtual PageContent Content() const { return {}; }
    // The operator's action on one of the page's controls; false for one the page does not take.
    virtual bool OnEvent(const PageEvent& /*event*/) { return false; }

    // The sheet link: null until the sheet's OnInitDialog sets it.
    CWizardSheet* m_sheet = nullptr;

protected:
    // Skipped while the link is null, the one place that checks it.
    void PostWizardButtons(std::uint32_t buttons);
    // The main window, reached through the sheet afresh at every use; null without a link.
    IPinwardenServices* MainWindow() const;
    // Tells how the print job just handed to the sender went (`job` its id, 0 for none).
    void TellPrinted(std::int32_t job);
};

class CWizardSheet {
public:
    CWizardSheet(IPinwardenServices& parent, WizardSpooling spooling);
    CWizardSheet(const CWizardSheet&) = delete;
    CWizardSheet& operator=(const CWizardSheet&) = delete;
    virtual ~CWizardSheet() = default;

    IPinwardenServices* GetParent() const { return &m_parent; }
    ISpooler& Spooler() const { return m_spooling.spooler; }
    CPrintJobSender& Sender() const { return m_spooling.sender; }

    // The window that shows the sheet; null while there is none (posts and timers are dropped).
    void SetHost(IWizardHost* host) { m_host = host; }
    IWizardHost* Host() const { return m_host; }

    // Whether the sheet walks through a head replacement, which its shared pages tell apart.
    virtual bool ReplacesHead() const { return false; }
    // Keeps the print job a page just started, for a Cancel to take back; a sheet without a
    // Cancel that would do so keeps none.
    virtual void KeepPrintJob(std::int32_t /*jobId*/) {}

    // Derived sheets link their pages before this runs.
    virtual bool OnInitDialog() { return true; }
    // Every command the sheet's window receives; the cancel command closes it.
    virtual void OnCommand(int command);

    void PostWizardButtons(std::uint32_t buttons);
    void ShowOutcome(const Outcome& outcome);
    // The operator's Cancel (the button, Escape, the close box) asks first: true when the
    // wizard is to close. Whatever the wizard changed is put back only after a Yes.
    bool ConfirmCancel();
    std::uint32_t SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs);
    void KillTimer(CWizardPage& page, std::uint32_t timerId);

    std::span<CWizardPage* const> Pages() const { return m_pages; }
    // "Step 3 of 8" for the page at `index` (0-based).
    Message StepOf(std::size_t index) const;

    // The platform's wizard frame: open at the first page, move, and close.
    void Open();
    bool Next();
    bool Back();
    // For a platform frame that walks the pages itself and reports each step as it happens (a
    // native wizard): the same calls, in the same order, as Open, Next and Back make them.
    // Links the pages; no page is entered yet.
    void OpenFrame();
    // The page's window was made: its dialog state starts, once per run.
    void PageCreated(std::size_t index);
    // The page becomes the active one; false when it refuses.
    bool PageEntered(std::size_t index);
    // The active page is about to be left; false when it refuses.
    bool PageLeaving();

    // Leaves the active page and returns what the modal run returns.
    int Finish();
    int Cancel();
    std::size_t ActiveIndex() const { return m_active; }
    CWizardPage* ActivePage() const { return m_open ? m_pages[m_active] : nullptr; }
    bool IsOpen() const { return m_open; }

protected:
    void AddPage(CWizardPage& page);

private:
    bool MoveTo(std::size_t index);
    void Close();

    IPinwardenServices& m_parent;
    WizardSpooling m_spooling;
    IWizardHost* m_host = nullptr;
    std::vector<CWizardPage*> m_pages;
    std::vector<bool> m_created;
    std::size_t m_active = 0;
    bool m_open = false;
};

}  // namespace zt40
