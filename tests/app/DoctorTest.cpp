// The operator's checks over a simulated printer, a scripted spooler and probe: the exact line
// of each check, what a problem leaves unchecked, and the reason the status line shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Doctor.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"
#include "tests/support/FakeDataFolderPlatform.h"

namespace zt40 {
namespace {

class ScriptedSpooler final : public ISpooler {
public:
    explicit ScriptedSpooler(ISpooler& inner) : m_inner(inner) {}
    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override {
        if (unreachable) return false;
        if (!hideSimulated && !m_inner.EnumLocalQueues(queues)) return false;
        queues.insert(queues.begin(), extra.begin(), extra.end());
        return true;
    }
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override { return m_inner.OpenQueue(name); }
    std::string LastErrorText() override { return unreachable ? "Connection refused" : m_inner.LastErrorText(); }

    bool unreachable = false;
    bool hideSimulated = false;
    std::vector<QueueInfo> extra;  // listed before the simulated printer's queue

private:
    ISpooler& m_inner;
};

class ScriptedProbe final : public ISetupProbe {
public:
    ProbeAnswer DriverFiles() override { return driver; }
    ProbeAnswer DeviceOnBus(const QueueInfo& queue) override {
        asked.push_back(queue.name);
        return onBus;
    }
    ProbeAnswer DeviceAccess(const QueueInfo&) override { return access; }
    ProbeAnswer InterfaceFree(const QueueInfo&) override { return holder; }
    ProbeAnswer RecordFolder(const std::string& folder) override {
        return ProbeAnswer::Ok(Message::Verbatim("writable " + folder));
    }

    static ProbeAnswer Fine(const char* what) { return ProbeAnswer::Ok(Message::Verbatim(what)); }
    static ProbeAnswer Bad(const char* what) {
        return ProbeAnswer::Problem(Message::Verbatim(what), Message::Verbatim(std::string("fix ") + what));
    }

