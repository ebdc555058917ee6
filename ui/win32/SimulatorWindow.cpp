#include "ui/win32/SimulatorWindow.h"

#include <charconv>
#include <string>

#include "platform/sim/SimControls.h"
#include "ui/win32/Controls.h"
#include "ui/win32/DialogTemplates.h"
#include "ui/win32/SimulatorIds.h"
#include "ui/win32/WinText.h"

namespace zt40::win {

namespace {

constexpr UINT_PTR kSyncTimer = 1;
constexpr UINT kSyncMs = 500;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr int kPrinterX = 7, kPrinterY = 7;
constexpr int kQueueY = 86;
constexpr int kCountersX = 164, kCountersY = 7;
constexpr int kPinRow = 14;
constexpr int kJobsY = 176;
constexpr int kClientWidth = 291, kClientHeight = 252;

// The whole text as a 32-bit count, or nothing while the operator is still typing it.
bool ParseCounter(const std::wstring& text, std::int32_t& value) {
    const std::string narrow = Narrow(text);
    const char* end = narrow.data() + narrow.size();
    const auto [stop, error] = std::from_chars(narrow.data(), end, value);
    return error == std::errc() && stop == end && !narrow.empty();
}

}  // namespace

SimulatorWindow::SimulatorWindow(SimPrinterRig& rig) : m_rig(rig) {}

SimulatorWindow::~SimulatorWindow() {
    if (m_window != nullptr) DestroyWindow(m_window);
}

bool SimulatorWindow::Create(int x, int y) {
    if (m_window != nullptr) return true;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (!GetClassInfoExW(instance, kSimulatorWindowClass, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &SimulatorWindow::Procedure;
        windowClass.hInstance = instance;
        // A task-bar button of its own: the program's icon on it, not a blank one.
        windowClass.hIcon = ApplicationIcon(IconSize::Big);
        windowClass.hIconSm = ApplicationIcon(IconSize::Small);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kSimulatorWindowClass;
        if (RegisterClassExW(&windowClass) == 0) return false;
    }
    m_font = MessageFont();
    const DialogUnits units = UnitsOf(FontOrDefault(m_font));
    RECT frame = units.Rect({0, 0, kClientWidth, kClientHeight});
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    // No owner: the main window's modal dialogs disable their owner chain, never this window.
    HWND window = CreateWindowExW(0, kSimulatorWindowClass, Translate(simtext::kTitle).c_str(), kStyle, x, y,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (window == nullptr) return false;
    CreateControls();
    Sync();
    SetTimer(m_window, kSyncTimer, kSyncMs, nullptr);
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
    return true;
}

void SimulatorWindow::CreateControls() {
    HFONT font = FontOrDefault(m_font);
    const DialogUnits units = UnitsOf(font);
    const auto add = [&](int id, const wchar_t* windowClass, DWORD style, const std::wstring& text, Place place,
                         DWORD exStyle = 0) {
        return AddControl(m_window, units, font, id, windowClass, style, text, place, exStyle);
    };
    constexpr DWORD kGroup = BS_GROUPBOX;
    constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
    constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
    constexpr int kStatic = -1;

    add(kStatic, L"BUTTON", kGroup, Translate(simtext::kPrinter), {kPrinterX, kPrinterY, 150, 74});
    add(IDC_SIM_PLUGGED, L"BUTTON", kCheck | WS_GROUP, Translate(simtext::kPlugged),
        {kPrinterX + 6, kPrinterY + 12, 136, 10});
    add(IDC_SIM_POWERED, L"BUTTON", kCheck, Translate(simtext::kPowered), {kPrinterX + 6, kPrinterY + 25, 136, 10});
    add(IDC_SIM_BUSY, L"BUTTON", kCheck, Translate(simtext::kBusy), {kPrinterX + 6, kPrinterY + 38, 136, 10});
    add(kStatic, L"STATIC", SS_LEFT, Translate(simtext::kAnswers), {kPrinterX + 6, kPrinterY + 55, 66, 10});
    HWND answers = add(IDC_SIM_ANSWERS, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, L"",
                       {kPrinterX + 74, kPrinterY + 53, 70, 60});
    for (const auto& text : kSimAnswersTexts) {
        SendMessageW(answers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Translate(text).c_str()));
    }

    add(kStatic, L"BUTTON", kGroup, Render(SimQueueTitle(m_rig.QueueName())), {kPrinterX, kQueueY, 150, 40});
    add(IDC_SIM_QUEUE_INSTALLED, L"BUTTON", kCheck | WS_GROUP, Translate(simtext::kQueueInstalled),
        {kPrinterX + 6, kQueueY + 12, 136, 10});
    add(IDC_SIM_QUEUE_ONLINE, L"BUTTON", kCheck, Translate(simtext::kQueueOnline),
        {kPrinterX + 6, kQueueY + 25, 136, 10});

    add(kStatic, L"BUTTON", kGroup, Translate(simtext::kCounters),
        {kCountersX, kCountersY, 120, 12 + kSimPinCount * kPinRow + 22});
    for (int pin = 0; pin < kSimPinCount; ++pin) {
        const int y = kCountersY + 12 + pin * kPinRow;
        add(kStatic, L"STATIC", SS_RIGHT, Render(SimPinLabel(pin + 1)), {kCountersX + 6, y + 2, 30, 10});
        add(IDC_SIM_PIN_FIRST + pin, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | (pin == 0 ? WS_GROUP : 0), L"",
            {kCountersX + 40, y, 72, 12}, WS_EX_CLIENTEDGE);
    }
    add(IDC_SIM_ALL_BANDS, L"BUTTON", kButton | WS_GROUP, Translate(simtext::kAllBands),
        {kCountersX + 6, kCountersY + 14 + kSimPinCount * kPinRow, 106, 14});

    add(kStatic, L"BUTTON", kGroup, Translate(simtext::kJobs), {kPrinterX, kJobsY, 277, 70});
    add(IDC_SIM_JOBS, L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_GROUP, L"",
        {kPrinterX + 6, kJobsY + 12, 265, 36}, WS_EX_CLIENTEDGE);
    add(IDC_SIM_PRINT_QUEUED, L"BUTTON", kButton, Translate(simtext::kPrintQueued),
        {kPrinterX + 6, kJobsY + 51, 90, 14});
}

LRESULT CALLBACK SimulatorWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SimulatorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SimulatorWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT SimulatorWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kSyncTimer) Sync();
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, kSyncTimer);
        return 0;
    default:
        break;
    }
    // Closing it ends only this window: the program runs on behind its main window.
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void SimulatorWindow::OnCommand(int id, int code) {
    if (m_syncing) return;
    auto& printer = m_rig.Printer();
    const bool checked = IsDlgButtonChecked(m_window, id) == BST_CHECKED;
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_SIM_PLUGGED:
            checked ? printer.Plug() : printer.Unplug();
            break;
        case IDC_SIM_POWERED:
            checked ? printer.PowerOn() : printer.PowerOff();
            break;
        case IDC_SIM_BUSY:
            SetSimBusy(printer, checked);
            break;
        case IDC_SIM_QUEUE_INSTALLED:
            m_rig.InstallQueue(checked);
            break;
        case IDC_SIM_QUEUE_ONLINE:
            m_rig.SetQueueOffline(!checked);
            break;
        case IDC_SIM_ALL_BANDS:
            printer.State().pinCounters = AllBandsCounters();
            break;
        case IDC_SIM_PRINT_QUEUED:
            m_rig.Spooler().PrintQueuedJobs();
            break;
        default:
            return;
        }
        // The queue's online box means nothing without the queue; the printer's own follow-ups
        // (its queue offline while unplugged) show at once.
        Sync();
        return;
    }
    if (id == IDC_SIM_ANSWERS && code == CBN_SELCHANGE) {
        const auto index = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
        if (index >= 0 && index < static_cast<LRESULT>(kSimAnswersTexts.size())) {
            SetSimAnswers(printer, static_cast<SimAnswers>(index));
        }
        return;
    }
    if (id >= IDC_SIM_PIN_FIRST && id < IDC_SIM_PIN_FIRST + kSimPinCount && code == EN_CHANGE) {
        std::int32_t value = 0;
        // Negative counts are what a damaged printer may hold; they are taken as typed.
        if (ParseCounter(WindowText(Control(id)), value)) {
            printer.State().pinCounters[static_cast<std::size_t>(id - IDC_SIM_PIN_FIRST)] = value;
        }
    }
}

