#pragma once
// A printer session on a simulated ZT-40 and spooler, with a second printer for a queue of
// its own, the commands decoded as they are sent, and a fake clock that pauses advance.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"
#include "session/PrinterSession.h"
#include "support/CommandLog.h"
#include "support/SwitchableSpooler.h"

namespace zt40::testing {

struct SessionRig {
    SimulatedZt40 otherPrinter{"SIM0002"};  // outlives every channel opened to it
    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CommandLogOpener opener{rig.Opener()};
    SwitchableSpooler spooler{rig.Spooler()};
    int pauses = 0;
    std::unique_ptr<PrinterSession> session;

    explicit SessionRig(std::optional<std::string> queue = std::nullopt) {
        rig.Opener().Attach(otherPrinter);
        session = std::make_unique<PrinterSession>(
            DeviceLinkPlatform{rig.Finder(), opener, clock, messages, spooler},
            [this](std::uint32_t ms) {
                ++pauses;
                clock.Advance(ms);
            },
            &rig.Report(), std::move(queue));
    }
    Zt40State& State() { return rig.Printer().State(); }
    std::vector<SentCommand> TakeCommands() {
        auto taken = std::move(opener.commands);
        opener.commands.clear();
        return taken;
    }
};

}  // namespace zt40::testing
