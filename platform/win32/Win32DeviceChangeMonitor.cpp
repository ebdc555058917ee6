#include "platform/win32/Win32DeviceChangeMonitor.h"

#include <dbt.h>

namespace zt40 {

namespace {

constexpr const char* kWindowClass = "Zt40DeviceChangeMonitor";

bool RegisterWindowClass(WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

std::unique_ptr<Win32DeviceChangeMonitor> Win32DeviceChangeMonitor::Create(Notify notify) {
    if (!RegisterWindowClass(&Win32DeviceChangeMonitor::WindowProc)) return nullptr;
    auto monitor = std::make_unique<Win32DeviceChangeMonitor>(std::move(notify));
    // Message-only: never shown, never enumerated.
    monitor->m_window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    if (!monitor->m_window) return nullptr;
    SetWindowLongPtrA(monitor->m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(monitor.get()));
    // A message-only window is left out of the broadcast that carries DBT_DEVNODES_CHANGED;
    // registered, it is told of every device interface that arrives or leaves.
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    monitor->m_registration = RegisterDeviceNotificationA(
        monitor->m_window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    return monitor;
}

Win32DeviceChangeMonitor::~Win32DeviceChangeMonitor() {
    if (m_registration) UnregisterDeviceNotification(m_registration);
    if (m_window) DestroyWindow(m_window);
}

LRESULT CALLBACK Win32DeviceChangeMonitor::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE) {
        auto* monitor = reinterpret_cast<Win32DeviceChangeMonitor*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (monitor) monitor->OnDeviceChange(wParam);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32DeviceChangeMonitor::OnDeviceChange(WPARAM event) {
    if (event != DBT_DEVNODES_CHANGED && event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return;
    ++m_pending;
    if (m_wake) m_wake();
}

int Win32DeviceChangeMonitor::Dispatch() {
    if (m_pending == 0) return 0;
    m_pending = 0;
    if (m_notify) m_notify(kDeviceNodesChanged);
    return 1;
}

}  // namespace zt40
