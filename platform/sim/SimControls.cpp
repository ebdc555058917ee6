#include "platform/sim/SimControls.h"

#include "platform/sim/Zt40Firmware.h"

namespace zt40 {

namespace {
// Any status whose low bits are not 01 keeps the host waiting.
constexpr std::uint16_t kReadyStatus = 0x0001;
constexpr std::uint16_t kBusyStatus = 0x0002;
}  // namespace

void SetSimAnswers(SimulatedZt40& printer, SimAnswers answers) {
    auto& faults = printer.Faults();
    faults.errorState.reset();
    faults.failGets = false;
    if (answers == SimAnswers::WithErrorState) faults.errorState = kFirmwareBadArgument;
    if (answers == SimAnswers::NotAtAll) faults.failGets = true;
}

SimAnswers CurrentSimAnswers(const SimulatedZt40& printer) {
    const auto& faults = printer.Faults();
    if (faults.failGets) return SimAnswers::NotAtAll;
    return faults.errorState ? SimAnswers::WithErrorState : SimAnswers::Normally;
}

void SetSimBusy(SimulatedZt40& printer, bool busy) { printer.State().status = busy ? kBusyStatus : kReadyStatus; }

bool SimBusy(const SimulatedZt40& printer) { return printer.State().status != kReadyStatus; }

std::array<std::int32_t, kSimPinCount> AllBandsCounters() {
    return {500'000, 2'400'000, 4'100'000, 6'300'000, 7'999'999, 8'000'000, 9'200'000, 10'000'000, 11'000'000};
}

Message SimQueueTitle(const std::string& queueName) {
    return Message::Of(ZT40_TR("SimulatorWindow", "Queue \"%1\""), {queueName});
}

Message SimPinLabel(int pin) { return Message::Of(ZT40_TR("SimulatorWindow", "No.%1:"), {std::to_string(pin)}); }

Text SimJobStateText(SimJobState state) {
    switch (state) {
    case SimJobState::Spooling:
        return ZT40_TR("SimulatorWindow", "spooling");
    case SimJobState::Queued:
        return ZT40_TR("SimulatorWindow", "queued");
    case SimJobState::Printed:
        return ZT40_TR("SimulatorWindow", "printed");
    case SimJobState::Cancelled:
        return ZT40_TR("SimulatorWindow", "cancelled");
    case SimJobState::Failed:
        return ZT40_TR("SimulatorWindow", "failed");
    case SimJobState::Abandoned:
        return ZT40_TR("SimulatorWindow", "abandoned");
    }
    return {};
}

Message SimJobLine(const SimJob& job, std::string state) {
    return Message::Of(ZT40_TR("SimulatorWindow", "Job %1 \"%2\" on %3: %4 bytes, %5"),
                       {std::to_string(job.id), job.docName, job.queue, std::to_string(job.bytes.size()),
                        std::move(state)});
}

}  // namespace zt40
