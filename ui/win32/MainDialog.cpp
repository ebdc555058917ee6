#include "ui/win32/MainDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/ControlIds.h"
#include "app/WindowTexts.h"
#include "record/WearForecast.h"
#include "ui/win32/DialogTemplates.h"
#include "ui/win32/Resources.h"
#include "wizards/WizardButtonTexts.h"

namespace zt40::win {

namespace {

// The change notice's wake, queued to the window.
constexpr UINT kDeviceChangeWake = WM_APP + 1;

// The marked texts of the controls, set when the dialog starts.
struct ControlText {
    int id;
    Text text;
};
constexpr ControlText kControlTexts[] = {
    {ZT40_IDC_TITLE, kTitleText},           {IDC_CLEANING, kCleaningText},
    {IDC_STATUS_LINE, kConnectRequest},     {IDC_REPLACE_HEAD, kReplaceHeadText},
    {IDC_READJUST_PINS, kReadjustPinsText}, {ZT40_IDC_PIN_GROUP, kPinGroupText},
    {ZT40_IDC_PIN_HINT, kPinHintText},      {ZT40_IDC_AMOUNT_USED, kAmountUsedText},
    {IDC_REFRESH, kRefreshText},            {IDC_APPLY_PIN_CHANGE, kApplyPinChangeText},
    {ZT40_IDC_RESTORE_OFFER, kRestoreOfferText},
};
// The controls the state's actionsEnabled switches together, beside the pins.
constexpr int kActionControls[] = {IDC_CLEANING, IDC_REPLACE_HEAD, IDC_READJUST_PINS, IDC_REFRESH,
                                   ZT40_IDC_RESTORE_OFFER};

// What each push button asks of the logic.
using ButtonAction = void (CPinwardenDlg::*)();
constexpr std::pair<int, ButtonAction> kButtonActions[] = {
    {IDC_CLEANING, &CPinwardenDlg::OnCleaning},       {IDC_REPLACE_HEAD, &CPinwardenDlg::OnReplaceHead},
    {IDC_READJUST_PINS, &CPinwardenDlg::OnReadjustPins}, {IDC_REFRESH, &CPinwardenDlg::OnRefresh},
    {IDC_APPLY_PIN_CHANGE, &CPinwardenDlg::OnApplyPinChange},
};

// GDI objects deleted when they go out of use.
struct GdiObject {
    explicit GdiObject(HGDIOBJ object) : handle(object) {}
    ~GdiObject() {
        if (handle != nullptr) DeleteObject(handle);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ handle;
};

// A filled rectangle with a one-pixel outline covering [left, right) x [top, bottom).
void DrawBox(HDC dc, const BarRect& r, const Rgb& fill) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    GdiObject brush(CreateSolidBrush(RGB(fill.r, fill.g, fill.b)));
    HGDIOBJ old = SelectObject(dc, brush.handle);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, old);
}

int PinIndexOf(int controlId) {
    const auto found = std::find(IDC_PIN_RADIOS.begin(), IDC_PIN_RADIOS.end(), controlId);
    return found == IDC_PIN_RADIOS.end() ? -1 : static_cast<int>(found - IDC_PIN_RADIOS.begin());
}

// The system's cursors, in the wide functions' type.
LPCWSTR const kArrowCursor = MAKEINTRESOURCEW(32512);
LPCWSTR const kWaitCursor = MAKEINTRESOURCEW(32514);

void SetText(HWND window, const std::wstring& text) { SetWindowTextW(window, text.c_str()); }

}  // namespace

MainDialog::~MainDialog() {
    // The shell knows the icon by its window: gone before the window is.
    m_trayIcon.reset();
    if (m_wait != nullptr) ::DestroyWindow(m_wait);
    if (m_window != nullptr) {
        // Nothing more reaches the logic, which may be gone already.
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        for (const int id : m_timers) KillTimer(m_window, static_cast<UINT_PTR>(id));
        ::DestroyWindow(m_window);
    }
}

bool MainDialog::Create(Language language) {
    m_language = language;
    const DLGTEMPLATE* dialog = FindDialogTemplate(ZT40_IDD_MAIN, language);
    if (dialog == nullptr) return false;
    m_window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog, nullptr, &MainDialog::DialogProc,
                                          reinterpret_cast<LPARAM>(this));
    m_messages.SetMainWindow(m_window);
    return m_window != nullptr;
}

INT_PTR CALLBACK MainDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainDialog*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_window = window;
        self->OnInitDialog();
        return TRUE;
    }
    auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->Handle(message, wParam, lParam) : FALSE;
}

