// The Windows window's wear notices: each crossing the logic hands over is one balloon, the
// caption over the same advice as the Linux notice, in the edition's language; the program's
// icon in the notification area from the first balloon until its owner lets it go; and
// zt40util.exe, started on a printer whose pins crossed bands since its last sample, putting the
// icon there.
// Which crossings are told is the logic's table (tests/record), not repeated here.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "record/CounterSamples.h"
#include "record/WearForecast.h"
#include "ui/win32/MainDialog.h"
#include "ui/win32/NotificationArea.h"
#include "ui/win32/WinText.h"
#include "win32/ui/UtilProgram.h"

namespace zt40::win {
namespace {

using testing::SystemPath;
using testing::UtilProgram;
using testing::WaitUntil;

struct Balloon {
    std::wstring title;
    std::wstring body;
    bool operator==(const Balloon&) const = default;
};

class RecordingNoticeArea final : public INoticeArea {
public:
    bool ShowBalloon(const std::wstring& title, const std::wstring& body) override {
        balloons.push_back({title, body});
        return true;
    }
    std::vector<Balloon> balloons;
};

class WinWearNotice : public ::testing::Test {
protected:
    void TearDown() override { UseLanguage(Language::English); }
};

TEST_F(WinWearNotice, EachCrossingIsOneBalloonTheCaptionOverItsAdvice) {
    const std::wstring caption = L"ZT-40 Pinwarden";
    struct Case {
        const char* what;
        Language language;
        std::vector<BandCrossing> crossings;
        std::vector<std::wstring> bodies;
    };
    const Case cases[] = {
        {"none", Language::English, {}, {}},
        {"yellow", Language::English, {{3, WearBand::Yellow, 6'300'000}},
         {L"Pin 3 of the ZT-40 has reached the yellow band: plan to change the marking pin."}},
        // In the order handed over, not sorted by band or pin.
        {"two, red first", Language::English, {{9, WearBand::Red, 11'000'000}, {1, WearBand::Yellow, 6'000'000}},
         {L"Pin 9 of the ZT-40 has reached the red band: change the marking pin.",
          L"Pin 1 of the ZT-40 has reached the yellow band: plan to change the marking pin."}},
        {"Japanese", Language::Japanese, {{8, WearBand::Red, 10'000'000}, {6, WearBand::Yellow, 8'000'000}},
         {L"ZT-40 のピン 8 が赤の範囲に達しました。打刻するピンを交換してください。",
          L"ZT-40 のピン 6 が黄色の範囲に達しました。打刻するピンの交換を計画してください。"}},
    };
    for (const Case& c : cases) {
        UseLanguage(c.language);
        RecordingNoticeArea area;
        MainDialog window;
        window.SetNoticeArea(area);
        window.NotifyWear(c.crossings);
        std::vector<Balloon> expected;
        for (const auto& body : c.bodies) expected.push_back({caption, body});
        EXPECT_EQ(area.balloons, expected) << c.what;
    }
}

// Only an icon the shell holds takes a change: whether `window`'s notice icon is there.
bool ShellHoldsIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = NotificationAreaIcon::kIconId;
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST_F(WinWearNotice, TheIconComesWithTheFirstBalloonAndGoesWithItsOwner) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    {
        NotificationAreaIcon icon(window, LoadIconW(nullptr, MAKEINTRESOURCEW(32512)), L"ZT-40 Pinwarden");
        EXPECT_FALSE(ShellHoldsIcon(window)) << "before any notice";
        // Longer than the shell's fields: cut, not refused.
        EXPECT_TRUE(icon.ShowBalloon(std::wstring(200, L't'), std::wstring(600, L'b')));
        EXPECT_TRUE(ShellHoldsIcon(window));
        EXPECT_TRUE(icon.ShowBalloon(L"ZT-40 Pinwarden", L"a second crossing, from the same icon"));
    }
    EXPECT_FALSE(ShellHoldsIcon(window)) << "left behind";
    DestroyWindow(window);
}

TEST_F(WinWearNotice, ProgramPutsTheIconUpForACrossing) {
    const auto data = std::filesystem::temp_directory_path() / ("zt40util-wear-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(data);
    {
        // A sample long ago with every pin new: the printer's pins have crossed since.
        std::ofstream samples(data / std::string(kSamplesFileName), std::ios::binary);
        samples << kSamplesHeader << '\n' << FormatSampleLine({{2020, 1, 6}, "SIM0001", UsageCounters{}});
    }
    {
        HWND main = nullptr;
        UtilProgram program({L"--simulate=" + SystemPath(ZT40_SOURCE_DIR "/platform/sim/examples/all-bands.zt40sim")},
                            {L"ZT40_DATA_DIR=" + data.wstring()});
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitUntil([&] { return (main = program.FindWindowWith(IDC_REFRESH)) != nullptr; })) << "no window";
        EXPECT_TRUE(WaitUntil([&] { return ShellHoldsIcon(main); })) << "no notice icon";
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.Exit(), 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
}

}  // namespace
}  // namespace zt40::win
