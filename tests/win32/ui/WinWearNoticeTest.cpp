// The Windows window's wear notices: each crossing handed over is one balloon, the caption over
// the Linux notice's advice in the edition's language; the icon in the notification area from
// the first balloon until its owner lets it go; and zt40util.exe putting it up for a printer
// whose pins crossed since its last sample. Which crossings are told is tests/record's table.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "record/CounterSamples.h"
#include "ui/win32/MainDialog.h"
#include "win32/ui/UtilProgram.h"

namespace zt40::win {
namespace {

using Balloons = std::vector<std::pair<std::wstring, std::wstring>>;  // title, body

class RecordingNoticeArea final : public INoticeArea {
public:
    bool ShowBalloon(const std::wstring& title, const std::wstring& body) override {
        balloons.emplace_back(title, body);
        return true;
    }
    Balloons balloons;
};

TEST(WinWearNotice, EachCrossingIsOneBalloonTheCaptionOverItsAdvice) {
    const std::wstring caption = L"ZT-40 Pinwarden";
    struct Case {
        Language language;
        std::vector<BandCrossing> crossings;
        Balloons balloons;
    } const cases[] = {
        {Language::English, {}, {}},
        {Language::English,
         {{3, WearBand::Yellow, 6'300'000}},
         {{caption, L"Pin 3 of the ZT-40 has reached the yellow band: plan to change the marking pin."}}},
        // In the order handed over, not sorted by band or pin.
        {Language::Japanese,
         {{8, WearBand::Red, 10'000'000}, {6, WearBand::Yellow, 8'000'000}},
         {{caption, L"ZT-40 のピン 8 が赤の範囲に達しました。打刻するピンを交換してください。"},
          {caption, L"ZT-40 のピン 6 が黄色の範囲に達しました。打刻するピンの交換を計画してください。"}}},
    };
    for (const Case& c : cases) {
        UseLanguage(c.language);
        RecordingNoticeArea area;
        MainDialog window;
        window.SetNoticeArea(area);
        window.NotifyWear(c.crossings);
        EXPECT_EQ(area.balloons, c.balloons) << c.crossings.size();
    }
    UseLanguage(Language::English);
}

// Only an icon the shell holds takes a change.
bool ShellHoldsIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = NotificationAreaIcon::kIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST(WinWearNotice, TheIconComesWithTheFirstBalloonAndGoesWithItsOwner) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        NotificationAreaIcon icon(window, LoadIconW(nullptr, MAKEINTRESOURCEW(32512)), L"ZT-40 Pinwarden");
        EXPECT_FALSE(ShellHoldsIcon(window)) << "before any notice";
        // Longer than the shell's fields: cut, not refused.
        EXPECT_TRUE(icon.ShowBalloon(std::wstring(200, L't'), std::wstring(600, L'b')));
        EXPECT_TRUE(ShellHoldsIcon(window));
        EXPECT_TRUE(icon.ShowBalloon(L"ZT-40 Pinwarden", L"a second crossing, from the same icon"));
    }
    // The window lives on: only the icon's own removal takes it away.
    EXPECT_FALSE(ShellHoldsIcon(window)) << "left behind";
    DestroyWindow(window);
}

TEST(WinWearNotice, ProgramPutsTheIconUpForACrossing) {
    const auto data = std::filesystem::temp_directory_path() / ("zt40util-wear-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(data);
    // A sample long ago with every pin new: the pins have crossed since.
    std::ofstream(data / std::string(kSamplesFileName), std::ios::binary)
        << kSamplesHeader << '\n' << FormatSampleLine({{2020, 1, 6}, "SIM0001", UsageCounters{}});
    {
        const std::string state = ZT40_SOURCE_DIR "/platform/sim/examples/all-bands.zt40sim";
        testing::UtilProgram program({L"--simulate=" + testing::SystemPath(state)}, {L"ZT40_DATA_DIR=" + data.wstring()});
        HWND main = nullptr;
        ASSERT_TRUE(testing::WaitUntil([&] { return (main = program.FindWindowWith(IDC_REFRESH)) != nullptr; }));
        EXPECT_TRUE(testing::WaitUntil([&] { return ShellHoldsIcon(main); })) << "no notice icon";
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.Exit(), 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
}

}  // namespace
}  // namespace zt40::win
