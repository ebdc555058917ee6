// The programs' icon: in both executables' resources at every size the shell asks for, none
// blank; and the running window's big and small icons, read back from outside, the file's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "win32/ui/UtilProgram.h"

namespace zt40::win {
namespace {

using testing::SystemPath;
using testing::UtilProgram;
using testing::WaitUntil;

using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)>;
Module OpenForResources(const std::string& path) {
    const DWORD flags = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    return {LoadLibraryExW(SystemPath(path).c_str(), nullptr, flags), &FreeLibrary};
}

// The icon's pixels as 32-bit ARGB, top row first; empty when it cannot be read.
std::vector<std::uint32_t> Pixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), colour.bmWidth, -colour.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(colour.bmWidth) * static_cast<std::size_t>(colour.bmHeight));
    HDC dc = GetDC(nullptr);
    if (GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(colour.bmHeight), pixels.data(), &format, DIB_RGB_COLORS) == 0) {
        pixels.clear();
    }
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

int Opaque(const std::vector<std::uint32_t>& pixels) {
    int opaque = 0;
    for (const std::uint32_t pixel : pixels) opaque += (pixel >> 24) != 0 ? 1 : 0;
    return opaque;
}

std::string_view ResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded == nullptr) return {};
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found)};
}

TEST(WinAppIcon, BothProgramsCarryTheIconAtEachSizeTheShellAsksFor) {
    LPCWSTR const groupType = MAKEINTRESOURCEW(14), iconType = MAKEINTRESOURCEW(3);  // RT_GROUP_ICON, RT_ICON
    for (const char* program : {"zt40util.exe", "zt40ctl.exe"}) {
        const Module file = OpenForResources(std::string(ZT40_BINARY_DIR "/") + program);
        ASSERT_NE(file, nullptr) << program;
        // One group, or the shell might show another for the file.
        int groups = 0;
        const auto count = [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        };
        EnumResourceNamesW(file.get(), groupType, count, reinterpret_cast<LONG_PTR>(&groups));
        EXPECT_EQ(groups, 1) << program;
        // The group: six bytes of header, then fourteen a size: its width first (0 for 256), its
        // image's id last.
        const std::string_view group = ResourceBytes(file.get(), groupType, MAKEINTRESOURCEW(1));
        std::set<int> sizes;
        for (std::size_t at = 6; at + 14 <= group.size(); at += 14) {
            const auto* entry = reinterpret_cast<const BYTE*>(group.data() + at);
            const int size = entry[0] == 0 ? 256 : entry[0];
            sizes.insert(size);
            const std::string_view image = ResourceBytes(file.get(), iconType, MAKEINTRESOURCEW(entry[12] | entry[13] << 8));
            HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                                  static_cast<DWORD>(image.size()), TRUE, 0x00030000, size, size, 0);
            // Drawn over a good part of its square at every size, down to 16 pixels.
            EXPECT_GT(Opaque(Pixels(icon)), size * size / 8) << program << " at " << size << " px";
            if (icon != nullptr) DestroyIcon(icon);
        }
        EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 256})) << program;
    }
}

// The icons a task bar reads off the window's X window, by width. xprop, a program of the machine
// that wine starts like a Windows one, writes them to a file (its output reaches no pipe of ours),
// renamed once whole: width, height and that many ARGB pixels, one image after another.
std::map<int, std::vector<std::uint32_t>> TaskBarIcons(HWND window) {
    const auto x = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
    const std::wstring file = L"/tmp/zt40-icon-" + std::to_wstring(GetCurrentProcessId());
    std::wstring command = L"Z:\\bin\\sh -c \"xprop -id " + std::to_wstring(x) +
                           L" -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON >" + file + L".part && mv " + file +
                           L".part " + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (x == 0 || !CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return {};
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::filesystem::path written = L"Z:" + file;
    if (!WaitUntil([&] { return std::filesystem::exists(written); }, std::chrono::seconds(10))) return {};
    std::stringstream text;
    text << std::ifstream(written).rdbuf();
    std::filesystem::remove(written);
    std::string value;
    std::getline(text, value, '=');
    std::vector<std::uint32_t> values;
    while (std::getline(text, value, ',')) values.push_back(static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10)));
    std::map<int, std::vector<std::uint32_t>> icons;
    for (std::size_t at = 0; at + 2 <= values.size() && at + 2 + values[at] * values[at + 1] <= values.size();) {
        const auto first = values.begin() + static_cast<std::ptrdiff_t>(at + 2);
        icons[static_cast<int>(values[at])].assign(first, first + static_cast<std::ptrdiff_t>(values[at] * values[at + 1]));
        at += 2 + values[at] * values[at + 1];
    }
    return icons;
}

// Under wine, WM_GETICON sent from another process answers null, also to a window whose own
// thread gets its icons back; what the task bar shows is read where it reads it, off the X window.
TEST(WinAppIcon, TheRunningWindowShowsTheProgramsIconBigAndSmall) {
    const auto data = std::filesystem::temp_directory_path() / ("zt40util-icon-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(data);
    const Module file = OpenForResources(ZT40_BINARY_DIR "/zt40util.exe");
    {
        UtilProgram program({L"--simulate"}, {L"ZT40_DATA_DIR=" + data.wstring()});
        HWND main = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (main = program.FindWindowWith(IDC_REFRESH)) != nullptr; })) << "no window";
        std::map<int, std::vector<std::uint32_t>> shown;
        EXPECT_TRUE(WaitUntil([&] { return (shown = TaskBarIcons(main)).size() >= 2; })) << shown.size();
        for (const int size : {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CXSMICON)}) {
            EXPECT_GT(Opaque(shown[size]), size * size / 8) << size << " px";
            // The image the program's file holds for that size, not the system's.
            HANDLE own = LoadImageW(file.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
            EXPECT_EQ(shown[size], Pixels(static_cast<HICON>(own))) << size << " px";
            if (own != nullptr) DestroyIcon(static_cast<HICON>(own));
        }
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.Exit(), 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
}

}  // namespace
}  // namespace zt40::win
