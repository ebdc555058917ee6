// The programs' icon: in both executables' resources at every size the shell asks for, each
// image drawn, not blank; and the running window's big and small icons, read back from outside,
// the program's own and not the system's application icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "ui/win32/WinText.h"
#include "win32/ui/UtilProgram.h"

namespace zt40::win {
namespace {

using testing::SystemPath;
using testing::UtilProgram;
using testing::WaitUntil;
using namespace std::chrono_literals;

// The resource scripts' layout of an icon group, packed as in the file.
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;  // 0 for 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;  // its RT_ICON resource
};
#pragma pack(pop)

// RT_GROUP_ICON and RT_ICON in the wide functions' type.
LPCWSTR const kGroupIcon = MAKEINTRESOURCEW(14);
LPCWSTR const kIcon = MAKEINTRESOURCEW(3);

// The icon's pixels as 32-bit ARGB, top row first, as the system keeps them; empty when it cannot
// be read.
std::vector<std::uint32_t> Pixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
    std::vector<std::uint32_t> pixels;
    BITMAP colour{};
    if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof colour, &colour) != 0) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = colour.bmWidth;
        format.bmiHeader.biHeight = -colour.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        pixels.resize(static_cast<std::size_t>(colour.bmWidth) * static_cast<std::size_t>(colour.bmHeight));
        HDC dc = GetDC(nullptr);
        if (GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(colour.bmHeight), pixels.data(), &format,
                      DIB_RGB_COLORS) == 0) {
            pixels.clear();
        }
        ReleaseDC(nullptr, dc);
    }
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return pixels;
}

// Pixels not fully transparent.
int Opaque(const std::vector<std::uint32_t>& pixels) {
    int opaque = 0;
    for (const std::uint32_t pixel : pixels) opaque += (pixel >> 24) != 0 ? 1 : 0;
    return opaque;
}

// An executable opened for its resources only.
class ResourceFile {
public:
    explicit ResourceFile(const std::string& path)
        : m_module(LoadLibraryExW(SystemPath(path).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() {
        if (m_module != nullptr) FreeLibrary(m_module);
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;
    HMODULE Module() const { return m_module; }

    std::span<const std::uint8_t> Bytes(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(m_module, name, type);
        HGLOBAL loaded = found != nullptr ? LoadResource(m_module, found) : nullptr;
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr) return {};
        return {static_cast<const std::uint8_t*>(bytes), SizeofResource(m_module, found)};
    }

    // The ids of its icon groups, in the file's order.
    std::vector<LPCWSTR> Groups() const {
        std::vector<LPCWSTR> groups;
        EnumResourceNamesW(
            m_module, kGroupIcon,
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
                // Ids only: the programs' scripts name none by a string.
                reinterpret_cast<std::vector<LPCWSTR>*>(param)->push_back(name);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&groups));
        return groups;
    }

private:
    HMODULE m_module;
};

// The sizes of a group's images, each with how many of its pixels are not transparent.
std::vector<std::pair<int, int>> GroupImages(const ResourceFile& file, LPCWSTR group) {
    std::vector<std::pair<int, int>> images;
    const auto bytes = file.Bytes(kGroupIcon, group);
    if (bytes.size() < sizeof(GroupIconHeader)) return images;
    const auto* header = reinterpret_cast<const GroupIconHeader*>(bytes.data());
    if (bytes.size() < sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry)) return images;
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(bytes.data() + sizeof(GroupIconHeader));
    for (WORD i = 0; i < header->count; ++i) {
        const int size = entries[i].width == 0 ? 256 : entries[i].width;
        const auto image = file.Bytes(kIcon, MAKEINTRESOURCEW(entries[i].id));
        HICON icon = image.empty() ? nullptr
                                   : CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                                              static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                                              size, size, LR_DEFAULTCOLOR);
        images.emplace_back(size, icon != nullptr ? Opaque(Pixels(icon)) : -1);
        if (icon != nullptr) DestroyIcon(icon);
    }
    return images;
}

