// The simulator's control window: each control reaches the simulated printer or its queue,
// and what changes behind the window's back shows in it.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "session/QueueRule.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40Firmware.h"
#include "ui/SimulatorWindow.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {
namespace {

// What the main window's poll would see of the queue: listed and matching, listed but
// offline, or not listed at all.
QString QueueSeen(SimPrinterRig& rig) {
    std::vector<QueueInfo> queues;
    if (!rig.Spooler().EnumLocalQueues(queues)) return QStringLiteral("spooler failed");
    for (const auto& queue : queues) {
        if (queue.name != rig.QueueName()) continue;
        return MatchesPrinterQueue(queue) ? QStringLiteral("usable") : QStringLiteral("offline");
    }
    return QStringLiteral("absent");
}

template <typename T>
T* Find(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

class SimulatorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void checkBoxesDriveThePrinterAndItsQueue_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("queue");
        QTest::newRow("unplugged") << "simPlugged" << false << "offline";
        QTest::newRow("switched off") << "simPowered" << false << "offline";
        QTest::newRow("queue removed") << "simQueueInstalled" << true << "absent";
        QTest::newRow("queue paused") << "simQueueOnline" << true << "offline";
    }
    void checkBoxesDriveThePrinterAndItsQueue() {
        QFETCH(QString, control);
        QFETCH(bool, reachable);
        QFETCH(QString, queue);
        SimPrinterRig rig;
        ui::SimulatorWindow window(rig);
        auto* box = window.findChild<QCheckBox*>(control);
        QVERIFY(box);
        QVERIFY(box->isChecked());
        QCOMPARE(QueueSeen(rig), QStringLiteral("usable"));

        box->click();
        QCOMPARE(rig.Printer().IsReachable(), reachable);
        QCOMPARE(QueueSeen(rig), queue);

        box->click();
        QVERIFY(rig.Printer().IsReachable());
        QCOMPARE(QueueSeen(rig), QStringLiteral("usable"));
    }

    void busyAndAnswersReachTheFirmware() {
        SimPrinterRig rig;
        ui::SimulatorWindow window(rig);
        Find<QCheckBox>(window, "simBusy")->click();
        QCOMPARE(rig.Printer().State().status & 3, 2);
        Find<QCheckBox>(window, "simBusy")->click();
        QCOMPARE(rig.Printer().State().status, 1);

        auto* answers = Find<QComboBox>(window, "simAnswers");
        answers->setCurrentIndex(static_cast<int>(SimAnswers::WithErrorState));
        QCOMPARE(rig.Printer().Faults().errorState, std::optional<std::uint8_t>(kFirmwareBadArgument));
        answers->setCurrentIndex(static_cast<int>(SimAnswers::NotAtAll));
        QVERIFY(rig.Printer().Faults().failGets);
        QVERIFY(!rig.Printer().Faults().errorState);
        answers->setCurrentIndex(static_cast<int>(SimAnswers::Normally));
        QVERIFY(!rig.Printer().Faults().failGets);
    }

    void countersGoBothWays() {
        SimPrinterRig rig;
        ui::SimulatorWindow window(rig);
        Find<QPushButton>(window, "simAllBands")->click();
        const auto bands = AllBandsCounters();
        QVERIFY(std::equal(bands.begin(), bands.end(), rig.Printer().State().pinCounters.begin()));
        // Values at the band edges and beyond the spin box's step survive the round trip.
        QCOMPARE(Find<QSpinBox>(window, "simPin5")->value(), 7'999'999);

        // A wizard resetting the counters on the printer shows at the next sync.
        rig.Printer().State().pinCounters[8] = -5;
        window.Sync();
        QCOMPARE(Find<QSpinBox>(window, "simPin9")->value(), -5);
    }

    void jobsAreListedAndFollowTheirState() {
        SimPrinterRig rig;
        ui::SimulatorWindow window(rig);
        auto queue = rig.Spooler().OpenQueue(rig.QueueName());
        QVERIFY(queue);
        const auto id = queue->StartDoc("Adjustment", "RAW");
        QVERIFY(id > 0);
        std::size_t written = 0;
        const std::uint8_t bytes[] = {1, 2, 3};
        QVERIFY(queue->Write(bytes, written));
        QVERIFY(queue->EndDoc());
        window.Sync();
        auto* jobs = Find<QListWidget>(window, "simJobs");
        QCOMPARE(jobs->count(), 1);
        QVERIFY2(jobs->item(0)->text().contains(QStringLiteral("3 bytes, queued")), qPrintable(jobs->item(0)->text()));

        Find<QPushButton>(window, "simPrintQueued")->click();
        QCOMPARE(jobs->count(), 1);
        QVERIFY2(jobs->item(0)->text().endsWith(QStringLiteral("printed")), qPrintable(jobs->item(0)->text()));
    }
};

ZT40_WINDOW_TEST(SimulatorWindowTest);

}  // namespace
}  // namespace zt40::testing

#include "SimulatorWindowTest.moc"
