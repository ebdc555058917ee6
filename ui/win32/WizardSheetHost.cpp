#include "ui/win32/WizardSheetHost.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/win32/DialogTemplateFont.h"
#include "ui/win32/WinMessageBox.h"
#include "ui/win32/WinText.h"
#include "ui/win32/WizardPictureGdi.h"
#include "ui/win32/WizardResources.h"
#include "wizards/HeadPages.h"
#include "wizards/OriginPin.h"
#include "wizards/PowerPages.h"
#include "wizards/Sheets.h"
#include "wizards/WizardButtonTexts.h"

namespace zt40::win {

namespace {

// The templates name the controls the page logic knows by the logic's own ids.
constexpr bool SameIds(const std::array<int, kPinCount>& logic, const std::array<int, kPinCount>& resource) {
    return logic == resource;
}
static_assert(IDC_MOVE_HEAD == CMoveHeadPage::kMoveHeadButton);
static_assert(IDC_START_PRINTING == CAdjustPinPage::kStartPrintingButton);
static_assert(IDC_PRINT_LETTERS == CAdjustPinPage::kPrintLettersButton);
static_assert(IDC_PIN_COMBO == CAdjustPinPage::kPinCombo && IDC_PIN_LABEL == CAdjustPinPage::kPinLabel &&
              IDC_LETTERS_HINT == CAdjustPinPage::kLettersHint);
static_assert(IDC_SET == CInputValuePage::kSetButton && IDC_SET_NOTE == CInputValuePage::kSetNote);
static_assert(SameIds(CInputValuePage::kScrollBarIds, {IDC_BAR_1, IDC_BAR_2, IDC_BAR_3, IDC_BAR_4, IDC_BAR_5,
                                                       IDC_BAR_6, IDC_BAR_7, IDC_BAR_8, IDC_BAR_9}));
static_assert(SameIds(CInputValuePage::kValueLabelIds, {IDC_VALUE_1, IDC_VALUE_2, IDC_VALUE_3, IDC_VALUE_4,
                                                        IDC_VALUE_5, IDC_VALUE_6, IDC_VALUE_7, IDC_VALUE_8,
                                                        IDC_VALUE_9}));
static_assert(IDC_START_ADJUSTMENT == COriginPinPage::kStartButton);
static_assert(IDC_FIRST_PIN_RADIO == COriginPinPage::kFirstPinRadio);

struct ControlText {
    int id;
    Text text;
};

struct PictureSlot {
    int id;
    WizardPicture picture;
};

// Where the page's declared controls are in its template: at the logic's own ids where it
// names them, and where it does not, at the template's numbered texts and pictures in reading
// order (the step's pictures first, then the signs beside texts).
struct PageView {
    std::vector<int> textIds;  // per declared control: where its text goes, 0 for nowhere
    std::vector<PictureSlot> pictures;
};

PageView ViewOf(const PageContent& content) {
    PageView view;
    const bool japanese = CurrentLanguage() == Language::Japanese;
    int picture = IDC_PICTURE_1;
    for (const StepPicture& step : content.pictures) view.pictures.push_back({picture++, step.For(japanese)});
    int text = IDC_TEXT_1;
    for (const PageControl& control : content.controls) {
        switch (control.kind) {
        case PageControlKind::Text: view.textIds.push_back(control.id != 0 ? control.id : text++); break;
        case PageControlKind::Choice: view.textIds.push_back(control.labelId); break;
        case PageControlKind::Radios: view.textIds.push_back(IDC_PIN_GROUP); break;
        case PageControlKind::Sliders: view.textIds.push_back(0); break;
        case PageControlKind::Button:
        case PageControlKind::Note: view.textIds.push_back(control.id); break;
        }
        if (control.sign) view.pictures.push_back({picture++, *control.sign});
    }
    return view;
}

// The edition's template of the page, or the other edition's when it has none.
const DLGTEMPLATE* PageTemplate(int dialogId) {
    HMODULE module = GetModuleHandleW(nullptr);
    const LPCWSTR type = MAKEINTRESOURCEW(5);  // dialog templates
    const WORD language = CurrentLanguage() == Language::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                                   : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(dialogId), language);
    if (found == nullptr) found = FindResourceW(module, MAKEINTRESOURCEW(dialogId), type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

// The wait cursor while a page's handler talks to the printer or the spooler in one long step.
class BusyCursor {
public:
    BusyCursor() : m_previous(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}  // the hourglass
    ~BusyCursor() { SetCursor(m_previous); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    HCURSOR m_previous;
};

// The longest a sheet's template header with its font can be, in words: the layout stops at
// the font, so this only bounds a walk through a template that ends earlier than it should.
constexpr std::size_t kSheetHeaderWords = 512;

// The pages' font, for the sheet's template while the sheet is being made (the system's
// callback carries no data of its own).
thread_local const DialogFont* t_pageFont = nullptr;

int CALLBACK SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam != 0 && t_pageFont != nullptr) {
        WriteDialogFont(std::span<WORD>(reinterpret_cast<WORD*>(lParam), kSheetHeaderWords), *t_pageFont);
    }
    return 0;
}

class SheetHost;

struct PageSlot {
    SheetHost* host = nullptr;
    std::size_t index = 0;
    CWizardPage* page = nullptr;
    PageView view;
    std::wstring title;
    HWND window = nullptr;
    bool noteFailed = false;
};

class SheetHost final : public IWizardHost {
public:
    explicit SheetHost(CWizardSheet& sheet) : m_sheet(sheet) {
        for (CWizardPage* page : sheet.Pages()) {
            m_slots.push_back({this, m_slots.size(), page, ViewOf(page->Content()), Translate(page->Title()), nullptr});
        }
        m_sheet.SetHost(this);
    }
    ~SheetHost() override { m_sheet.SetHost(nullptr); }
    SheetHost(const SheetHost&) = delete;
    SheetHost& operator=(const SheetHost&) = delete;