void MainDialog::OnInitDialog() {
    SetText(m_window, Translate(kWindowCaption));
    for (const auto& control : kControlTexts) SetText(GetDlgItem(m_window, control.id), Translate(control.text));
    for (int k = 0; k < kPinCount; ++k) {
        SetText(GetDlgItem(m_window, IDC_PIN_RADIOS[static_cast<std::size_t>(k)]), win::Render(PinNumberLabel(k)));
    }
    HICON icon = ApplicationIcon();
    SendDlgItemMessageW(m_window, ZT40_IDC_APP_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ApplicationIcon(IconSize::Small)));
    CreateBarTips();
}

INT_PTR MainDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        if (RunMenuCommand(static_cast<int>(wParam & kSysCommandMask))) {
            SetWindowLongPtrW(m_window, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    case WM_CONTEXTMENU:
        ShowContextMenu(lParam);
        return TRUE;
    case WM_TIMER:
        if (m_dialog != nullptr) m_dialog->OnTimer(static_cast<int>(wParam));
        if (m_timerHandled) m_timerHandled(static_cast<int>(wParam));
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_window, &paint);
        PaintBars(dc);
        EndPaint(m_window, &paint);
        return TRUE;
    }
    case WM_PRINTCLIENT:
        // A capture of the window (PrintWindow) gets the bars too.
        PaintBars(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_SETCURSOR:
        if (m_busyCursor) {
            SetCursor(LoadCursorW(nullptr, kWaitCursor));
            SetWindowLongPtrW(m_window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case kDeviceChangeWake:
        if (m_monitor != nullptr) m_monitor->Dispatch();
        return TRUE;
    case WM_CLOSE:
        Close();
        return TRUE;
    default:
        return FALSE;
    }
}

bool MainDialog::OnCommand(int id, int code) {
    if (m_dialog == nullptr) return false;
    if (id == IDC_PRINTER_LIST) {
        HWND list = GetDlgItem(m_window, IDC_PRINTER_LIST);
        if (code == CBN_DROPDOWN) {
            m_dialog->OnPrinterListDropDown();
            SendMessageW(list, CB_RESETCONTENT, 0, 0);
            for (const auto& name : m_dialog->PrinterList()) {
                SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
            }
        } else if (code == CBN_SELCHANGE) {
            const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
            if (index >= 0) m_dialog->OnPrinterListSelChange(static_cast<std::size_t>(index));
        }
        return true;
    }
    if (code != BN_CLICKED) return false;
    if (const int pin = PinIndexOf(id); pin >= 0) {
        // The button has checked itself; the logic learns which.
        m_dialog->OnPinSelected(pin);
        return true;
    }
    if (id == IDCANCEL) {  // Escape
        Close();
        return true;
    }
    if (id == ZT40_IDC_RESTORE_OFFER) return m_dialog->OnSysCommand(IDM_RESTORE_SETTINGS, 0);
    for (const auto& [button, action] : kButtonActions) {
        if (button == id) {
            (m_dialog->*action)();
            return true;
        }
    }
    return false;
}

bool MainDialog::RunMenuCommand(int id) {
    const auto found = std::find_if(m_menu.begin(), m_menu.end(), [id](const MenuCommand& c) { return c.id == id; });
    if (found == m_menu.end()) return m_dialog != nullptr && m_dialog->OnSysCommand(id, 0);
    if (!found->enabled) return true;
    if (found->run) {
        // A copy: the command may add commands while it runs.
        const auto run = found->run;
        run();
        return true;
    }
    return m_dialog != nullptr && m_dialog->OnSysCommand(id, 0);
}

void MainDialog::ShowContextMenu(LPARAM at) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    for (const auto& command : m_menu) {
        AppendMenuW(menu, MF_STRING | (command.enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(command.id),
                    command.text.c_str());
    }
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        // From the keyboard (Shift+F10): at the control that has the focus.
        RECT r{};
        HWND focus = GetFocus();
        GetWindowRect(focus != nullptr ? focus : m_window, &r);
        point = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0,
                                                       m_window, nullptr));
    DestroyMenu(menu);
    if (chosen != 0) RunMenuCommand(chosen);
}

