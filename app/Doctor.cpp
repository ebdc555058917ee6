#include "app/Doctor.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "record/DataFolder.h"

namespace zt40 {

namespace {


Message Of(Text text, std::vector<std::string> args = {}) { return Message::Of(text, std::move(args)); }

// Why a queue with the ZT-40 driver is not the one the program uses; nothing when it is usable.
Message WhyNotUsable(const QueueInfo& queue) {
    switch (WhyQueueUnusable(queue)) {
    case QueueUnusable::NotUsb: return Of(ZT40_TR("Doctor", "not on a USB port"));
    case QueueUnusable::Network: return Of(ZT40_TR("Doctor", "a network queue"));
    case QueueUnusable::Offline: return Of(ZT40_TR("Doctor", "stopped or offline, or its printer is not plugged in"));
    case QueueUnusable::None:
    case QueueUnusable::OtherDriver: break;
    }
    return {};
}

// Only offline: the queue that would be used once its printer is plugged in and switched on.
bool IsUsbAndLocal(const QueueInfo& queue) {
    const QueueUnusable why = WhyQueueUnusable(queue);
    return why == QueueUnusable::None || why == QueueUnusable::Offline;
}

std::string Hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

class Checks {
public:
    explicit Checks(DoctorReport& report) : m_report(report) {}

    void Add(const char* name, ProbeAnswer answer) {
        if (answer.state == ProbeAnswer::State::Problem) m_problem = true;
        m_report.checks.push_back({name, std::move(answer), false});
    }
    void Skip(const char* name, Message because) {
        m_report.checks.push_back({name, {ProbeAnswer::State::NotApplicable, std::move(because), {}}, true});
    }
    // A later finding that overrules an earlier check of `name`.
    void Replace(const char* name, ProbeAnswer answer) {
        for (auto& check : m_report.checks) {
            if (std::string_view(check.name) != name) continue;
            if (answer.state == ProbeAnswer::State::Problem) m_problem = true;
            check.answer = std::move(answer);
            check.skipped = false;
            return;
        }
        Add(name, std::move(answer));
    }
    bool ProblemSoFar() const { return m_problem; }

private:
    DoctorReport& m_report;
    bool m_problem = false;
};

// The queue check. `target` is the queue the device checks look at: the usable one, or else
// the first local USB queue with the driver, so that an unplugged printer is still named.
const QueueInfo* CheckQueues(Checks& checks, const std::vector<QueueInfo>& queues, DoctorReport& report,
                             const std::optional<std::string>& named) {
    std::vector<const QueueInfo*> candidates;
    for (const auto& queue : queues) {
        if (named && queue.name != *named) continue;
        if (WhyQueueUnusable(queue) != QueueUnusable::OtherDriver) candidates.push_back(&queue);
    }
    if (named && candidates.empty()) {
        const bool listed = std::ranges::any_of(queues, [&](const QueueInfo& queue) { return queue.name == *named; });
        checks.Add("queue", ProbeAnswer::Problem(
                                listed ? Of(ZT40_TR("Doctor", "the queue \"%1\" does not use the \"Velmora ZT-40\" driver"),
                                            {*named})
                                       : Of(ZT40_TR("Doctor", "no queue is named \"%1\""), {*named}),
                                Of(ZT40_TR("Doctor", "name a ZT-40 queue that zt40ctl queues lists"))));
        return nullptr;
    }
    if (candidates.empty()) {
        checks.Add("queue", ProbeAnswer::Problem(
                                Of(ZT40_TR("Doctor", "no queue uses the \"Velmora ZT-40\" driver (%1 other queues)"),
                                   {std::to_string(queues.size())}),
                                Of(ZT40_TR("Doctor", "add one: lpadmin -p ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd "
                                                     "(zt40ctl queues shows the queues)"))));
        return nullptr;
    }
    const QueueInfo* chosen = nullptr;
    std::string others;
    for (const auto* queue : candidates) {
        if (!chosen && MatchesPrinterQueue(*queue)) {
            chosen = queue;
            continue;
        }
        others += (others.empty() ? "" : "; ") + ("\"" + queue->name + "\": ") + WhyNotUsable(*queue).English();
    }
    if (chosen) {
        report.queueName = chosen->name;
        checks.Add("queue", ProbeAnswer::Ok(others.empty()
                                                ? Of(ZT40_TR("Doctor", "\"%1\" will be used"), {chosen->name})
                                                : Of(ZT40_TR("Doctor", "\"%1\" will be used; not chosen: %2"),
                                                     {chosen->name, others})));
        return chosen;
    }
    const QueueInfo* target = nullptr;
    for (const auto* queue : candidates) {
        if (!target && IsUsbAndLocal(*queue)) target = queue;
    }
    Message fix = Of(ZT40_TR("Doctor", "give the queue the printer's USB address: lpadmin -p QUEUE -v USB-URI"));
    if (target) {
        fix = Of(ZT40_TR("Doctor", "plug in and switch on the printer; if it is on: cupsenable \"%1\"; cupsaccept \"%1\""),
                 {target->name});
    }
    checks.Add("queue", ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "no usable ZT-40 queue: %1"), {others}), std::move(fix)));
    return target;
}

