#pragma once
// The main window as zt40util builds it, on a simulated printer whose spooler can be stopped.
#include <QAbstractButton>
#include <QTest>

#include "app/CPinwardenDlg.h"
#include "platform/linux/SteadyClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"
#include "support/DialogRig.h"
#include "ui/MainWindow.h"

namespace zt40::testing {

// Two poll periods and then some: the window's own timer must have ticked.
inline constexpr int kTickWaitMs = 3000;

struct WindowRig {
    explicit WindowRig(const QString& language = QStringLiteral("en")) : window(language) {
        window.Attach(dialog);
    }
    void Open() {
        dialog.OnInitDialog();
        window.show();
    }
    bool WaitReady() { return QTest::qWaitFor([this] { return dialog.DeviceReady(); }, kTickWaitMs); }
    QWidget& Control(int id) { return *window.Control(id); }
    QAbstractButton& Button(int id) { return *qobject_cast<QAbstractButton*>(window.Control(id)); }

    SimPrinterRig rig;
    SteadyClock clock;
    RecordingMessageBox deviceMessages;
    SwitchableSpooler spooler{rig.Spooler()};
    ui::MainWindow window;
    CPinwardenDlg dialog{DeviceLinkPlatform{rig.Finder(), rig.Opener(), clock, deviceMessages, spooler}, window,
                         [](std::uint32_t) {}, &rig.Report()};
};

}  // namespace zt40::testing