    int Run(HWND owner) {
        std::vector<PROPSHEETPAGEW> pages;
        for (PageSlot& slot : m_slots) {
            const DLGTEMPLATE* dialog = PageTemplate(slot.page->DialogId());
            if (dialog == nullptr) return kCancelCommand;
            PROPSHEETPAGEW page{};
            page.dwSize = sizeof(page);
            page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
            page.hInstance = GetModuleHandleW(nullptr);
            page.pResource = dialog;
            page.pszTitle = slot.title.c_str();
            page.pfnDlgProc = &SheetHost::PageProc;
            page.lParam = reinterpret_cast<LPARAM>(&slot);
            pages.push_back(page);
        }
        if (pages.empty()) return kCancelCommand;
        const std::wstring caption = Translate(kWizardCaption);
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof(header);
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_NOAPPLYNOW;
        header.hwndParent = owner;
        header.hInstance = GetModuleHandleW(nullptr);
        header.pszCaption = caption.c_str();
        header.nPages = static_cast<UINT>(pages.size());
        header.nStartPage = 0;
        header.ppsp = pages.data();
        // Every page of an edition has the same font; the sheet takes it from the first.
        const std::optional<DialogFont> pageFont =
            ReadDialogFont(std::span<const WORD>(reinterpret_cast<const WORD*>(pages[0].pResource), kSheetHeaderWords));
        if (pageFont) {
            header.dwFlags |= PSH_USECALLBACK;
            header.pfnCallback = &SheetCallback;
            t_pageFont = &*pageFont;
        }
        m_sheet.OpenFrame();
        m_result = kCancelCommand;
        PropertySheetW(&header);
        t_pageFont = nullptr;
        // A sheet the system could not show, or one that ended without Finish or Cancel reaching
        // it, is closed here so that its active page stops what it started.
        if (m_sheet.IsOpen()) m_result = m_sheet.Cancel();
        m_window = nullptr;
        return m_result;
    }

    void PostWizardButtons(std::uint32_t buttons) override {
        if (m_window == nullptr) return;
        PostMessageW(m_window, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
        PostKeepFocus();
    }
    std::uint32_t SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs) override {
        HWND window = WindowOf(page);
        return window != nullptr ? static_cast<std::uint32_t>(::SetTimer(window, id, periodMs, nullptr)) : 0;
    }
    void KillTimer(CWizardPage& page, std::uint32_t timerId) override {
        if (HWND window = WindowOf(page)) ::KillTimer(window, timerId);
    }
    MbResult Ask(const Message& question, MbButtons buttons, MbIcon icon) override {
        return WinMessageBox(m_window).Show(question, buttons, icon);
    }
    // Both kinds stay on the sheet beside its buttons, not in a box: a failed print's reason was
    // boxed by the sender. A done one goes after a while, a failed one stays until the next.
    void ShowOutcome(const Outcome& outcome) override {
        HWND note = OutcomeNote();
        if (note == nullptr) return;
        std::wstring text = Render(outcome.what);
        if (outcome.why) text += L' ' + Render(*outcome.why);
        SetWindowTextW(note, text.c_str());
        ShowWindow(note, SW_SHOW);
        if (outcome.failed) {
            ::KillTimer(m_window, kOutcomeNoteTimer);
        } else {
            ::SetTimer(m_window, kOutcomeNoteTimer, kWizardDoneNoteMs, &HideOutcomeNote);
        }
    }

private:
    static constexpr UINT_PTR kOutcomeNoteTimer = 0x3180;
    // Posted to a page, so that it arrives after the button changes posted before it.
    static constexpr UINT kKeepFocusMessage = WM_APP + 0x26;