void CheckPrinter(Checks& checks, const DoctorPlatform& platform, const QueueInfo& queue) {
    auto& session = platform.session;
    if (!session.Open(queue.name)) {
        const auto access = platform.access ? platform.access->Last() : DeviceAccessFailure::None;
        if (ClassifyPrinterProblem(ConnectEnd::OpenFailed, PrinterStatus(), access).kind == PrinterProblemKind::Held) {
            // The probe may not see a holder that the open meets (another edition's probe, a
            // program that took it since): the interface line says what the open found.
            checks.Replace("interface",
                           ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer is in use by another program")),
                                                Of(ZT40_TR("Doctor", "close the other program that uses the printer "
                                                                     "(another ZT-40 Pinwarden or zt40ctl), then try again"))));
            checks.Skip("printer", Of(ZT40_TR("Doctor", "not checked: it needs the checks above")));
            return;
        }
        const auto problem = LinkProblem({true, true, false, access});
        checks.Add("printer", ProbeAnswer::Problem(
                                  problem.value_or(Of(ZT40_TR("Doctor", "the printer's USB device cannot be opened"))),
                                  Of(ZT40_TR("Doctor", "see the checks above"))));
        return;
    }
    const PrinterStatus status = session.ReadStatus();
    const std::uint16_t word = status.Raw();
    if (const auto code = status.ErrorCode()) {
        checks.Add("printer", ProbeAnswer::Problem(
                                  Of(ZT40_TR("Doctor", "the printer answers the status request with error state %1"),
                                     {std::to_string(*code)}),
                                  Of(ZT40_TR("Doctor", "clear the error: switch the printer off and on again"))));
    } else if (!status.Answered()) {
        checks.Add("printer", ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer does not answer a status request")),
                                                   Of(ZT40_TR("Doctor", "switch the printer off and on again"))));
    } else if (status.IsReady(ReadyRule::LowBitsAreOne)) {
        checks.Add("printer", ProbeAnswer::Ok(Of(ZT40_TR("Doctor", "the printer answers status 0x%1 (ready)"), {Hex4(word)})));
    } else {
        checks.Add("printer",
                   ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer answers status 0x%1: not ready"), {Hex4(word)}),
                                        Of(ZT40_TR("Doctor", "let a running job end, or clear the printer's error and "
                                                             "switch it off and on again"))));
    }
    session.Close();
}

// Resolving creates the folder where the program would, as its first record would.
ProbeAnswer CheckRecordFolder(const DoctorPlatform& platform) {
    std::string folder;
    if (const auto forced = platform.dataFolder.FolderOverride()) {
        folder = *forced;
    } else if (DataFolder dataFolder(platform.dataFolder); !dataFolder.ResolveDataFolder(kProductFolderName, folder)) {
        return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "no folder for the usage records can be created")),
                                    Of(ZT40_TR("Doctor", "let this user write in /var/lib or in ~/.local/state")));
    }
    return platform.probe.RecordFolder(folder);
}

}  // namespace

bool DoctorReport::AllPassed() const { return FirstProblem() == nullptr; }

const DoctorCheck* DoctorReport::FirstProblem() const {
    for (const auto& check : checks) {
        if (check.answer.state == ProbeAnswer::State::Problem) return &check;
    }
    return nullptr;
}

DoctorReport RunDoctor(const DoctorPlatform& platform) {
    DoctorReport report;
    Checks checks(report);
    const auto notChecked = [] { return Of(ZT40_TR("Doctor", "not checked: it needs the checks above")); };

    std::vector<QueueInfo> queues;
    const QueueInfo* target = nullptr;
    if (!platform.spooler.EnumLocalQueues(queues)) {
        if (platform.spooler.LastFailure() == SpoolerFailure::NotAnswering) {
            checks.Add("spooler", ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the print spooler does not answer: %1"),
                                                          {platform.spooler.LastErrorText()}),
                                                       Of(ZT40_TR("Doctor", "restart it: sudo systemctl restart cups"))));
        } else {
            checks.Add("spooler", ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the print spooler cannot be reached: %1"),
                                                          {platform.spooler.LastErrorText()}),
                                                       Of(ZT40_TR("Doctor", "start it: sudo systemctl start cups"))));
        }
        checks.Skip("queue", notChecked());
    } else {
        checks.Add("spooler", ProbeAnswer::Ok(Of(ZT40_TR("Doctor", "the print spooler answers"))));
        target = CheckQueues(checks, queues, report, platform.queue);
    }
    checks.Add("driver", platform.probe.DriverFiles());

    if (!target) {
        for (const char* name : {"device", "access", "interface", "printer"}) checks.Skip(name, notChecked());
    } else {
        auto onBus = platform.probe.DeviceOnBus(*target);
        const bool attached = onBus.state != ProbeAnswer::State::Problem;
        checks.Add("device", std::move(onBus));
        if (!attached) {
            for (const char* name : {"access", "interface", "printer"}) checks.Skip(name, notChecked());
        } else {
            checks.Add("access", platform.probe.DeviceAccess(*target));
            checks.Add("interface", platform.probe.InterfaceFree(*target));
            CheckPrinter(checks, platform, *target);
        }
    }
    checks.Add("record", CheckRecordFolder(platform));
    return report;
}

std::string FormatCheckLine(const DoctorCheck& check) {
    const char* state = check.skipped                                          ? "skipped"
                        : check.answer.state == ProbeAnswer::State::Problem ? "problem"
                                                                             : "ok";
    char head[32];
    std::snprintf(head, sizeof head, "%-8s%-10s", state, check.name);
    std::string line = head + check.answer.finding.English();
    if (check.answer.state == ProbeAnswer::State::Problem && !check.answer.fix.English().empty()) {
        line += " -- fix: " + check.answer.fix.English();
    }
    return line;
}

}  // namespace zt40
