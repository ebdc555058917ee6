#pragma once
// The system's notice that devices came or went, received by a window of the monitor's own on
// the thread that creates it; the owner's loop, which dispatches that thread's messages, then
// runs Dispatch() through the wake.
#include <windows.h>

#include <memory>

#include "platform/DeviceChangeMonitor.h"

namespace zt40 {

class Win32DeviceChangeMonitor final : public IDeviceChangeMonitor {
public:
    // Nothing when the window cannot be created.
    static std::unique_ptr<Win32DeviceChangeMonitor> Create(Notify notify);
    ~Win32DeviceChangeMonitor() override;
    Win32DeviceChangeMonitor(const Win32DeviceChangeMonitor&) = delete;
    Win32DeviceChangeMonitor& operator=(const Win32DeviceChangeMonitor&) = delete;

    void SetWake(Wake wake) override { m_wake = std::move(wake); }
    int Dispatch() override;

    // The window that receives the notices, for a test that sends one.
    HWND Window() const { return m_window; }

    explicit Win32DeviceChangeMonitor(Notify notify) : m_notify(std::move(notify)) {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(WPARAM event);

    Notify m_notify;
    Wake m_wake;
    HWND m_window = nullptr;
    HDEVNOTIFY m_registration = nullptr;
    unsigned m_pending = 0;
};

}  // namespace zt40
