// Idle cost of the main window's 500 ms poll: the real window (offscreen unless a display is
// set) on a private cupsd holding 20 queues, one of them the ZT-40's, whose device is a
// simulated printer that is ready. Once the window has read the printer, the process's CPU
// time is measured over 60 s of polling and printed as a share of one core (goal: under 0.5%).
//
//   ui_idle_bench [SECONDS]
//   exit status 0 when the goal is met, 1 when not, 2 when the run failed
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "PrivateCupsd.h"
#include "app/CPinwardenDlg.h"
#include "platform/linux/CupsSpooler.h"
#include "platform/linux/SteadyClock.h"
#include "platform/sim/SimDeviceFinder.h"
#include "platform/sim/SimDeviceOpener.h"
#include "platform/sim/SimulatedZt40.h"
#include "platform/sim/Zt40StateFile.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBox.h"

namespace {

using namespace zt40;

constexpr int kDefaultSeconds = 60;
constexpr int kQueues = 20;
constexpr double kGoalPercent = 0.5;

// Runs the event loop until `done` holds or `limitMs` passes.
template <typename Done>
bool RunUntil(Done done, int limitMs) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return done();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000L + usage.ru_utime.tv_usec +
                        usage.ru_stime.tv_usec;
    return static_cast<double>(micros) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultSeconds;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    if (!testing::PrivateCupsd::Installed()) {
        std::fprintf(stderr, "ui_idle_bench: cupsd is not installed\n");
        return 2;
    }
    std::string error;
    auto cupsd = testing::PrivateCupsd::Start(testing::SourceTreeCupsdFiles(), error);
    if (!cupsd) {
        std::fprintf(stderr, "ui_idle_bench: %s\n", error.c_str());
        return 2;
    }
    // Nineteen other printers first, so the poll walks past them every tick.
    for (int i = 1; i < kQueues; ++i) {
        const std::string name = "Office" + std::to_string(i);
        if (!cupsd->AddQueue(name, testing::PrivateCupsd::AbsentUsbUri("OFFICE" + std::to_string(i)), error, false)) {
            std::fprintf(stderr, "ui_idle_bench: %s\n", error.c_str());
            return 2;
        }
    }
    const std::string serial(kDefaultSimSerial);
    if (!cupsd->AddQueue("ZT-40", "usb://Velmora/ZT-40?serial=" + serial, error)) {
        std::fprintf(stderr, "ui_idle_bench: %s\n", error.c_str());
        return 2;
    }

    SimulatedZt40 printer(serial);
    SimDeviceOpener opener;
    opener.Attach(printer);
    // The simulated printer stands in for the USB device; CUPS is asked as it is in the program.
    CupsSpooler spooler([](std::string_view) { return true; });
    SimDeviceFinder finder(spooler, opener);
    SteadyClock clock;
    ui::MainWindow window;
    ui::QtMessageBox messages(&window);
    CPinwardenDlg dialog(DeviceLinkPlatform{finder, opener, clock, messages, spooler}, window);
    window.Attach(dialog);
    dialog.OnInitDialog();
    window.show();
    if (!RunUntil([&] { return dialog.DeviceReady(); }, 10'000)) {
        std::fprintf(stderr, "ui_idle_bench: the window did not find the printer ready through CUPS\n");
        return 2;
    }

    int ticks = 0;
    QObject::connect(&window, &ui::MainWindow::timerHandled, [&ticks](int) { ++ticks; });
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop idle;
    QTimer::singleShot(seconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
    const double percent = 100.0 * cpu / elapsed;
    std::printf("poll ticks: %d in %.1f s, %d CUPS queues, printer ready: %s\n", ticks, elapsed, kQueues,
                dialog.DeviceReady() ? "yes" : "no");
    std::printf("CPU: %.3f s = %.3f%% of one core (goal < %.1f%%), %.2f ms per tick\n", cpu, percent, kGoalPercent,
                ticks ? 1000.0 * cpu / ticks : 0.0);
    return percent < kGoalPercent && dialog.DeviceReady() ? 0 : 1;
}