    void PostKeepFocus() const {
        HWND page = m_window != nullptr ? PropSheet_GetCurrentPageHwnd(m_window) : nullptr;
        if (page != nullptr) PostMessageW(page, kKeepFocusMessage, 0, 0);
    }

    static bool Usable(HWND control) {
        return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
    }

    // A button that held the focus and was then hidden or disabled (Next giving way to a
    // disabled Finish, Move Head once pressed) leaves the keys nowhere: Escape and Tab would do
    // nothing. The focus goes to the page's first control a key can reach, or the first usable
    // button of the sheet. A box or wait window over the sheet keeps its own.
    void KeepFocus() const {
        if (m_window == nullptr || !IsWindowEnabled(m_window)) return;
        HWND page = PropSheet_GetCurrentPageHwnd(m_window);
        HWND focus = GetFocus();
        if (focus != nullptr && focus != m_window && !IsChild(m_window, focus)) return;
        if (focus != m_window && Usable(focus)) return;
        HWND target = nullptr;
        for (HWND child = GetWindow(page, GW_CHILD); child != nullptr && target == nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0 && Usable(child)) target = child;
        }
        for (const int id : {kWizardNextButton, kWizardFinishButton, kWizardBackButton, IDCANCEL}) {
            if (target == nullptr && Usable(GetDlgItem(m_window, id))) target = GetDlgItem(m_window, id);
        }
        if (target != nullptr) SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    }

    static void CALLBACK HideOutcomeNote(HWND sheet, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(sheet, timer);
        ShowWindow(GetDlgItem(sheet, kWizardOutcomeNote), SW_HIDE);
    }

