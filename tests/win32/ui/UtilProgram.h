#pragma once
// zt40util.exe started from a test as a program of its own, its windows found through the system,
// and the waits for what it shows.
#include <windows.h>

#include <chrono>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/BuildTree.h"

namespace zt40::testing {

using namespace std::chrono_literals;

// A build folder's path as the system under test names it: wine shows the Linux root as Z:.
inline std::wstring SystemPath(const std::string& path) {
    std::wstring out(path.begin(), path.end());
    for (auto& c : out) {
        if (c == L'/') c = L'\\';
    }
    return path.starts_with("/") ? L"Z:" + out : out;
}

inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience = 15s) {
    const auto until = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// The program, ended when the test ends, whatever the test saw.
class UtilProgram {
public:
    UtilProgram(const std::vector<std::wstring>& args, const std::vector<std::wstring>& environment) {
        std::wstring command = L"\"" + SystemPath(ZT40_BINARY_DIR "/zt40util.exe") + L"\"";
        for (const auto& arg : args) command += L" \"" + arg + L"\"";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&m_output, &write, &inherit, 1 << 16)) return;
        SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = write;
        startup.hStdError = write;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        // The test's own environment with the test's settings after it.
        std::wstring block;
        if (wchar_t* own = GetEnvironmentStringsW()) {
            for (const wchar_t* at = own; *at != L'\0'; at += wcslen(at) + 1) block.append(at).push_back(L'\0');
            FreeEnvironmentStringsW(own);
        }
        for (const auto& setting : environment) block.append(setting).push_back(L'\0');
        block.push_back(L'\0');
        m_started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                   block.data(), nullptr, &startup, &m_process) != 0;
        CloseHandle(write);
    }
    ~UtilProgram() {
        if (m_started) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 99);
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
        if (m_output != nullptr) CloseHandle(m_output);
    }
    UtilProgram(const UtilProgram&) = delete;
    UtilProgram& operator=(const UtilProgram&) = delete;

    bool Started() const { return m_started; }

    // The program's visible top-level window that has `childId`, or null.
    HWND FindWindowWith(int childId, HWND owner = nullptr) const {
        struct Search {
            DWORD process;
            int childId;
            HWND owner;
            HWND found;
        } search{m_process.dwProcessId, childId, owner, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(param);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process != s.process || !IsWindowVisible(window) || GetDlgItem(window, s.childId) == nullptr) {
                    return TRUE;
                }
                if (s.owner != nullptr && GetWindow(window, GW_OWNER) != s.owner) return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Waits for the program to end; its exit status, or -1 when it did not end in time.
    int Exit(std::chrono::milliseconds patience = 20s) {
        if (!m_started || WaitForSingleObject(m_process.hProcess, static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD status = 0;
        GetExitCodeProcess(m_process.hProcess, &status);
        return static_cast<int>(status);
    }

    // What it wrote, once it has ended.
    std::string Output() const {
        std::string out;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(m_output, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
        return out;
    }

private:
    PROCESS_INFORMATION m_process{};
    HANDLE m_output = nullptr;
    bool m_started = false;
};

}  // namespace zt40::testing
