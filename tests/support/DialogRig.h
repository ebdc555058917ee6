#pragma once
// A main dialog on a simulated ZT-40, with a recording window, a fake clock that the waits'
// pauses advance, and the device commands decoded as they are sent.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/CPinwardenDlg.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"
#include "support/CommandLog.h"
#include "support/RecordingView.h"
#include "support/SwitchableSpooler.h"

namespace zt40::testing {

struct DialogRig {
    // A second printer, for a ZT-40 that comes back under another device path. Declared
    // first: it must outlive every channel opened to it.
    SimulatedZt40 otherPrinter{"SIM0002"};
    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CommandLogOpener opener{rig.Opener()};
    SwitchableSpooler spooler{rig.Spooler()};
    DeviceAccessReport report;  // the test's own, for failures the simulation cannot produce
    const DeviceAccessReport* accessReport = &rig.Report();
    RecordingView view;
    int pauses = 0;
    std::unique_ptr<CPinwardenDlg> dlg = MakeDialog();

    std::unique_ptr<CPinwardenDlg> MakeDialog() {
        rig.Opener().Attach(otherPrinter);
        return std::make_unique<CPinwardenDlg>(
            DeviceLinkPlatform{rig.Finder(), opener, clock, messages, spooler}, view,
            [this](std::uint32_t ms) {
                ++pauses;
                clock.Advance(ms);
            },
            accessReport);
    }
    // The dialog reads its failure reasons from the test's report instead of the rig's.
    void UseOwnReport() {
        accessReport = &report;
        dlg.reset();
        dlg = MakeDialog();
    }

    SimulatedZt40& Printer() { return rig.Printer(); }
    Zt40State& State() { return rig.Printer().State(); }
    void Tick() { dlg->OnTimer(POLL_TIMER_ID); }
    // Opens the dialog and lets one tick find the printer ready.
    void StartReady() {
        dlg->OnInitDialog();
        Tick();
    }
    std::vector<SentCommand> TakeCommands() {
        auto taken = std::move(opener.commands);
        opener.commands.clear();
        return taken;
    }
    void SetOnlyQueue(QueueInfo queue) {
        rig.Spooler().RemoveQueue(rig.QueueName());
        rig.Spooler().AddQueue(std::move(queue));
    }
};

}  // namespace zt40::testing