    // Made at the first outcome, in the free space left of the Back button, in the sheet's font;
    // two lines of it, so that a queue's name at the end is not cut.
    HWND OutcomeNote() {
        if (m_window == nullptr) return nullptr;
        if (HWND note = GetDlgItem(m_window, kWizardOutcomeNote)) return note;
        RECT back{};
        HWND backButton = GetDlgItem(m_window, kWizardBackButton);
        if (backButton == nullptr || !GetWindowRect(backButton, &back)) return nullptr;
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&back), 2);
        const int margin = back.bottom - back.top;
        HWND note = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, margin / 2,
                                    back.top - margin / 2, back.left - margin, margin * 2, m_window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kWizardOutcomeNote)),
                                    GetModuleHandleW(nullptr), nullptr);
        if (note != nullptr) SendMessageW(note, WM_SETFONT, SendMessageW(m_window, WM_GETFONT, 0, 0), FALSE);
        return note;
    }

    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            auto* slot = reinterpret_cast<PageSlot*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
            SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(slot));
            slot->host->OnInitDialog(*slot, window);
            return TRUE;
        }
        auto* slot = reinterpret_cast<PageSlot*>(GetWindowLongPtrW(window, DWLP_USER));
        if (slot == nullptr) return FALSE;
        SheetHost& host = *slot->host;
        switch (message) {
        case WM_NOTIFY:
            SetWindowLongPtrW(window, DWLP_MSGRESULT, host.OnNotify(*slot, reinterpret_cast<NMHDR*>(lParam)->code));
            return TRUE;
        case WM_COMMAND: return host.OnCommand(*slot, window, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_HSCROLL: return host.OnHScroll(*slot, reinterpret_cast<HWND>(lParam), LOWORD(wParam)) ? TRUE : FALSE;
        case WM_CTLCOLORSTATIC: return NoteColour(*slot, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_TIMER: slot->page->OnTimer(static_cast<std::uint32_t>(wParam)); return TRUE;
        case WM_DRAWITEM: return host.OnDrawItem(*slot, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        case kKeepFocusMessage: host.KeepFocus(); return TRUE;
        default: return FALSE;
        }
    }

    HWND WindowOf(const CWizardPage& page) const {
        for (const PageSlot& slot : m_slots) {
            if (slot.page == &page) return slot.window;
        }
        return nullptr;
    }

    void OnInitDialog(PageSlot& slot, HWND window) {
        slot.window = window;
        if (m_window == nullptr) {
            m_window = GetParent(window);
            for (const ControlText& button : {ControlText{kWizardBackButton, kBackText},
                                              ControlText{kWizardNextButton, kNextText},
                                              ControlText{kWizardFinishButton, kFinishText},
                                              ControlText{IDCANCEL, kCancelText}}) {
                SetDlgItemTextW(m_window, button.id, Translate(button.text).c_str());
            }
            // Finish takes Next's place on the last page: a key must reach it as it reaches Next.
            HWND finish = GetDlgItem(m_window, kWizardFinishButton);
            if (finish != nullptr) SetWindowLongW(finish, GWL_STYLE, GetWindowLongW(finish, GWL_STYLE) | WS_TABSTOP);
            // The focus outline from the start, not only after the first key: a person who
            // works the sheet with the keyboard has to see where the keys go.
            SendMessageW(m_window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        }
        const PageContent content = slot.page->Content();
        for (std::size_t i = 0; i < content.controls.size() && i < slot.view.textIds.size(); ++i) {
            const PageControl& control = content.controls[i];
            if (slot.view.textIds[i] != 0) SetDlgItemTextW(window, slot.view.textIds[i], Render(control.text).c_str());
            for (std::size_t k = 0; k < control.choices.size(); ++k) {
                const std::wstring choice = Render(control.choices[k]);
                if (control.kind == PageControlKind::Choice) {
                    SendDlgItemMessageW(window, control.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
                } else {
                    SetDlgItemTextW(window, control.id + static_cast<int>(k), choice.c_str());
                }
            }
            for (std::size_t row = 0; row < control.rows.size(); ++row) {
                SetDlgItemTextW(window, IDC_ROW_LABEL_1 + static_cast<int>(row), Render(control.rows[row].name).c_str());
                SetScrollRange(GetDlgItem(window, control.rows[row].barId), SB_CTL, 0, control.maximum, TRUE);
            }
        }
        m_sheet.PageCreated(slot.index);
        Refresh(slot);
    }

    // What the sheet's notifications return: 0 lets the step happen, -1 (or TRUE) keeps the page.
    LONG_PTR OnNotify(PageSlot& slot, UINT code) {
        switch (code) {
        case PSN_SETACTIVE: {
            const bool entered = m_sheet.PageEntered(slot.index);
            Refresh(slot);
            PostMessageW(slot.window, kKeepFocusMessage, 0, 0);
            return entered ? 0 : -1;
        }
        case PSN_KILLACTIVE: return m_sheet.PageLeaving() ? FALSE : TRUE;
        // The buttons are the pages' word: a press that reaches a disabled one does nothing.
        case PSN_WIZBACK: return Usable(kWizardBackButton) ? 0 : -1;
        case PSN_WIZNEXT: return Usable(kWizardNextButton) ? 0 : -1;
        case PSN_WIZFINISH:
            if (!Usable(kWizardFinishButton)) return TRUE;
            m_result = m_sheet.Finish();
            // The sheet's loop notices the end only with its next message: a Finish pressed by a
            // message sent from another program would otherwise leave it waiting for one.
            PostMessageW(m_window, WM_NULL, 0, 0);
            return FALSE;
        case PSN_QUERYCANCEL:
            // The question is the sheet's, asked alike by every edition; TRUE keeps the sheet open.
            if (m_sheet.IsOpen() && !m_sheet.ConfirmCancel()) return TRUE;
            if (m_sheet.IsOpen()) m_result = m_sheet.Cancel();
            return FALSE;
        default: return 0;
        }
    }

    bool Usable(int button) const { return Usable(GetDlgItem(m_window, button)); }

    // As the platform's data exchange before a command: the page learns what is chosen, then
    // the press. A click on anything the page does not declare as a button is not the page's.
    bool OnCommand(PageSlot& slot, HWND window, int id, int code) {
        if (code != BN_CLICKED) return false;
        const PageContent content = slot.page->Content();
        const auto pressed = std::ranges::find_if(content.controls, [id](const PageControl& control) {
            return control.kind == PageControlKind::Button && control.id == id;
        });
        if (pressed == content.controls.end()) return false;
        BusyCursor busy;
        for (const PageControl& control : content.controls) {
            if (control.kind == PageControlKind::Choice) {
                const LRESULT chosen = SendDlgItemMessageW(window, control.id, CB_GETCURSEL, 0, 0);
                if (chosen != CB_ERR) slot.page->OnEvent(PageEvent::Chosen(control.id, static_cast<std::int32_t>(chosen)));
            } else if (control.kind == PageControlKind::Radios) {
                for (std::size_t k = 0; k < control.choices.size(); ++k) {
                    if (IsDlgButtonChecked(window, control.id + static_cast<int>(k)) == BST_CHECKED) {
                        slot.page->OnEvent(PageEvent::Chosen(control.id, static_cast<std::int32_t>(k)));
                    }
                }
            }
        }
        slot.page->OnEvent(PageEvent::Pressed(id));
        Refresh(slot);
        PostKeepFocus();
        return true;
    }

    // The page decides every position; the bar only says which way the operator pushed it.
    bool OnHScroll(PageSlot& slot, HWND bar, int code) {
        if (bar == nullptr) return false;
        SCROLLINFO track{};
        track.cbSize = sizeof(track);
        track.fMask = SIF_TRACKPOS;
        GetScrollInfo(bar, SB_CTL, &track);
        if (!slot.page->OnEvent(PageEvent::Scrolled(GetDlgCtrlID(bar), code, track.nTrackPos))) return false;
        Refresh(slot);
        return true;
    }

    // A failed Set's note in the colour the other edition gives it; every other static as the system draws it.
    static INT_PTR NoteColour(const PageSlot& slot, HDC dc, HWND control) {
        if (!slot.noteFailed || GetDlgCtrlID(control) != IDC_SET_NOTE) return FALSE;
        SetTextColor(dc, RGB(0xa0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }

    static bool OnDrawItem(const PageSlot& slot, const DRAWITEMSTRUCT& item) {
        const auto found = std::ranges::find(slot.view.pictures, static_cast<int>(item.CtlID), &PictureSlot::id);
        if (found == slot.view.pictures.end()) return false;
        PaintWizardPicture(item.hDC, item.rcItem, found->picture, GetSysColor(COLOR_BTNFACE));
        return true;
    }

    // Brings the controls in line with what the page declares, whenever the page is made or shown.
    void Refresh(PageSlot& slot) {
        HWND window = slot.window;
        if (window == nullptr) return;
        SetDlgItemTextW(window, IDC_STEP, Render(m_sheet.StepOf(slot.index)).c_str());
        const PageContent content = slot.page->Content();
        for (std::size_t i = 0; i < content.controls.size() && i < slot.view.textIds.size(); ++i) {
            const PageControl& control = content.controls[i];
            for (const int id : {control.id, slot.view.textIds[i]}) {
                if (id != 0) ShowWindow(GetDlgItem(window, id), control.shown ? SW_SHOW : SW_HIDE);
            }
            switch (control.kind) {
            case PageControlKind::Button: EnableWindow(GetDlgItem(window, control.id), control.enabled ? TRUE : FALSE); break;
            case PageControlKind::Choice:
                SendDlgItemMessageW(window, control.id, CB_SETCURSEL, static_cast<WPARAM>(control.chosen), 0);
                break;
            case PageControlKind::Radios:
                CheckRadioButton(window, control.id, control.id + static_cast<int>(control.choices.size()) - 1,
                                 control.id + control.chosen);
                break;
            case PageControlKind::Sliders:
                for (const SliderRow& row : control.rows) {
                    SetScrollPos(GetDlgItem(window, row.barId), SB_CTL, row.position, TRUE);
                    SetDlgItemTextW(window, row.labelId, Render(row.value).c_str());
                }
                break;
            case PageControlKind::Note:
                SetDlgItemTextW(window, control.id, Render(control.text).c_str());
                slot.noteFailed = control.failed;
                break;
            case PageControlKind::Text: break;
            }
        }
    }

    CWizardSheet& m_sheet;
    std::vector<PageSlot> m_slots;
    HWND m_window = nullptr;
    int m_result = kCancelCommand;
};

}  // namespace

int RunWizardSheet(CWizardSheet& sheet, HWND owner) {
    SheetHost host(sheet);
    return host.Run(owner);
}

}  // namespace zt40::win
