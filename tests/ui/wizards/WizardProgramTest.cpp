// The whole program offscreen, as zt40util wires it, on the simulated printer and spooler:
// the main window's buttons open the wizards, the operator's clicks and the printer's plug
// and power switch drive them, and the printer, the queue and the record file show the result.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/CPinwardenDlg.h"
#include "app/ControlIds.h"
#include "platform/linux/SteadyClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimDeviceChangeMonitor.h"
#include "platform/sim/SimPrinterRig.h"
#include "printjob/EmbeddedJobs.h"
#include "support/TempRecordFile.h"
#include "ui/DeviceChangeNotifier.h"
#include "ui/MainWindow.h"
#include "ui/WizardHost.h"
#include "wizards/Sheets.h"

namespace zt40::testing {
namespace {

constexpr int kStepLimitMs = 8000;

// One operator step: done when `ready` holds, then `act` runs.
struct Step {
    std::string name;
    std::function<bool()> ready;
    std::function<void()> act;
};

class WizardProgramTest : public ::testing::Test {
protected:
    WizardProgramTest() {
        Zt40State& state = rig.Printer().State();
        state.wordPair = {5, -7};
        state.selectedPin = 3;
        state.adjustments = {4, -2, 0, 1, 0, 0, 0, 0, 9};
        state.total = 168000;
        state.pinCounters = {500, 600, 700, 800, 900, 1000, 1100, 1200, 1300};
        state.headCounters = {2, 3};
        before = state;
        window.Attach(dialog);
        dialog.SetUsageRecordPlatform(records.Platform());
        window.SetWizardRunner([this](WizardKind kind, QWidget& parent) {
            if (kind == WizardKind::ReplaceHead) {
                CChangeHeadSheet sheet(dialog, spooling);
                return ui::RunWizardSheet(sheet, &parent);
            }
            CAdjustPinSheet sheet(dialog, spooling);
            return ui::RunWizardSheet(sheet, &parent);
        });
        dialog.OnInitDialog();
        window.show();
    }

    bool WaitFor(const std::function<bool()>& done, int limitMs = kStepLimitMs) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < limitMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    static ui::WizardHost* Wizard() { return qobject_cast<ui::WizardHost*>(QApplication::activeModalWidget()); }
    static QMessageBox* Box() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
    template <typename T>
    static T* Control(int id) {
        ui::WizardHost* wizard = Wizard();
        return wizard ? wizard->findChild<T*>(QStringLiteral("control%1").arg(id)) : nullptr;
    }
    static bool Usable(QAbstractButton* button) { return button && button->isVisible() && button->isEnabled(); }

    // Steps that wait for the wizard's own buttons.
    static Step Press(const std::string& name, const std::function<QAbstractButton*()>& button) {
        return {name, [button] { return Wizard() && Usable(button()); }, [button] { button()->click(); }};
    }
    static Step Next() { return Press("next", [] { return Wizard()->NextButton(); }); }
    // Cancel asks first; the answer is the second step. The press is queued, so that the driver
    // is free again while the question waits.
    static Step PressCancel() {
        return {"cancel", [] { return Wizard() && Usable(Wizard()->CancelButton()); },
                [] { QMetaObject::invokeMethod(Wizard()->CancelButton(), &QAbstractButton::click, Qt::QueuedConnection); }};
    }
    static Step Answer(QMessageBox::StandardButton answer, QString* question = nullptr) {
        return {"answer to the question", [answer] { return Box() && Usable(Box()->button(answer)); },
                [answer, question] {
                    if (question != nullptr) *question = Box()->text();
                    Box()->button(answer)->click();
                }};
    }
    static Step Click(int id) { return Press("control " + std::to_string(id), [id] { return Control<QPushButton>(id); }); }
    static Step Do(const std::string& name, std::function<void()> act) {
        return {name, [] { return true; }, std::move(act)};
    }
    static Step Reading(std::size_t pin, int pages, int lines) {
        return Do("reading of pin " + std::to_string(pin + 1), [pin, pages, lines] {
            auto* bar = Control<QScrollBar>(CInputValuePage::kScrollBarIds[pin]);
            for (int i = 0; i < pages; ++i) bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            for (int i = 0; i < lines; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        });
    }

    // Presses a main-window button and plays the steps inside the modal run it starts; a step
    // that does not become possible in time ends the run with Escape and is reported.
    void Run(int buttonId, std::vector<Step> steps) {
        std::size_t next = 0;
        bool failed = false;
        QElapsedTimer sinceStep;
        sinceStep.start();
        QTimer driver;
        driver.setInterval(20);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (next < steps.size() && !failed) {
                if (steps[next].ready()) {
                    steps[next++].act();
                    sinceStep.restart();
                } else if (sinceStep.elapsed() > kStepLimitMs) {
                    ADD_FAILURE() << "step \"" << steps[next].name << "\" never became possible";
                    failed = true;
                }
            }
            // A run given up is closed: boxes answered as they come (the Cancel's Yes), the rest rejected.
            if (!failed) return;
            if (QMessageBox* box = Box()) {
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click(); else box->reject();
            } else if (QWidget* modal = QApplication::activeModalWidget()) {
                QMetaObject::invokeMethod(modal, "reject");
            }
        });
        driver.start();
        auto* button = qobject_cast<QAbstractButton*>(window.Control(buttonId));
        ASSERT_TRUE(WaitFor([button] { return button->isEnabled(); })) << "the printer never became ready";
        button->click();  // returns when the wizard has closed
        EXPECT_TRUE(failed || next == steps.size()) << "the wizard closed before every step was played";
    }