void SimulatorWindow::Sync() {
    if (m_window == nullptr) return;
    m_syncing = true;
    const auto& printer = m_rig.Printer();
    const auto check = [this](int id, bool on) { CheckDlgButton(m_window, id, on ? BST_CHECKED : BST_UNCHECKED); };
    check(IDC_SIM_PLUGGED, printer.IsPlugged());
    check(IDC_SIM_POWERED, printer.IsPowered());
    check(IDC_SIM_BUSY, SimBusy(printer));
    SendMessageW(Control(IDC_SIM_ANSWERS), CB_SETCURSEL, static_cast<WPARAM>(CurrentSimAnswers(printer)), 0);
    check(IDC_SIM_QUEUE_INSTALLED, m_rig.QueueInstalled());
    check(IDC_SIM_QUEUE_ONLINE, !m_rig.QueueOffline());
    EnableWindow(Control(IDC_SIM_QUEUE_ONLINE), m_rig.QueueInstalled());
    const HWND focus = GetFocus();
    for (int pin = 0; pin < kSimPinCount; ++pin) {
        HWND edit = Control(IDC_SIM_PIN_FIRST + pin);
        // The operator may be typing a value; the printer's own changes wait until they are done.
        if (edit == focus) continue;
        const std::wstring value = std::to_wstring(printer.State().pinCounters[static_cast<std::size_t>(pin)]);
        if (WindowText(edit) != value) SetWindowTextW(edit, value.c_str());
    }
    SyncJobs();
    m_syncing = false;
}

void SimulatorWindow::SyncJobs() {
    HWND list = Control(IDC_SIM_JOBS);
    const auto& jobs = m_rig.Spooler().Jobs();
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const std::wstring line = Render(SimJobLine(jobs[i], Narrow(Translate(SimJobStateText(jobs[i].state)))));
        const auto index = static_cast<WPARAM>(i);
        if (i < m_jobsShown) {
            std::wstring shown(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
            shown.resize(static_cast<std::size_t>(
                SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(shown.data()))));
            if (shown == line) continue;
            SendMessageW(list, LB_DELETESTRING, index, 0);
            SendMessageW(list, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(line.c_str()));
        } else {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
    }
    m_jobsShown = jobs.size();
}

}  // namespace zt40::win