    ProbeAnswer driver = Fine("driver files");
    ProbeAnswer onBus = Fine("attached");
    ProbeAnswer access = Fine("rights");
    ProbeAnswer holder = Fine("free");
    std::vector<std::string> asked;
};

QueueInfo Queue(std::string name, std::string port, std::string driver = "Velmora ZT-40", std::uint32_t attributes = 0) {
    return {std::move(name), std::move(port), std::move(driver), attributes};
}

struct DoctorCase {
    const char* name;
    std::function<void(SimPrinterSetup&, ScriptedSpooler&, ScriptedProbe&)> arrange;
    std::vector<std::string> lines;
};

std::ostream& operator<<(std::ostream& out, const DoctorCase& c) { return out << c.name; }

class DoctorTest : public ::testing::TestWithParam<DoctorCase> {};

TEST_P(DoctorTest, EachCheckOnItsLine) {
    SimPrinterSetup setup;
    setup.state.status = 1;
    ScriptedProbe probe;
    auto rig = std::make_unique<SimPrinterRig>(setup);
    ScriptedSpooler spooler(rig->Spooler());
    GetParam().arrange(setup, spooler, probe);
    rig = std::make_unique<SimPrinterRig>(setup);
    ScriptedSpooler arranged(rig->Spooler());
    arranged.unreachable = spooler.unreachable;
    arranged.extra = spooler.extra;
    arranged.hideSimulated = spooler.hideSimulated;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    PrinterSession session(rig->Platform(clock, messages), SleepPause, &rig->Report());
    test::FakeDataFolderPlatform folders;
    folders.override = "/records";

    const auto report = RunDoctor(DoctorPlatform{arranged, probe, session, &rig->Report(), folders});
    std::vector<std::string> lines;
    for (const auto& check : report.checks) lines.push_back(FormatCheckLine(check));
    EXPECT_EQ(lines, GetParam().lines);
    const bool allOk = std::all_of(lines.begin(), lines.end(), [](const auto& l) { return l.starts_with("ok "); });
    EXPECT_EQ(report.AllPassed(), allOk);
    EXPECT_FALSE(session.Device().Port().IsOpen());  // the check leaves no device open behind it
}

const char* kSkipped = "not checked: it needs the checks above";
std::string Skipped(const char* name) { return std::string("skipped ") + name + std::string(10 - std::string(name).size(), ' ') + kSkipped; }

INSTANTIATE_TEST_SUITE_P(
    Checks, DoctorTest,
    ::testing::Values(
        DoctorCase{"AllPass", [](auto&, auto&, auto&) {},
                   {"ok      spooler   the print spooler answers", "ok      queue     \"ZT-40\" will be used",
                    "ok      driver    driver files", "ok      device    attached", "ok      access    rights",
                    "ok      interface free", "ok      printer   the printer answers status 0x0001 (ready)",
                    "ok      record    writable /records"}},
        DoctorCase{"SpoolerUnreachable", [](auto&, auto& spooler, auto&) { spooler.unreachable = true; },
                   {"problem spooler   the print spooler cannot be reached: Connection refused -- fix: start it: sudo "
                    "systemctl start cups",
                    Skipped("queue"), "ok      driver    driver files", Skipped("device"), Skipped("access"),
                    Skipped("interface"), Skipped("printer"), "ok      record    writable /records"}},
        DoctorCase{"OthersNotChosenAreNamedWithTheirReason",
                   [](auto&, auto& spooler, auto&) {
                       spooler.extra = {Queue("lab", "FILE:///dev/null"), Queue("office", "IPP://h/p", "Other"),
                                        Queue("net", "USB://x", "velmora zt-40", kPrinterAttributeNetwork)};
                   },
                   {"ok      spooler   the print spooler answers",
                    "ok      queue     \"ZT-40\" will be used; not chosen: \"lab\": not on a USB port; \"net\": a "
                    "network queue",
                    "ok      driver    driver files", "ok      device    attached", "ok      access    rights",
                    "ok      interface free", "ok      printer   the printer answers status 0x0001 (ready)",
                    "ok      record    writable /records"}},
        DoctorCase{"PrinterUnpluggedLeavesNoUsableQueueButIsStillLookedFor",
                   [](auto& setup, auto&, auto& probe) {
                       setup.plugged = false;
                       probe.onBus = ScriptedProbe::Bad("not attached");
                   },
                   {"ok      spooler   the print spooler answers",
                    "problem queue     no usable ZT-40 queue: \"ZT-40\": stopped or offline, or its printer is not "
                    "plugged in -- fix: plug in and switch on the printer; if it is on: cupsenable \"ZT-40\"; "
                    "cupsaccept \"ZT-40\"",
                    "ok      driver    driver files", "problem device    not attached -- fix: fix not attached",
                    Skipped("access"), Skipped("interface"), Skipped("printer"), "ok      record    writable /records"}},
        DoctorCase{"NoQueueWithTheDriver",
                   [](auto&, auto& spooler, auto&) {
                       spooler.hideSimulated = true;
                       spooler.extra = {Queue("other", "USB://Other/Printer", "Generic Raw")};
                   },
                   {"ok      spooler   the print spooler answers",
                    "problem queue     no queue uses the \"Velmora ZT-40\" driver (1 other queues) -- fix: add one: "
                    "lpadmin -p ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (zt40ctl queues shows the queues)",
                    "ok      driver    driver files", Skipped("device"), Skipped("access"), Skipped("interface"),
                    Skipped("printer"), "ok      record    writable /records"}},
        DoctorCase{"NoPermissionAndHolderAreBothShown",
                   [](auto&, auto&, auto& probe) {
                       probe.access = ScriptedProbe::Bad("no rights");
                       probe.holder = ScriptedProbe::Bad("held");
                   },
                   {"ok      spooler   the print spooler answers", "ok      queue     \"ZT-40\" will be used",
                    "ok      driver    driver files", "ok      device    attached", "problem access    no rights -- fix: fix no rights",
                    "problem interface held -- fix: fix held",
                    "ok      printer   the printer answers status 0x0001 (ready)", "ok      record    writable /records"}},
        DoctorCase{"PrinterInAnErrorStateSaysWhatItAnswered",
                   [](auto& setup, auto&, auto&) { setup.state.status = 0x0006; },
                   {"ok      spooler   the print spooler answers", "ok      queue     \"ZT-40\" will be used",
                    "ok      driver    driver files", "ok      device    attached", "ok      access    rights",
                    "ok      interface free",
                    "problem printer   the printer answers status 0x0006: not ready -- fix: let a running job end, or "
                    "clear the printer's error and switch it off and on again",
                    "ok      record    writable /records"}},
        DoctorCase{"PrinterThatNeverFinishesDoesNotAnswer",
                   [](auto& setup, auto&, auto&) { setup.faults.neverFinish = true; },
                   {"ok      spooler   the print spooler answers", "ok      queue     \"ZT-40\" will be used",
                    "ok      driver    driver files", "ok      device    attached", "ok      access    rights",
                    "ok      interface free",
                    "problem printer   the printer does not answer a status request -- fix: switch the printer off "
                    "and on again",
                    "ok      record    writable /records"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DoctorReport, TheStatusLineShowsTheFirstProblem) {
    DoctorReport report;
    report.checks.push_back({"spooler", ProbeAnswer::Ok(Message::Verbatim("fine")), false});
    report.checks.push_back({"queue", ScriptedProbe::Bad("first"), false});
    report.checks.push_back({"device", ScriptedProbe::Bad("second"), false});
    ASSERT_NE(report.FirstProblem(), nullptr);
    EXPECT_EQ(report.FirstProblem()->answer.finding.English(), "first");
    report.checks.erase(report.checks.begin() + 1, report.checks.end());
    EXPECT_EQ(report.FirstProblem(), nullptr);
    EXPECT_TRUE(report.AllPassed());
}

// The status line and the doctor word a failed road to the printer with one function.
// --queue: only the named queue is looked at, and the printer check opens that queue's device.
TEST(DoctorNamedQueue, LooksOnlyAtTheNamedQueue) {
    const struct {
        const char* named;
        const char* queueLine;
        const char* printerLine;  // the start of the printer check's line
    } cases[] = {
        {"ZT-40", "ok      queue     \"ZT-40\" will be used", "ok      printer"},
        {"Backup", "ok      queue     \"Backup\" will be used", "ok      printer"},
        {"Laser", "problem queue     the queue \"Laser\" does not use the \"Velmora ZT-40\" driver", "skipped printer"},
        {"Nope", "problem queue     no queue is named \"Nope\"", "skipped printer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        SimPrinterRig rig;
        ScriptedSpooler spooler(rig.Spooler());
        // "Backup" is listed after "ZT-40" and leads to the same printer; "Laser" is no ZT-40.
        rig.Spooler().AddQueue(Queue("Backup", SimPortName("SIM0001")));
        spooler.extra = {Queue("Laser", "USB009", "Other Laser")};
        ScriptedProbe probe;
        FakeClock clock{0, 1};
        RecordingMessageBox messages;
        PrinterSession session(rig.Platform(clock, messages), SleepPause, &rig.Report());
        test::FakeDataFolderPlatform folders;
        folders.override = "/records";
        const auto report = RunDoctor(DoctorPlatform{spooler, probe, session, &rig.Report(), folders, c.named});
        std::vector<std::string> lines;
        for (const auto& check : report.checks) lines.push_back(FormatCheckLine(check));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_TRUE(lines[1].starts_with(c.queueLine)) << lines[1];
        EXPECT_EQ(lines[1].find("not chosen"), std::string::npos) << "the other queues are not looked at";
        EXPECT_TRUE(lines[6].starts_with(c.printerLine)) << lines[6];
        EXPECT_EQ(report.queueName, lines[1].starts_with("ok") ? c.named : "");
    }
}

TEST(LinkProblem, OnlyWhatTheConnectRequestDoesNotSayAlready) {
    using F = DeviceAccessFailure;
    const struct {
        LinkState state;
        std::optional<Text> reason;
    } cases[] = {
        {{false, false, false, F::None}, kSpoolerUnreachable},
        {{false, true, true, F::NotAnswering}, kSpoolerUnreachable},  // the spooler comes first
        {{false, false, false, F::None, SpoolerFailure::NotAnswering}, kSpoolerNotAnswering},
        {{false, true, true, F::Busy, SpoolerFailure::NotAnswering}, kSpoolerNotAnswering},
        {{true, false, false, F::NoPermission}, std::nullopt},        // no queue: the request says it
        {{true, true, false, F::DeviceNotFound}, std::nullopt},
        {{true, true, false, F::NoPermission}, DeviceAccessHint(F::NoPermission)},
        {{true, true, false, F::Busy}, DeviceAccessHint(F::Busy)},
        {{true, true, false, F::OpenFailed}, DeviceAccessHint(F::OpenFailed)},
        {{true, true, false, F::NotAnswering}, std::nullopt},  // an earlier device's silence, not this open's
        {{true, true, true, F::NotAnswering}, DeviceAccessHint(F::NotAnswering)},
        {{true, true, true, F::Busy}, std::nullopt},  // opened after all
        {{true, true, true, F::None}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto reason = LinkProblem(c.state);
        ASSERT_EQ(reason.has_value(), c.reason.has_value()) << static_cast<int>(c.state.access);
        if (reason) {
            EXPECT_EQ(reason->English(), Message::Of(*c.reason).English());
        }
    }
}

}  // namespace
}  // namespace zt40