    std::vector<Step> ThroughTheHead() {
        return {Click(CMoveHeadPage::kMoveHeadButton), Next(),
                Do("unplug", [this] { rig.Printer().Unplug(); }), Next(), Next(), Next(),
                Do("plug in", [this] { rig.Printer().Plug(); }), Next()};
    }
    std::vector<Step> PrintAndSet() {
        return {Click(CAdjustPinPage::kStartPrintingButton), Next(), Reading(0, 1, 2), Reading(1, 1, 5),
                Click(CInputValuePage::kSetButton)};
    }

    void ExpectOneRecordOfBefore(char kind) {
        const auto appended = records.Records();
        ASSERT_EQ(appended.size(), 1u);
        EXPECT_EQ(appended[0].Kind(), kind);
        EXPECT_EQ(appended[0].counters.PinCounter, before.pinCounters);
        EXPECT_EQ(appended[0].counters.HeadCounters[0], before.headCounters[0]);
        EXPECT_EQ(appended[0].settings.PinAdjustments, before.adjustments);
    }
    void ExpectPrinterAsBefore(bool counters) {
        const Zt40State& now = rig.Printer().State();
        EXPECT_EQ(now.adjustments, before.adjustments);
        EXPECT_EQ(now.selectedPin, before.selectedPin);
        EXPECT_EQ(now.wordPair, before.wordPair);
        if (counters) {
            EXPECT_EQ(now.pinCounters, before.pinCounters);
            EXPECT_EQ(now.headCounters, before.headCounters);
            EXPECT_EQ(now.total, before.total);
        }
    }