TEST(WinAppIcon, BothProgramsCarryTheIconAtEachSizeTheShellAsksFor) {
    const std::set<int> wanted{16, 24, 32, 48, 256};
    for (const char* program : {"zt40util.exe", "zt40ctl.exe"}) {
        const ResourceFile file(std::string(ZT40_BINARY_DIR "/") + program);
        ASSERT_NE(file.Module(), nullptr) << program;
        const auto groups = file.Groups();
        // One group, or the shell might pick another for the file.
        ASSERT_EQ(groups.size(), 1u) << program;
        std::set<int> sizes;
        for (const auto& [size, opaque] : GroupImages(file, groups.front())) {
            sizes.insert(size);
            // The drawing covers a good part of its square at every size, down to 16 pixels.
            EXPECT_GT(opaque, size * size / 8) << program << " at " << size << " px";
        }
        EXPECT_EQ(sizes, wanted) << program;
    }
}

// What xprop prints of `property` on X window `x`, or nothing. Under wine a program of the
// machine itself can be started like a Windows one, but its output reaches no pipe of ours: it
// goes through a file, whole once it has its name.
std::string XProperty(std::uintptr_t x, const std::string& property) {
    const std::string file = "/tmp/zt40-icon-" + std::to_string(GetCurrentProcessId()) + "-" + property;
    std::wstring command = L"Z:\\bin\\sh -c \"xprop -id " + std::to_wstring(x) + L" -notype -f " +
                           Widen(property) + L" 32c ' = $0+' " + Widen(property) + L" >" + Widen(file) +
                           L".part && mv " + Widen(file) + L".part " + Widen(file) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return {};
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::filesystem::path written = SystemPath(file);
    if (!WaitUntil([&] { return std::filesystem::exists(written); }, 10s)) return {};
    std::ifstream in(written, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    in.close();
    std::error_code ignored;
    std::filesystem::remove(written, ignored);
    return out.str();
}

// The icons a window manager and a task bar read off the window's X window: width, height and
// that many ARGB pixels, one image after another, by width.
std::map<int, std::vector<std::uint32_t>> TaskBarIcons(HWND window) {
    std::map<int, std::vector<std::uint32_t>> icons;
    const auto x = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
    if (x == 0) return icons;
    const std::string out = XProperty(x, "_NET_WM_ICON");
    std::vector<std::uint32_t> values;
    std::istringstream in(out.substr(out.find('=') == std::string::npos ? out.size() : out.find('=') + 1));
    for (std::string value; std::getline(in, value, ',');) {
        values.push_back(static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10)));
    }
    for (std::size_t at = 0; at + 2 <= values.size();) {
        const std::size_t width = values[at];
        const std::size_t count = width * values[at + 1];
        if (at + 2 + count > values.size()) break;
        icons[static_cast<int>(width)].assign(values.begin() + static_cast<std::ptrdiff_t>(at + 2),
                                              values.begin() + static_cast<std::ptrdiff_t>(at + 2 + count));
        at += 2 + count;
    }
    return icons;
}

// Under wine, WM_GETICON sent from another process answers null, also to a window whose own
// thread gets its icons back; what the task bar shows is read where it reads it, off the X window.
TEST(WinAppIcon, TheRunningWindowShowsTheProgramsIconBigAndSmall) {
    const auto data = std::filesystem::temp_directory_path() / ("zt40util-icon-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(data);
    const ResourceFile file(ZT40_BINARY_DIR "/zt40util.exe");
    {
        UtilProgram program({L"--simulate"}, {L"ZT40_DATA_DIR=" + data.wstring()});
        ASSERT_TRUE(program.Started());
        HWND main = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (main = program.FindWindowWith(IDC_REFRESH)) != nullptr; })) << "no window";
        std::map<int, std::vector<std::uint32_t>> shown;
        EXPECT_TRUE(WaitUntil([&] { return (shown = TaskBarIcons(main)).size() >= 2; }, 10s)) << shown.size();
        struct Case {
            const char* what;
            int size;
        };
        for (const Case& c : {Case{"big", GetSystemMetrics(SM_CXICON)}, Case{"small", GetSystemMetrics(SM_CXSMICON)}}) {
            const auto& pixels = shown[c.size];
            EXPECT_GT(Opaque(pixels), c.size * c.size / 8) << c.what << " at " << c.size << " px";
            // The image the program's file holds for that size, not the system's.
            HANDLE own = LoadImageW(file.Module(), MAKEINTRESOURCEW(1), IMAGE_ICON, c.size, c.size, 0);
            ASSERT_NE(own, nullptr) << c.what;
            EXPECT_EQ(pixels, Pixels(static_cast<HICON>(own))) << c.what;
            DestroyIcon(static_cast<HICON>(own));
        }
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.Exit(), 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
}

}  // namespace
}  // namespace zt40::win