BarRect MainDialog::Marker(int k) const {
    RECT r{};
    GetWindowRect(GetDlgItem(m_window, IDC_PIN_MARKERS[static_cast<std::size_t>(k)]), &r);
    MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void MainDialog::CreateBarTips() {
    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (m_tips == nullptr) return;
    // Wide enough for the forecast's line, which then starts a line of its own.
    SendMessageW(m_tips, TTM_SETMAXTIPWIDTH, 0, 600);
    for (int k = 0; k < kPinCount; ++k) {
        const BarRect r = Marker(k);
        // The size every version of the common controls takes.
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = static_cast<UINT_PTR>(k) + 1;
        tool.rect = {r.left, r.top, r.right, r.bottom};
        tool.lpszText = m_tipTexts[static_cast<std::size_t>(k)].data();
        SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainDialog::PaintBars(HDC dc) const {
    std::array<BarRect, kPinCount> markers{};
    for (int k = 0; k < kPinCount; ++k) markers[static_cast<std::size_t>(k)] = Marker(k);
    GdiObject pen(CreatePen(PS_SOLID, 1, RGB(kBarOutlineColour.r, kBarOutlineColour.g, kBarOutlineColour.b)));
    HGDIOBJ oldPen = SelectObject(dc, pen.handle);
    DrawBox(dc, UsageBarsFrame(markers.front(), markers.back()), kBarFrameColour);
    for (std::size_t k = 0; k < markers.size(); ++k) {
        const UsageBar bar = MakeUsageBar(m_counts[k], markers[k], m_greyed);
        // LineTo stops one pixel short of its end point.
        MoveToEx(dc, bar.lineLeft, bar.lineY, nullptr);
        LineTo(dc, bar.lineRight, bar.lineY);
        for (const BarSegment& segment : bar.segments) DrawBox(dc, segment.rect, segment.fill);
    }
    SelectObject(dc, oldPen);
}

void MainDialog::AddCommand(int commandId, Text text, std::function<void()> run) {
    AppendMenuItem(commandId, text);
    m_menu.back().run = std::move(run);
}

void MainDialog::WatchDeviceChanges(IDeviceChangeMonitor& monitor) {
    m_monitor = &monitor;
    HWND window = m_window;
    monitor.SetWake([window] { PostMessageW(window, kDeviceChangeWake, 0, 0); });
}

int MainDialog::StartTimer(int timerId, std::uint32_t periodMs) {
    if (timerId == 0 || m_window == nullptr) return 0;
    if (SetTimer(m_window, static_cast<UINT_PTR>(timerId), periodMs, nullptr) == 0) return 0;
    if (std::find(m_timers.begin(), m_timers.end(), timerId) == m_timers.end()) m_timers.push_back(timerId);
    return timerId;
}

void MainDialog::StopTimer(int timerId) {
    const auto found = std::find(m_timers.begin(), m_timers.end(), timerId);
    if (timerId == 0 || found == m_timers.end()) return;
    KillTimer(m_window, static_cast<UINT_PTR>(timerId));
    m_timers.erase(found);
}

void MainDialog::EnableControl(int controlId, bool enable) {
    HWND control = GetDlgItem(m_window, controlId);
    if (control == nullptr || (IsWindowEnabled(control) != FALSE) == enable) return;
    // A control that loses the focus by being disabled hands it on, or the keyboard goes dead.
    if (!enable && GetFocus() == control) SendMessageW(m_window, WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(control, enable ? TRUE : FALSE);
}

void MainDialog::AppendMenuItem(int commandId, Text text) {
    m_menu.push_back({commandId, Translate(text), true, {}});
    if (HMENU system = GetSystemMenu(m_window, FALSE)) {
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, static_cast<UINT_PTR>(commandId), m_menu.back().text.c_str());
    }
}

void MainDialog::EnableMenuItem(int commandId, bool enable) {
    for (auto& command : m_menu) {
        if (command.id == commandId) command.enabled = enable;
    }
    if (HMENU system = GetSystemMenu(m_window, FALSE)) {
        ::EnableMenuItem(system, static_cast<UINT>(commandId), MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    }
}

MbResult MainDialog::ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) {
    return m_messages.Show(message, buttons, icon);
}

void MainDialog::Render(const MainWindowState& state) {
    SetText(m_window, win::Render(state.caption));
    for (const int id : kActionControls) EnableControl(id, state.actionsEnabled);
    for (const int id : IDC_PIN_RADIOS) EnableControl(id, state.actionsEnabled);
    EnableControl(IDC_APPLY_PIN_CHANGE, state.applyEnabled);
    EnableControl(IDC_PRINTER_LIST, state.printerListEnabled);
    EnableMenuItem(IDM_RESTORE_SETTINGS, state.actionsEnabled);
    SetText(GetDlgItem(m_window, IDC_STATUS_LINE), win::Render(state.statusLine));
    // The band takes the room down to the buttons; the etched line gives way while it shows.
    const std::wstring band = state.Band() ? win::Render(*state.Band()) : std::wstring();
    HWND reason = GetDlgItem(m_window, ZT40_IDC_STATUS_REASON);
    SetText(reason, band);
    ShowWindow(reason, band.empty() ? SW_HIDE : SW_SHOWNA);
    ShowWindow(GetDlgItem(m_window, ZT40_IDC_ETCHED_LINE), band.empty() ? SW_SHOWNA : SW_HIDE);
    RenderData(state.data);
    RenderWait(state.wait);
    if (state.busy != m_busyCursor) {
        m_busyCursor = state.busy;
        SetCursor(LoadCursorW(nullptr, m_busyCursor ? kWaitCursor : kArrowCursor));
    }
}

void MainDialog::Repaint() { RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); }

void MainDialog::RenderData(const DialogData& shown) {
    // An index outside 0..8 (a failed pin read gives -2) leaves every button unchecked.
    // The dialog manager tabs into a radio group at its checked button; with none checked, the
    // first keeps the tab stop, or Tab would skip the pins.
    const bool anyChecked = shown.selectedPin >= 0 && shown.selectedPin < kPinCount;
    for (int k = 0; k < kPinCount; ++k) {
        HWND radio = GetDlgItem(m_window, IDC_PIN_RADIOS[static_cast<std::size_t>(k)]);
        CheckDlgButton(m_window, IDC_PIN_RADIOS[static_cast<std::size_t>(k)],
                       k == shown.selectedPin ? BST_CHECKED : BST_UNCHECKED);
        const bool stop = anyChecked ? k == shown.selectedPin : k == 0;
        const LONG_PTR style = GetWindowLongPtrW(radio, GWL_STYLE);
        SetWindowLongPtrW(radio, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }
    for (int k = 0; k < kPinCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_tipTexts[i] = win::Render(BarTip(shown, i));
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_window;
        tool.uId = static_cast<UINT_PTR>(k) + 1;
        tool.lpszText = m_tipTexts[i].data();
        if (m_tips != nullptr) SendMessageW(m_tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    const std::optional<Message> lastRead = LastReadNote(shown);
    HWND note = GetDlgItem(m_window, ZT40_IDC_LAST_READ);
    SetText(note, lastRead ? win::Render(*lastRead) : std::wstring());
    ShowWindow(note, lastRead ? SW_SHOWNA : SW_HIDE);
    if (shown.offerRestore != m_offerShown) {
        m_offerShown = shown.offerRestore;
        ShowWindow(GetDlgItem(m_window, ZT40_IDC_RESTORE_OFFER), m_offerShown ? SW_SHOWNA : SW_HIDE);
        // The band as the template lays it out, its margins alike on both sides; beside the
        // offer it ends short of the offer by half a margin.
        HWND reason = GetDlgItem(m_window, ZT40_IDC_STATUS_REASON);
        RECT band{};
        RECT offer{};
        RECT client{};
        GetWindowRect(reason, &band);
        GetWindowRect(GetDlgItem(m_window, ZT40_IDC_RESTORE_OFFER), &offer);
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&band), 2);
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&offer), 2);
        GetClientRect(m_window, &client);
        band.right = m_offerShown ? offer.left - band.left / 2 : client.right - band.left;
        MoveWindow(reason, band.left, band.top, band.right - band.left, band.bottom - band.top, TRUE);
    }
    if (shown.shownUsage != m_counts || !shown.connected != m_greyed) {
        m_counts = shown.shownUsage;
        m_greyed = !shown.connected;
        InvalidateRect(m_window, nullptr, TRUE);
    }
}

void MainDialog::RenderWait(const std::optional<WaitView>& wait) {
    if (!wait) {
        EndWait();
        return;
    }
    m_waitState = {win::Render(wait->doing), wait->cancellable, true};
    if (m_wait != nullptr) {
        SetText(GetDlgItem(m_wait, ZT40_IDC_WAIT_TEXT), m_waitState.text);
        ShowWindow(GetDlgItem(m_wait, IDCANCEL), wait->cancellable ? SW_SHOW : SW_HIDE);
    }
}

void MainDialog::ShowWaitWindow() {
    const DLGTEMPLATE* waitDialog = FindDialogTemplate(ZT40_IDD_WAIT, m_language);
    if (waitDialog == nullptr) return;
    // Over the topmost window of the program (a wizard's page may be waiting), blocking it alone.
    m_waitOwner = TopmostProgramWindow(m_window);
    m_wait = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), waitDialog, m_waitOwner, &MainDialog::WaitProc,
                                        reinterpret_cast<LPARAM>(this));
    if (m_wait == nullptr) return;
    SetText(m_wait, Translate(kWindowCaption));
    SetText(GetDlgItem(m_wait, ZT40_IDC_WAIT_TEXT), m_waitState.text);
    SetText(GetDlgItem(m_wait, IDCANCEL), Translate(kCancelText));
    ShowWindow(GetDlgItem(m_wait, IDCANCEL), m_waitState.cancellable ? SW_SHOW : SW_HIDE);
    EnableWindow(m_waitOwner, FALSE);
    ShowWindow(m_wait, SW_SHOW);
}

