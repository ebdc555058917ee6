// The connection poll: Searching, Opened and Ready, what each tick sends and shows.
#include <gtest/gtest.h>

#include <functional>

#include <algorithm>

#include "app/ControlIds.h"
#include "platform/DeviceChangeMonitor.h"
#include "support/DialogRig.h"

namespace zt40::testing {
namespace {

constexpr std::uint16_t kBusy = 0x0002;


bool ControlsEnabled(const RecordingView& view) {
    return view.IsEnabled(IDC_REPLACE_HEAD) && view.IsEnabled(IDC_CLEANING) && view.IsEnabled(IDC_REFRESH);
}

// The controls switch together, the status line and the restore item with them; a usable
// printer is named on the status line.
void ExpectControls(const RecordingView& view, bool enabled) {
    for (const int id : {IDC_REPLACE_HEAD, IDC_READJUST_PINS, IDC_REFRESH, IDC_CLEANING}) {
        EXPECT_EQ(view.IsEnabled(id), enabled) << "control " << id;
    }
    for (const int id : IDC_PIN_RADIOS) EXPECT_EQ(view.IsEnabled(id), enabled) << "pin button " << id;
    EXPECT_EQ(view.statusLine.rfind("Ready: ZT-40 on queue ", 0) == 0, enabled) << view.statusLine;
    if (!enabled) {
        EXPECT_FALSE(view.IsEnabled(IDC_APPLY_PIN_CHANGE)) << "nothing to apply a pin to";
    }
    EXPECT_EQ(view.menuEnabled.at(IDM_RESTORE_SETTINGS), enabled);
}

TEST(PinwardenDlgPoll, InitDisablesEverythingAndStartsTheTimer) {
    DialogRig t;
    EXPECT_TRUE(t.dlg->OnInitDialog());
    ExpectControls(t.view, false);
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
    EXPECT_EQ(t.view.timers, (std::map<int, std::uint32_t>{{POLL_TIMER_ID, 500}}));
    ASSERT_EQ(t.view.menu.size(), 2u);
    EXPECT_EQ(t.view.menu[0], (std::pair<int, std::string>{IDM_RESTORE_SETTINGS, "Restoration of setting"}));
    EXPECT_EQ(t.view.menu[1], (std::pair<int, std::string>{IDM_ABOUTBOX, "&About..."}));
    ASSERT_FALSE(t.view.pushed.empty());
    EXPECT_EQ(t.view.pushed.front().selectedPin, -1) << "no pin button checked before a read";
    EXPECT_EQ(t.view.statusLine, "Connect one ZT-40 unit and switch on the power.");
    EXPECT_EQ(t.dlg->PrinterList(), std::vector<std::string>{"ZT-40"});
    EXPECT_TRUE(t.TakeCommands().empty()) << "nothing is sent before the first tick";
}

TEST(PinwardenDlgPoll, FirstTickOpensReadsInTheDeviceOrderAndEnables) {
    DialogRig t;
    t.State().selectedPin = 3;
    t.State().pinCounters = {1, 2, 3, 4, 5, 6, 7, 8, 12'000'000};
    t.dlg->OnInitDialog();
    t.Tick();

    EXPECT_TRUE(t.dlg->DeviceOpened());
    EXPECT_TRUE(t.dlg->DeviceReady());
    EXPECT_EQ(t.view.caption, "ZT-40");
    EXPECT_EQ(t.dlg->GetPrinterName(), "ZT-40");
    ExpectControls(t.view, true);
    ASSERT_FALSE(t.view.pushed.empty());
    EXPECT_EQ(t.view.pushed.back().selectedPin, 2);
    EXPECT_EQ(t.view.pushed.back().shownUsage[8], 12'000'000);
    EXPECT_EQ(t.view.repaints, 1);
    EXPECT_EQ(t.dlg->SavedUsageCounters(), t.dlg->CurrentUsageCounters());

    std::vector<std::string> order;
    for (const auto& c : t.TakeCommands()) {
        if (c.opcode == wire::kOpStatus) {
            order.push_back("status");
        } else if (c.IsExtended(wire::kPinCounter)) {
            order.push_back("pin" + std::to_string(c.argument & 0x7F));
        } else {
            order.push_back("x" + std::to_string(c.subCommand));
        }
    }
    const std::vector<std::string> expected{"status", "status", "x3", "x8", "x2", "x6", "pin1", "pin2", "pin3",
                                            "pin4",   "pin5",   "pin6", "pin7", "pin8", "pin9", "x7"};
    EXPECT_EQ(order, expected);
}

TEST(PinwardenDlgPoll, ReadyTicksSendNothing) {
    DialogRig t;
    t.StartReady();
    t.TakeCommands();
    for (int i = 0; i < 3; ++i) t.Tick();
    EXPECT_TRUE(t.TakeCommands().empty());
    ExpectControls(t.view, true);
}

TEST(PinwardenDlgPoll, NotReadyStaysOpenedUntilTheStatusSaysReady) {
    DialogRig t;
    t.Printer().Firmware().SetNotReady(1, 0x0002);
    t.dlg->OnInitDialog();
    t.Tick();
    EXPECT_TRUE(t.dlg->DeviceOpened());
    EXPECT_FALSE(t.dlg->DeviceReady());
    ExpectControls(t.view, false);
    EXPECT_EQ(t.view.repaints, 0);

    t.Tick();
    EXPECT_TRUE(t.dlg->DeviceReady());
    ExpectControls(t.view, true);
    EXPECT_EQ(t.opener.openedPaths.size(), 1u) << "an opened device is polled, not opened again";
}

TEST(PinwardenDlgPoll, OfflineQueueDisablesWithoutLosingTheDevice) {
    DialogRig t;
    t.StartReady();
    t.Printer().PowerOff();  // its queue goes offline; no device-change notice yet
    t.Tick();
    ExpectControls(t.view, false);
    EXPECT_TRUE(t.dlg->DeviceReady());
    t.Printer().PowerOn();
    t.Tick();
    ExpectControls(t.view, true);
}

TEST(PinwardenDlgPoll, DeviceChangeWithTheDeviceGoneSearchesAgainAndFindsItOnAnotherPath) {
    DialogRig t;
    t.StartReady();
    t.Printer().Unplug();
    EXPECT_TRUE(t.dlg->OnDeviceChange(kDeviceNodesChanged, 0));
    EXPECT_FALSE(t.dlg->DeviceReady());
    EXPECT_FALSE(t.dlg->DeviceOpened());
    t.Tick();
    ExpectControls(t.view, false);

    // Plugged into another port: the queue now leads to another device path.
    t.SetOnlyQueue(ZtQueue("ZT-40", "SIM0002"));
    t.Tick();
    EXPECT_TRUE(t.dlg->DeviceReady());
    ExpectControls(t.view, true);
    EXPECT_EQ(t.opener.openedPaths.back(), "sim:SIM0002");
}

TEST(PinwardenDlgPoll, DeviceChangeWithTheDeviceStillThereKeepsItReady) {
    DialogRig t;
    t.StartReady();
    const auto pushes = t.view.pushed.size();
    EXPECT_TRUE(t.dlg->OnDeviceChange(kDeviceNodesChanged, 0));
    EXPECT_TRUE(t.dlg->DeviceReady());
    // Other event types do nothing at all.
    EXPECT_TRUE(t.dlg->OnDeviceChange(0x8000, 0));
    EXPECT_TRUE(t.dlg->DeviceReady());
    EXPECT_EQ(t.view.pushed.size(), pushes) << "the window shows the same printer";
}

TEST(PinwardenDlgPoll, TwoMatchingQueuesTheFirstThatOpensIsUsed) {
    DialogRig t;
    t.SetOnlyQueue(ZtQueue("A-unplugged", "SIM0009"));
    t.rig.Spooler().AddQueue(ZtQueue("B-second", "SIM0002"));
    t.rig.Spooler().AddQueue(ZtQueue("C-third", "SIM0001"));
    t.dlg->OnInitDialog();
    t.Tick();
    EXPECT_TRUE(t.dlg->DeviceReady());
    EXPECT_EQ(t.dlg->QueueName(), "B-second");
    EXPECT_EQ(t.view.caption, "B-second");
}

TEST(PinwardenDlgPoll, OnlyThePollTimersTicksPoll) {
    DialogRig t;
    t.dlg->OnInitDialog();
    t.dlg->OnTimer(POLL_TIMER_ID + 1);
    EXPECT_FALSE(t.dlg->DeviceOpened());
    t.dlg->DestroyWindow();
    EXPECT_EQ(t.view.stoppedTimers, std::vector<int>{POLL_TIMER_ID});
    EXPECT_TRUE(t.view.destroyed);
    t.Tick();
    EXPECT_FALSE(t.dlg->DeviceOpened()) << "a tick after the timer was stopped is stale";
}

struct QueueCase {
    const char* name;
    const char* driver;
    const char* port;
    std::uint32_t attributes;
    bool used;
};

class PinwardenDlgQueueRule : public ::testing::TestWithParam<QueueCase> {};

TEST_P(PinwardenDlgQueueRule, DecidesWhetherTheQueueIsOpened) {
    const QueueCase& c = GetParam();
    DialogRig t;
    t.SetOnlyQueue({"Q", c.port, c.driver, c.attributes});
    t.dlg->OnInitDialog();
    EXPECT_EQ(t.dlg->PrinterList().size(), c.used ? 1u : 0u);
    t.Tick();
    EXPECT_EQ(t.dlg->DeviceReady(), c.used);
    EXPECT_EQ(ControlsEnabled(t.view), c.used);
    EXPECT_EQ(t.view.caption, c.used ? "Q" : "ZT-40 Pinwarden");
}

const std::string kPort = SimPortName("SIM0001");
const std::string kLowerPort = "usb" + kPort.substr(3);

INSTANTIATE_TEST_SUITE_P(
    Queues, PinwardenDlgQueueRule,
    ::testing::Values(QueueCase{"exact", "Velmora ZT-40", kPort.c_str(), 0, true},
                      QueueCase{"driverCase", "VELMORA zt-40", kPort.c_str(), 0, true},
                      QueueCase{"otherDriver", "Velmora ZT-41", kPort.c_str(), 0, false},
                      QueueCase{"lowerUsb", "Velmora ZT-40", kLowerPort.c_str(), 0, false},
                      QueueCase{"offline", "Velmora ZT-40", kPort.c_str(), kPrinterAttributeWorkOffline, false},
                      QueueCase{"network", "Velmora ZT-40", kPort.c_str(), kPrinterAttributeNetwork, false},
                      QueueCase{"otherBits", "Velmora ZT-40", kPort.c_str(), 0x4, true}),
    [](const auto& p) { return std::string(p.param.name); });

struct ReasonCase {
    const char* name;
    DeviceAccessFailure failure;
    bool spoolerDown;
    bool opened;  // the device opens but does not answer
    const char* reason;  // a part of the second line; null for none
};

class PinwardenDlgStatusReason : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(PinwardenDlgStatusReason, SecondLineSaysWhyWhenKnown) {
    const ReasonCase& c = GetParam();
    DialogRig t;
    t.UseOwnReport();
    if (c.opened) {
        t.Printer().Faults().failGets = true;
    } else {
        t.Printer().Unplug();
        t.SetOnlyQueue(ZtQueue("ZT-40"));  // listed online, so the open is tried and fails
    }
    t.spooler.down = c.spoolerDown;
    t.dlg->OnInitDialog();
    t.report.Record(c.failure);
    t.Tick();
    EXPECT_EQ(t.dlg->DeviceOpened(), c.opened);
    EXPECT_EQ(t.view.statusLine, c.opened ? "Not ready: ZT-40 on queue ZT-40"
                                          : "Connect one ZT-40 unit and switch on the power.");
    if (c.reason == nullptr) {
        EXPECT_EQ(t.view.reason, std::nullopt);
    } else {
        ASSERT_TRUE(t.view.reason.has_value());
        EXPECT_NE(t.view.reason->find(c.reason), std::string::npos) << *t.view.reason;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, PinwardenDlgStatusReason,
    ::testing::Values(ReasonCase{"notFound", DeviceAccessFailure::DeviceNotFound, false, false, nullptr},
                      ReasonCase{"permission", DeviceAccessFailure::NoPermission, false, false, "udev rule"},
                      ReasonCase{"busy", DeviceAccessFailure::Busy, false, false, "in use by another program"},
                      ReasonCase{"openFailed", DeviceAccessFailure::OpenFailed, false, false, "cannot be opened"},
                      ReasonCase{"spoolerDown", DeviceAccessFailure::None, true, false, "print spooler cannot be reached"},
                      ReasonCase{"notAnswering", DeviceAccessFailure::NotAnswering, false, true, "does not answer"},
                      // An open that failed earlier is no reason once the device is open: its
                      // silence is.
                      ReasonCase{"openedAfterBusy", DeviceAccessFailure::Busy, false, true, "does not answer"}),
    [](const auto& p) { return std::string(p.param.name); });

// The queue as the operator changes it beside the printer: each way out of sight has its words,
// and the reason goes once the queue is back.
struct QueueChangeCase {
    const char* name;
    std::function<void(SimPrinterRig&, bool)> change;  // true: out of sight, false: back
    const char* reason;
};

class PinwardenDlgQueueReason : public ::testing::TestWithParam<QueueChangeCase> {};

TEST_P(PinwardenDlgQueueReason, QueueOutOfSightIsNamedUntilItIsBack) {
    const QueueChangeCase& c = GetParam();
    DialogRig t;
    t.StartReady();
    c.change(t.rig, true);
    t.Tick();
    ExpectControls(t.view, false);
    ASSERT_TRUE(t.view.reason.has_value());
    EXPECT_NE(t.view.reason->find(c.reason), std::string::npos) << *t.view.reason;
    c.change(t.rig, false);
    t.Tick();
    EXPECT_EQ(t.view.reason, std::nullopt);
    ExpectControls(t.view, true);
}

INSTANTIATE_TEST_SUITE_P(
    Queues, PinwardenDlgQueueReason,
    ::testing::Values(
        QueueChangeCase{"paused", [](SimPrinterRig& r, bool out) { r.SetQueueOffline(out); },
                        "The queue ZT-40 is paused or offline"},
        QueueChangeCase{"removed", [](SimPrinterRig& r, bool out) { r.InstallQueue(!out); },
                        "No print queue uses the \"Velmora ZT-40\" driver"},
        QueueChangeCase{"unplugged", [](SimPrinterRig& r, bool out) { out ? r.Printer().Unplug() : r.Printer().Plug(); },
                        "unplugged or switched off"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PinwardenDlgPoll, ASpoolerThatDoesNotAnswerIsToldFromOneThatIsNotThere) {
    DialogRig t;
    t.spooler.down = true;
    t.spooler.downAs = SpoolerFailure::NotAnswering;
    t.dlg->OnInitDialog();
    t.Tick();
    ASSERT_TRUE(t.view.reason.has_value());
    EXPECT_NE(t.view.reason->find("print spooler does not answer"), std::string::npos) << *t.view.reason;
    t.spooler.downAs = SpoolerFailure::Unreachable;
    t.Tick();
    ASSERT_TRUE(t.view.reason.has_value());
    EXPECT_NE(t.view.reason->find("print spooler cannot be reached"), std::string::npos) << *t.view.reason;
}

TEST(PinwardenDlgPoll, ReasonClearsOnceTheSpoolerAnswersAndBusyComesFromTheOpener) {
    DialogRig t;
    t.spooler.down = true;
    t.dlg->OnInitDialog();
    t.Tick();
    ASSERT_TRUE(t.view.reason.has_value());
    t.spooler.down = false;
    t.Printer().SetHeldElsewhere(true);
    t.Tick();
    ASSERT_TRUE(t.view.reason.has_value());
    EXPECT_NE(t.view.reason->find("in use"), std::string::npos);
    t.Printer().SetHeldElsewhere(false);
    t.Tick();
    EXPECT_TRUE(t.dlg->DeviceReady());
    EXPECT_EQ(t.view.reason, std::nullopt);
}

TEST(PinwardenDlgPoll, StatusLineNamesTheQueueWhileReadyAndTheRequestComesBackWhenItGoes) {
    DialogRig t;
    t.StartReady();
    EXPECT_EQ(t.view.statusLine, "Ready: ZT-40 on queue ZT-40");
    EXPECT_EQ(t.view.reason, std::nullopt);
    t.dlg->OnPinSelected(4);
    ASSERT_TRUE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
    t.Printer().Unplug();
    t.dlg->OnDeviceChange(kDeviceNodesChanged, 0);
    t.Tick();
    EXPECT_EQ(t.view.statusLine, "Connect one ZT-40 unit and switch on the power.");
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
}

// Refresh says whether the window shows fresh data; a printer in an error state or silent
// leaves the old data on show, and says so.
TEST(PinwardenDlgPoll, RefreshTellsWhetherTheDataIsFresh) {
    struct Case {
        const char* name;
        std::function<void(DialogRig&)> fault;
        std::string told;
        bool failed;
    };
    const std::vector<Case> cases{
        {"ready", [](DialogRig&) {}, "The printer's data was read again.", false},
        {"busy", [](DialogRig& t) { t.Printer().Firmware().SetNotReady(1'000'000, kBusy); },
         "The printer's data could not be read: the window still shows the data read before. | The ZT-40 is busy "
         "(status 2). Wait until it has finished, then try again.",
         true},
        {"error state", [](DialogRig& t) { t.Printer().Faults().errorState = 0x09; },
         "The printer's data could not be read: the window still shows the data read before. | The ZT-40 reports "
         "error state 9. Clear the error (switch the printer off and on), then try again.",
         true},
        {"silent", [](DialogRig& t) { t.Printer().Faults().failGets = true; },
         "The printer's data could not be read: the window still shows the data read before. | The ZT-40 does not "
         "answer. Check the cable and the power switch, then try again.",
         true},
    };
    for (const Case& c : cases) {
        DialogRig t;
        t.State().pinCounters = {5, 5, 5, 5, 5, 5, 5, 5, 5};
        t.StartReady();
        t.State().pinCounters = {6, 6, 6, 6, 6, 6, 6, 6, 6};
        c.fault(t);
        t.dlg->OnRefresh();
        EXPECT_EQ(t.view.outcomes, std::vector<std::string>{c.told}) << c.name;
        EXPECT_EQ(t.view.outcomeFailed, std::vector<bool>{c.failed}) << c.name;
        EXPECT_EQ(t.dlg->Data().shownUsage[0], c.failed ? 5 : 6) << c.name;
    }
}

// A wizard starts on fresh copies only: on a busy printer it says why and does not open, so
// its Cancel can never write older counts back.
TEST(PinwardenDlgPoll, WizardStartsOnlyAfterAFreshRead) {
    for (const WizardKind kind : {WizardKind::ReplaceHead, WizardKind::ReadjustPins}) {
        DialogRig t;
        t.State().pinCounters = {5, 5, 5, 5, 5, 5, 5, 5, 5};
        t.StartReady();
        t.State().pinCounters = {8, 8, 8, 8, 8, 8, 8, 8, 8};
        t.Printer().Firmware().SetNotReady(1, kBusy);
        kind == WizardKind::ReplaceHead ? t.dlg->OnReplaceHead() : t.dlg->OnReadjustPins();
        EXPECT_TRUE(t.view.wizards.empty());
        EXPECT_EQ(t.view.outcomes, std::vector<std::string>{"The wizard was not started: the printer's data could not "
                                                            "be read first. | The ZT-40 is busy (status 2). Wait until "
                                                            "it has finished, then try again."});
        EXPECT_EQ(t.view.statusLine, "Not ready: ZT-40 on queue ZT-40") << "until a status read says ready";
        ExpectControls(t.view, false);
        t.Tick();
        ExpectControls(t.view, true);
        kind == WizardKind::ReplaceHead ? t.dlg->OnReplaceHead() : t.dlg->OnReadjustPins();
        EXPECT_EQ(t.view.wizards, std::vector<WizardKind>{kind}) << "ready again: the wizard runs";
        EXPECT_EQ(t.dlg->SavedUsageCounters().PinCounter[0], 8) << "on the counts read just before";
    }
}

// Restore asks first, tells a printer in range that nothing was needed, and a write it could
// not make; the power-cycle request follows only a restore that wrote.
TEST(PinwardenDlgPoll, RestoreAsksThenTellsWhatItDid) {
    const std::string kAsked =
        "The printer's pin settings are out of range. Write the default pin settings?\n\n"
        "The defaults are (now -> written):\nadjustment (pins 1-9): 0 0 0 300 0 0 0 0 0 -> 0 0 0 0 0 0 0 0 0";
    struct Case {
        const char* name;
        std::int16_t adjustment;
        bool busy;
        std::vector<std::string> told;
        std::vector<std::string> boxes;
    };
    const std::vector<Case> cases{
        {"in range", 5, false, {"The printer's settings and counters are in range: nothing was restored."}, {}},
        {"restored", 300, false, {"The default pin settings were written."},
         {kAsked, "Please do again to turn on the power of ZT-40"}},
        {"busy", 300, true,
         {"The settings were not restored completely. | The ZT-40 was not ready within 15 s. Wait until it has "
          "finished what it is doing, then try again."},
         {kAsked}},
        {"declined", 300, false, {}, {kAsked}},
    };
    for (const Case& c : cases) {
        DialogRig t;
        t.State().adjustments[3] = c.adjustment;
        t.StartReady();
        // Status 5 passes the read's rule ((status AND 3) = 1) but not the write's (exactly 1).
        if (c.busy) t.Printer().Firmware().SetNotReady(1'000'000, 0x0005);
        if (std::string(c.name) == "declined") t.view.answers = {MbResult::Cancel};
        t.dlg->OnSysCommand(IDM_RESTORE_SETTINGS, 0);
        EXPECT_EQ(t.State().adjustments[3], std::string(c.name) == "restored" ? 0 : c.adjustment) << c.name;
        EXPECT_EQ(t.view.outcomes, c.told) << c.name;
        EXPECT_EQ(t.view.BoxTexts(), c.boxes) << c.name;
    }
}

// A cancelled wizard says that the printer's settings were put back, once they were; a put-back
// the operator gave up on says nothing more than its own prompt did, under which the window shows
// the printer as the put-back found it and a poll sends nothing, so as not to hold back the answer.
TEST(PinwardenDlgPoll, CancelledWizardTellsThatTheSettingsWerePutBack) {
    const struct {
        const char* name;
        std::function<void(DialogRig&)> fault;
        const char* reason;  // nothing: the put-back succeeds
    } cases[] = {
        {"answering", [](DialogRig&) {}, nullptr},
        {"busy", [](DialogRig& t) { t.Printer().Firmware().SetNotReady(1'000'000, kBusy); }, "not ready within 15 s"},
        {"silent", [](DialogRig& t) { t.Printer().Faults().failGets = true; }, "does not answer"},
        {"error state", [](DialogRig& t) { t.Printer().Faults().errorState = 0x09; }, "reports error state 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRig t;
        t.StartReady();
        t.view.wizardResult = kCancelCommand;
        t.view.whileWizardOpen = [&] { c.fault(t); };
        t.view.answers = {MbResult::Cancel};  // the Retry prompt, when it comes
        t.view.whileBoxOpen = [&] {
            ExpectControls(t.view, false);
            EXPECT_NE(t.view.reason.value_or("").find(c.reason), std::string::npos) << t.view.reason.value_or("");
            t.Printer().Faults() = {};
            t.Printer().Firmware().SetNotReady(0, kBusy);
            t.TakeCommands();
            t.Tick();
            EXPECT_TRUE(t.TakeCommands().empty());
        };
        t.dlg->OnReadjustPins();
        const char* putBack = "The wizard was cancelled: the printer's settings were put back as they were.";
        EXPECT_EQ(t.view.outcomes, c.reason ? std::vector<std::string>{} : std::vector<std::string>{putBack});
        ASSERT_EQ(t.view.boxes.size(), c.reason ? 1u : 0u) << "the Retry prompt only for a failed put-back";
        t.Tick();
        EXPECT_EQ(t.view.statusLine, "Ready: ZT-40 on queue ZT-40") << "the box answered, the poll reads again";
    }
}

// A printer that is open but not ready says why on the second line.
TEST(PinwardenDlgPoll, ReasonLineForAnOpenPrinterThatIsNotReady) {
    struct Case {
        const char* name;
        std::function<void(DialogRig&)> fault;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"busy", [](DialogRig& t) { t.Printer().Firmware().SetNotReady(1'000'000, kBusy); }, "is busy (status 2)"},
        {"error state", [](DialogRig& t) { t.Printer().Faults().errorState = 0x04; }, "reports error state 4"},
    };
    for (const Case& c : cases) {
        DialogRig t;
        c.fault(t);
        t.dlg->OnInitDialog();
        t.Tick();
        EXPECT_TRUE(t.dlg->DeviceOpened()) << c.name;
        EXPECT_EQ(t.view.statusLine, "Not ready: ZT-40 on queue ZT-40") << "named, not asked to be connected: " << c.name;
        ASSERT_TRUE(t.view.reason.has_value()) << c.name;
        EXPECT_NE(t.view.reason->find(c.reason), std::string::npos) << *t.view.reason;
    }
}

// A command waiting for a silent printer pauses with the window's events running: a poll tick
// or a device notice then must not send or reopen anything under it.
TEST(PinwardenDlgPoll, EventsDuringACommandsWaitLeaveTheDeviceAlone) {
    struct Case {
        const char* name;
        bool deviceNotice;  // else a poll tick arrives during the wait
    };
    for (const Case& c : {Case{"poll tick", false}, Case{"device notice", true}}) {
        SCOPED_TRACE(c.name);
        DialogRig t;
        t.dlg->OnInitDialog();
        t.Printer().Faults().neverFinish = true;
        int events = 0;
        bool sentUnder = false;
        int opensUnder = 0;
        bool inEvent = false;
        t.clock.onPause = [&] {
            if (inEvent || !t.dlg->Session().InCommand()) return;
            inEvent = true;
            ++events;
            const std::uint32_t sets = t.Printer().SetsReceived();
            const int opens = t.opener.opens;
            if (c.deviceNotice) {
                t.dlg->OnDeviceChange(kDeviceNodesChanged, 0);
            } else {
                t.Tick();
            }
            sentUnder = sentUnder || t.Printer().SetsReceived() != sets;
            opensUnder += t.opener.opens - opens;
            inEvent = false;
        };
        t.Tick();  // opens, then reads the status of a printer that never answers
        EXPECT_GT(events, 0) << "the command's wait never paused";
        EXPECT_FALSE(sentUnder);
        EXPECT_EQ(opensUnder, 0);
        EXPECT_FALSE(t.dlg->DeviceReady());

        // Told during the command, the notice is acted on by the next poll.
        t.clock.onPause = nullptr;
        t.Printer().Faults().neverFinish = false;
        const int opensBefore = t.opener.opens;
        t.Tick();
        EXPECT_EQ(t.opener.opens - opensBefore, c.deviceNotice ? 1 : 0);
        EXPECT_TRUE(t.dlg->DeviceReady());
    }
}

// Whatever command finds the printer busy, the window stops claiming Ready until a status read
// says so again; the read that follows shows what the printer holds by then.
TEST(PinwardenDlgPoll, ACommandThatFindsThePrinterBusyLeavesReadyUntilAStatusReadSaysSo) {
    const std::vector<std::pair<const char*, std::function<void(DialogRig&)>>> actions{
        {"refresh", [](DialogRig& t) { t.dlg->OnRefresh(); }},
        {"cleaning", [](DialogRig& t) { t.dlg->OnCleaning(); }},
        {"pin change", [](DialogRig& t) {
             t.dlg->OnPinSelected(5);
             t.dlg->OnApplyPinChange();
         }},
    };
    for (const auto& [name, action] : actions) {
        DialogRig t;
        t.StartReady();
        t.Printer().Firmware().SetNotReady(1'000'000, kBusy);
        action(t);
        EXPECT_EQ(t.view.statusLine, "Not ready: ZT-40 on queue ZT-40") << name;
        ASSERT_TRUE(t.view.reason.has_value()) << name;
        ExpectControls(t.view, false);
        t.Printer().Firmware().SetNotReady(0, kBusy);
        t.State().pinCounters[2] = 4321;
        t.Tick();
        EXPECT_EQ(t.view.statusLine, "Ready: ZT-40 on queue ZT-40") << name;
        ExpectControls(t.view, true);
        EXPECT_EQ(t.view.pushed.back().shownUsage[2], 4321) << "read afresh: " << name;
    }
}

}  // namespace
}  // namespace zt40::testing
