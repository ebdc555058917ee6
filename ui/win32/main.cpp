// zt40util.exe: the main window on the printer found through its print queue, or with
// --simulate[=FILE] on the simulated ZT-40.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CPinwardenDlg.h"
#include "app/ControlIds.h"
#include "printjob/EmbeddedJobs.h"
#include "platform/sim/SimPrinterRig.h"
#include "printjob/PrintJobSender.h"
#include "record/HistoryTexts.h"
#include "ui/win32/HistoryWindow.h"
#include "ui/win32/MainDialog.h"
#include "ui/win32/Resources.h"
#include "ui/win32/SimulatorWindow.h"
#include "ui/win32/WindowPicture.h"
#include "ui/win32/WinText.h"
#include "ui/win32/WizardSheetHost.h"
#include "wizards/Sheets.h"
#include "wiring/RecordWiring.h"
#include "wiring/Wiring.h"

namespace {

using namespace zt40;

// A picture is taken once the printer is ready, or after this long without it.
constexpr DWORD kScreenshotPatienceMs = 10'000;

constexpr const char* kUsage =
    "usage: zt40util [--simulate[=FILE]] [--queue=NAME] [--screenshot=FILE.png] [--wear-screenshot=FILE.png]\n"
    "  --simulate[=FILE]   run on a simulated ZT-40 (FILE: its initial state)\n"
    "  --queue=NAME        use only this print queue's printer (else the first usable queue's)\n"
    "  --screenshot=FILE   once the printer is ready, save the main window as a PNG and end\n"
    "  --wear-screenshot=FILE  the same for the history window's \"Wear\" view of the counter samples\n";

struct Options {
    WiringOptions wiring;
    std::wstring screenshot;
    std::wstring wearScreenshot;
};

std::optional<Options> ParseOptions(const std::vector<std::wstring>& args) {
    Options options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        // Everything after the first '=': a file name may hold one too.
        const auto equals = arg.find(L'=');
        const std::wstring value = equals == std::wstring::npos ? std::wstring() : arg.substr(equals + 1);
        const std::wstring name = arg.substr(0, equals);
        if (name == L"--simulate") {
            // One state file at most, and "--simulate=" names none.
            if (options.wiring.simulate) return std::nullopt;
            options.wiring.simulate = true;
            if (equals == std::wstring::npos) continue;
            if (value.empty()) return std::nullopt;
            options.wiring.simulateFile = win::Narrow(value);
        } else if (name == L"--queue" && !value.empty()) {
            options.wiring.queue = win::Narrow(value);
        } else if (name == L"--screenshot" && !value.empty()) {
            options.screenshot = value;
        } else if (name == L"--wear-screenshot" && !value.empty()) {
            options.wearScreenshot = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    if (argv == nullptr) return args;
    for (int i = 0; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

std::wstring FullPath(const std::wstring& file) {
    std::wstring full(MAX_PATH, L'\0');
    const DWORD length = GetFullPathNameW(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) return file;
    full.resize(length);
    return full;
}

}  // namespace

int main() {
    const auto options = ParseOptions(Arguments());
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    win::UseLanguage(win::UserLanguage());

    win::MainDialog window;
    auto wired = WirePlatform(options->wiring, window.Messages());
    if (!wired.wiring) {
        std::fprintf(stderr, "%s\n", wired.error.c_str());
        return wired.exitStatus;
    }
    PlatformWiring& wiring = *wired.wiring;
    if (!window.Create(win::CurrentLanguage())) {
        std::fputs("zt40util: the window cannot be created\n", stderr);
        return 1;
    }
    // The waits for ready, and a command's wait for its answer, pause in the window's message
    // loop, so the window never freezes.
    CPinwardenDlg dialog(wiring.Platform(), window, [&window](std::uint32_t ms) { window.PauseWithEvents(ms); },
                         &wiring.AccessReport(), options->wiring.queue);
    window.Attach(dialog);
    const RecordWiring records;
    dialog.SetUsageRecordPlatform(records.Platform());

    // Each wizard is a local object of the run that shows it, reaching the printer through the dialog.
    CPrintJobSender sender(wiring.Spooler(), window.Messages(), EmbeddedJobs());
    const WizardSpooling spooling{wiring.Spooler(), sender};
    window.SetWizardRunner([&dialog, &spooling](WizardKind kind, HWND owner) {
        if (kind == WizardKind::ReplaceHead) {
            CChangeHeadSheet sheet(dialog, spooling);
            return win::RunWizardSheet(sheet, owner);
        }
        CAdjustPinSheet sheet(dialog, spooling);
        return win::RunWizardSheet(sheet, owner);
    });

    auto monitor = wiring.MakeDeviceChangeMonitor(
        [&dialog](std::uint32_t eventType) { dialog.OnDeviceChange(eventType, 0); });
    if (monitor) window.WatchDeviceChanges(*monitor);

    dialog.OnInitDialog();
    window.AddCommand(ZT40_IDM_HISTORY, historytext::kMenu, [&window, &records] {
        win::ShowHistoryWindow(win::TopmostProgramWindow(window.Window()), records.Platform());
    });
    ShowWindow(window.Window(), SW_SHOWNORMAL);
    UpdateWindow(window.Window());

    // Unowned, so that no dialog of the program ever disables it; beside the main window.
    std::optional<win::SimulatorWindow> simulator;
    if (SimPrinterRig* rig = wiring.Simulator()) {
        simulator.emplace(*rig);
        RECT main{};
        GetWindowRect(window.Window(), &main);
        if (!simulator->Create(main.right + 12, main.top)) std::fputs("zt40util: no simulator window\n", stderr);
    }

    if (!options->screenshot.empty() || !options->wearScreenshot.empty()) {
        const DWORD started = GetTickCount();
        bool taken = false;
        const auto save = [](HWND shown, const std::wstring& name) {
            const std::wstring file = FullPath(name);
            const bool saved = win::SaveWindowPicture(shown, file);
            if (saved) {
                std::printf("%s\n", win::Narrow(file).c_str());
            } else {
                std::fprintf(stderr, "zt40util: cannot write %s\n", win::Narrow(file).c_str());
            }
            return saved;
        };
        window.SetTimerHandled([&](int id) {
            if (id != POLL_TIMER_ID || taken) return;
            const bool ready = dialog.DeviceReady();
            if (!ready && GetTickCount() - started < kScreenshotPatienceMs) return;
            if (!ready) std::fputs("zt40util: the printer did not become ready\n", stderr);
            taken = true;
            bool saved = options->screenshot.empty() || save(window.Window(), options->screenshot);
            if (!options->wearScreenshot.empty()) {
                // Read after the poll's read, so the day's sample is in it.
                win::HistoryWindow history(ReadUsageHistory(records.Platform()), ReadSamples(records.Platform()));
                saved = history.Create(window.Window()) && saved;
                history.ShowWear();
                saved = saved && save(history.Handle(), options->wearScreenshot);
            }
            std::fflush(stdout);
            window.EndProgram(saved && ready ? 0 : 1);
        });
    }
    return window.Run();
}