INT_PTR CALLBACK MainDialog::WaitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Cancel, Escape and the close box stop what may be stopped, and close nothing.
    const bool cancel = (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE;
    if (!cancel || self == nullptr) return FALSE;
    if (self->m_waitState.cancellable && self->m_dialog != nullptr) self->m_dialog->OnCancelWait();
    return TRUE;
}

void MainDialog::EndWait() {
    m_waitState = {};
    if (m_wait == nullptr) return;
    // The owner first, so that the activation goes back to it and not to another program.
    EnableWindow(m_waitOwner, TRUE);
    ::DestroyWindow(m_wait);
    m_wait = nullptr;
    m_waitOwner = nullptr;
}

void MainDialog::Pump(bool input) {
    const UINT filter = input ? 0 : (PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | filter)) {
        if (message.message == WM_QUIT) {
            // For the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root != nullptr && IsDialogMessageW(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainDialog::PauseWithEvents(std::uint32_t ms) {
    if (m_waitState.begun && m_wait == nullptr) ShowWaitWindow();
    PauseFor(ms, m_wait != nullptr);
}

void MainDialog::PauseInCommand(std::uint32_t ms, IClock&) {
    // A wait on show says what the window is doing; its Cancel is handled after the command.
    if (m_waitState.begun && m_wait == nullptr) ShowWaitWindow();
    PauseFor(ms, false);
}

void MainDialog::PauseFor(std::uint32_t ms, bool input) {
    // Without input the queued keys and clicks would wake the wait at once, again and again.
    const DWORD wakeOn = input ? QS_ALLINPUT : (QS_ALLINPUT & ~QS_INPUT);
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) break;
        MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed, wakeOn, input ? MWMO_INPUTAVAILABLE : 0);
        Pump(input);
    }
}

