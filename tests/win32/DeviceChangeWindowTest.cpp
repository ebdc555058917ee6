// The device-change notice through the monitor's own window on this thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <vector>

#include "platform/win32/Win32DeviceChangeMonitor.h"

namespace zt40 {
namespace {

TEST(Win32DeviceChangeMonitor, DeviceMessagesWakeTheOwnerAndGiveOneNoticePerDispatch) {
    std::vector<std::uint32_t> notices;
    auto monitor = Win32DeviceChangeMonitor::Create([&](std::uint32_t type) { notices.push_back(type); });
    ASSERT_NE(monitor, nullptr);
    int wakes = 0;
    monitor->SetWake([&] { ++wakes; });
    EXPECT_EQ(monitor->ReadableDescriptor(), -1);
    EXPECT_EQ(monitor->Dispatch(), 0);

    EXPECT_EQ(SendMessageA(monitor->Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0), TRUE);
    EXPECT_TRUE(notices.empty()) << "no notice inside the window's own handler";
    EXPECT_EQ(wakes, 1);
    SendMessageA(monitor->Window(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    EXPECT_EQ(monitor->Dispatch(), 1);
    EXPECT_EQ(notices, std::vector<std::uint32_t>{kDeviceNodesChanged});
    EXPECT_EQ(monitor->Dispatch(), 0);
}

TEST(Win32DeviceChangeMonitor, OtherDeviceMessagesAreNoChange) {
    int notices = 0;
    auto monitor = Win32DeviceChangeMonitor::Create([&](std::uint32_t) { ++notices; });
    ASSERT_NE(monitor, nullptr);
    SendMessageA(monitor->Window(), WM_DEVICECHANGE, DBT_QUERYCHANGECONFIG, 0);
    SendMessageA(monitor->Window(), WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, 0);
    EXPECT_EQ(monitor->Dispatch(), 0);
    EXPECT_EQ(notices, 0);
}

TEST(Win32DeviceChangeMonitor, APostedNoticeArrivesThroughTheThreadsMessageLoop) {
    int notices = 0;
    auto monitor = Win32DeviceChangeMonitor::Create([&](std::uint32_t) { ++notices; });
    ASSERT_NE(monitor, nullptr);
    monitor->SetWake([&] { monitor->Dispatch(); });
    ASSERT_TRUE(PostMessageA(monitor->Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0));
    EXPECT_EQ(notices, 0);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_EQ(notices, 1);
}

}  // namespace
}  // namespace zt40