    TempRecordFile records;
    SimPrinterRig rig;
    SteadyClock clock;
    RecordingMessageBox deviceMessages;
    ui::MainWindow window;
    CPinwardenDlg dialog{DeviceLinkPlatform{rig.Finder(), rig.Opener(), clock, deviceMessages, rig.Spooler()}, window,
                         [](std::uint32_t) {}, &rig.Report()};
    SimDeviceChangeMonitor monitor{rig.Printer(), [this](std::uint32_t type) { dialog.OnDeviceChange(type, 0); }};
    ui::DeviceChangeNotifier notifier{monitor};
    CPrintJobSender sender{rig.Spooler(), deviceMessages, EmbeddedJobs()};
    WizardSpooling spooling{rig.Spooler(), sender};
    Zt40State before;
};

TEST_F(WizardProgramTest, AFinishedHeadReplacementLeavesTheNewHeadsDataAndRepaintsTheBars) {
    std::vector<Step> steps = ThroughTheHead();
    for (Step& step : PrintAndSet()) steps.push_back(std::move(step));
    steps.push_back(Next());
    steps.push_back(Do("switch off", [this] { rig.Printer().PowerOff(); }));
    steps.push_back({"seen off", [this] { return !rig.Printer().IsPowered(); }, [] {}});
    steps.push_back({"wait for the off tick", [] { return Wizard() && !Wizard()->FinishButton()->isEnabled(); },
                     [this] { QTimer::singleShot(1200, [this] { rig.Printer().PowerOn(); }); }});
    steps.push_back(Press("finish", [] { return Wizard()->FinishButton(); }));
    Run(IDC_REPLACE_HEAD, std::move(steps));

    const Zt40State& now = rig.Printer().State();
    EXPECT_EQ(now.pinCounters, (std::array<std::int32_t, 9>{}));
    EXPECT_EQ(now.headCounters, (std::array<std::int16_t, 2>{3, 4}));
    EXPECT_EQ(now.adjustments, (std::array<std::int16_t, 9>{-3, 3, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(now.selectedPin, 1);
    EXPECT_EQ(window.Bars().Counts(), (std::array<std::int32_t, 9>{}));
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(window.Control(IDC_PIN_RADIOS[0]))->isChecked());
    ExpectOneRecordOfBefore('o');
}

TEST_F(WizardProgramTest, ACancelledHeadReplacementRestoresEveryGroupAndCancelsItsJob) {
    std::vector<Step> steps = ThroughTheHead();
    for (Step& step : PrintAndSet()) steps.push_back(std::move(step));
    steps.push_back(PressCancel());
    steps.push_back(Answer(QMessageBox::Yes));
    Run(IDC_REPLACE_HEAD, std::move(steps));

    ExpectPrinterAsBefore(true);
    ASSERT_EQ(rig.Spooler().Jobs().size(), 1u);
    EXPECT_EQ(rig.Spooler().Jobs()[0].state, SimJobState::Cancelled);
    ExpectOneRecordOfBefore('x');
}

TEST_F(WizardProgramTest, ACancelledPinAdjustmentRestoresOnlyThePinSettings) {
    std::vector<Step> steps = PrintAndSet();
    steps.push_back(Do("the pattern's marks counted", [this] { rig.Printer().State().pinCounters[0] += 40; }));
    steps.push_back(PressCancel());
    steps.push_back(Answer(QMessageBox::Yes));
    Run(IDC_READJUST_PINS, std::move(steps));

    ExpectPrinterAsBefore(false);
    EXPECT_EQ(rig.Printer().State().pinCounters[0], before.pinCounters[0] + 40);
    ExpectOneRecordOfBefore('x');
}

// Cancel asks; No keeps the wizard where it was, Yes puts the settings back and the window says so.
// A print job sent is confirmed on the wizard's page without a box.
TEST_F(WizardProgramTest, CancelAsksFirstAndTheWindowTellsThatTheSettingsWerePutBack) {
    QString question;
    QString printed;
    Run(IDC_READJUST_PINS,
        {Click(CAdjustPinPage::kStartPrintingButton),
         {"the job confirmed", [] { return Wizard() && !Wizard()->OutcomeNote()->text().isEmpty(); },
          [&printed] { printed = Wizard()->OutcomeNote()->text(); }},
         Next(), Reading(0, 1, 2), Reading(1, 1, 5), Click(CInputValuePage::kSetButton), PressCancel(),
         Answer(QMessageBox::No, &question),
         {"still on the page", [] { return Wizard() && !Box(); },
          [this] { EXPECT_NE(rig.Printer().State().adjustments, before.adjustments) << "nothing put back yet"; }},
         PressCancel(), Answer(QMessageBox::Yes)});

    EXPECT_EQ(printed.toStdString(), "The print job was sent to the queue ZT-40.");
    EXPECT_TRUE(question.startsWith("Cancel the wizard?")) << question.toStdString();
    ExpectPrinterAsBefore(false);
    ExpectOneRecordOfBefore('x');
    EXPECT_EQ(window.StatusReason().text().toStdString(),
              "The wizard was cancelled: the printer's settings were put back as they were.");
}

TEST_F(WizardProgramTest, AnUnplugAtCancelIsShownAndRetryAfterReplugRestoresEveryGroup) {
    QString shown;
    QElapsedTimer sincePlug;
    Run(IDC_REPLACE_HEAD,
        {Click(CMoveHeadPage::kMoveHeadButton), Do("unplug", [this] { rig.Printer().Unplug(); }),
         PressCancel(), Answer(QMessageBox::Yes),
         {"the failed rollback", [] { return Box() != nullptr; },
          [this, &shown, &sincePlug] {
              shown = Box()->text();
              rig.Printer().Plug();
              sincePlug.start();
          }},
         // Two poll periods for the window to find the printer again.
         {"wait", [&sincePlug] { return sincePlug.elapsed() > 1200; }, [] {}},
         {"retry", [] { return Box() && Usable(Box()->button(QMessageBox::Retry)); },
          [] { Box()->button(QMessageBox::Retry)->click(); }}});

    EXPECT_TRUE(shown.startsWith("Neither the pin settings nor the usage counters")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("usage record"));
    ExpectPrinterAsBefore(true);
    ExpectOneRecordOfBefore('x');
}

}  // namespace
}  // namespace zt40::testing