int MainDialog::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root != nullptr && IsDialogMessageW(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return m_exitStatus;
}

void MainDialog::ShowAbout() {
    RunAboutBox(TopmostProgramWindow(m_window), m_language);
}

void MainDialog::NotifyWear(const std::vector<BandCrossing>& crossings) {
    if (m_destroyed) return;
    if (m_noticeArea == nullptr && !m_trayIcon) {
        m_trayIcon.emplace(m_window, ApplicationIcon(IconSize::Small), Translate(kWindowCaption));
    }
    INoticeArea& area = m_noticeArea != nullptr ? *m_noticeArea : *m_trayIcon;
    for (const auto& crossing : crossings) {
        area.ShowBalloon(Translate(kWindowCaption), win::Render(CrossingText(crossing)));
    }
}

int MainDialog::RunWizard(WizardKind kind) {
    return m_wizardRunner ? m_wizardRunner(kind, TopmostProgramWindow(m_window)) : 0;
}

void MainDialog::DestroyWindow() {
    if (m_destroyed) return;
    m_destroyed = true;
    EndWait();
    m_trayIcon.reset();
    for (const int id : m_timers) KillTimer(m_window, static_cast<UINT_PTR>(id));
    m_timers.clear();
    ShowWindow(m_window, SW_HIDE);
    PostQuitMessage(m_exitStatus);
}

void MainDialog::EndProgram(int exitStatus) {
    m_exitStatus = exitStatus;
    Close();
}

void MainDialog::Close() {
    if (m_destroyed) return;
    if (m_dialog != nullptr) {
        // The logic stops its poll, then destroys the window.
        m_dialog->DestroyWindow();
    } else {
        DestroyWindow();
    }
}

}  // namespace zt40::win
