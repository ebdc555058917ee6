// The history window's "Wear" view under wine, from a samples file as the program reads it: the
// tab shows it in place of the list, every line of the model is painted in its colour, and the
// picture of each edition, kept in the build folder, is its own.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/Win32RecordFiles.h"
#include "support/FakeDataFolderPlatform.h"
#include "ui/win32/HistoryWindow.h"
#include "ui/win32/WindowPicture.h"
#include "ui/win32/WinText.h"

namespace zt40::testing {
namespace {

// Three weeks of a printer wearing towards the all-bands counts: pins in every band, most rising.
std::string SamplesFile() {
    constexpr std::int32_t kCounts[kPinCount] = {500000, 2400000, 4100000, 6300000, 7999999,
                                                 8000000, 9200000, 10000000, 11000000};
    constexpr std::int32_t kPerDay[kPinCount] = {9000, 30000, 60000, 25000, 40000, 35000, 45000, 30000, 15000};
    std::string text = std::string(kSamplesHeader) + "\n";
    const std::int64_t today = DayNumber(LocalDate());
    for (int back = 20; back >= 0; --back) {
        CounterSample sample{DateOfDay(today - back), "SIM0001", {}};
        for (int pin = 0; pin < kPinCount; ++pin) sample.counters.PinCounter[pin] = kCounts[pin] - kPerDay[pin] * back;
        text += FormatSampleLine(sample);
    }
    return text;
}

// The chart's client area as it paints itself when asked to print, one 0xRRGGBB a pixel.
std::vector<std::uint32_t> ChartPixels(HWND chart) {
    RECT client{};
    GetClientRect(chart, &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(dc, bitmap);
        SendMessageW(chart, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (auto& pixel : pixels) pixel &= 0xFFFFFF;  // no alpha
        SelectObject(dc, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return pixels;
}

class WinWearView : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() / ("zt40-wear-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(m_folder);
        std::ofstream(m_folder / std::string(kSamplesFileName), std::ios::binary) << SamplesFile();
        m_folders.override = m_folder.string();
        m_folders.existing.insert(m_folder.string());
    }
    void TearDown() override {
        win::UseLanguage(win::Language::English);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    SamplesRead Samples() { return ReadSamples(UsageRecordPlatform{m_folders, m_files, "zt40util"}); }

    std::filesystem::path m_folder;
    test::FakeDataFolderPlatform m_folders;
    Win32RecordFiles m_files;
};

TEST_F(WinWearView, TheWearTabShowsEachLineOfTheModelInItsColour) {
    const SamplesRead samples = Samples();
    ASSERT_EQ(samples.samples.size(), 21u);
    win::HistoryWindow window(HistoryRead{}, samples);
    ASSERT_TRUE(window.Create(nullptr));
    HWND list = GetDlgItem(window.Handle(), win::IDC_HISTORY_LIST);
    HWND chart = GetDlgItem(window.Handle(), win::IDC_HISTORY_WEAR);
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(IsWindowVisible(chart));
    // As the operator switches with the keyboard, the tabs telling the window of the change.
    SendDlgItemMessageW(window.Handle(), win::IDC_HISTORY_TABS, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_TRUE(IsWindowVisible(chart));
    EXPECT_EQ(SendDlgItemMessageW(window.Handle(), win::IDC_HISTORY_TABS, TCM_GETCURSEL, 0, 0), 1);

    const auto pixels = ChartPixels(chart);
    ASSERT_FALSE(pixels.empty());
    std::map<std::uint32_t, int> seen;
    for (const auto pixel : pixels) ++seen[pixel];
    const WearChartModel model = MakeWearChart(samples.samples, LocalDate());
    // Pins 1..9, both bands, and the forecasts of the rising pins that are not red yet.
    ASSERT_EQ(model.lines.size(), 2u + 9u + 7u);
    for (const ChartLine& line : model.lines) {
        const std::uint32_t colour = (line.colour.r << 16) | (line.colour.g << 8) | line.colour.b;
        EXPECT_GE(seen[colour], 20) << line.key << " is hardly drawn";
    }
    // The title alone would leave more than 99 in 100 pixels white.
    EXPECT_LT(seen[0xFFFFFF], static_cast<int>(pixels.size()) * 98 / 100) << "nearly blank";
}

TEST_F(WinWearView, EachEditionsPictureIsKeptAndIsItsOwn) {
    const SamplesRead samples = Samples();
    const std::filesystem::path pictures = std::filesystem::current_path() / "win32-pictures";
    std::filesystem::create_directories(pictures);
    std::vector<std::vector<std::uint32_t>> drawn;
    std::vector<std::string> files;
    for (const auto& [language, name] : {std::pair{win::Language::English, "en"}, std::pair{win::Language::Japanese, "ja"}}) {
        SCOPED_TRACE(name);
        win::UseLanguage(language);
        win::HistoryWindow window(HistoryRead{}, samples);
        ASSERT_TRUE(window.Create(nullptr));
        window.ShowWear();
        drawn.push_back(ChartPixels(GetDlgItem(window.Handle(), win::IDC_HISTORY_WEAR)));
        ASSERT_FALSE(drawn.back().empty());
        const auto file = pictures / ("wear-" + std::string(name) + ".png");
        std::filesystem::remove(file);
        ASSERT_TRUE(win::SaveWindowPicture(window.Handle(), file.wstring())) << file;
        std::ifstream saved(file, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>());
        // The window and a chart of lines make a picture far above a flat area's few hundred bytes.
        EXPECT_GT(files.back().size(), 8000u) << file;
    }
    EXPECT_NE(drawn[0], drawn[1]) << "the Japanese chart is the English one";
    EXPECT_NE(files[0], files[1]);
}

}  // namespace
}  // namespace zt40::testing
