#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/sim/SimDeviceChangeMonitor.h"
#include "ui/DeviceChangeNotifier.h"

namespace zt40 {
namespace {

struct Notice {
    std::uint32_t type = 0;
    QThread* thread = nullptr;
    qint64 afterMs = 0;
};

// Runs the event loop until the first notice or a bound of `limitMs`.
std::optional<Notice> WaitForNotice(std::optional<Notice>& notice, int limitMs) {
    QElapsedTimer waited;
    waited.start();
    while (!notice && waited.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return notice;
}

TEST(DeviceChangeNotifier, APowerCycleReachesTheUserInterfaceThreadWithinASecond) {
    SimulatedZt40 printer("SIM0001");
    QElapsedTimer sincePowerOff;
    std::optional<Notice> notice;
    SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t type) {
        notice = Notice{type, QThread::currentThread(), sincePowerOff.elapsed()};
    });
    ui::DeviceChangeNotifier notifier(monitor);

    // The printer is switched off from another thread, as a device event comes from outside.
    std::unique_ptr<QThread> outside(QThread::create([&] {
        sincePowerOff.start();
        printer.PowerOff();
    }));
    outside->start();
    outside->wait();

    const auto received = WaitForNotice(notice, 2000);
    ASSERT_TRUE(received.has_value()) << "no notice within two seconds";
    EXPECT_EQ(received->type, kDeviceNodesChanged);
    EXPECT_EQ(received->thread, QCoreApplication::instance()->thread());
    EXPECT_LT(received->afterMs, 1000);
}

TEST(DeviceChangeNotifier, NothingHappensWithoutADeviceEvent) {
    SimulatedZt40 printer("SIM0001");
    std::optional<Notice> notice;
    SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t type) { notice = Notice{type, nullptr, 0}; });
    ui::DeviceChangeNotifier notifier(monitor);
    EXPECT_FALSE(WaitForNotice(notice, 200).has_value());
}

}  // namespace
}  // namespace zt40
