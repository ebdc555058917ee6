// The real main window driven against the simulated printer, through its own 500 ms poll.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/CPinwardenDlg.h"
#include "app/ControlIds.h"
#include "platform/linux/SteadyClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40Firmware.h"
#include "support/DialogRig.h"
#include "ui/MainWindow.h"
#include "ui/Translations.h"
#include "tests/ui/window/WindowRig.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {
namespace {

// The controls EnableControls switches, the status line aside.
std::vector<int> SwitchedControls() {
    std::vector<int> ids{IDC_REPLACE_HEAD, IDC_READJUST_PINS, IDC_REFRESH, IDC_CLEANING};
    ids.insert(ids.end(), IDC_PIN_RADIOS.begin(), IDC_PIN_RADIOS.end());
    return ids;
}

struct SeenBox {
    QString text;
    QString caption;
};

// Answers the next message box with OK once it is up, remembering what it showed.
void AnswerNextBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(seen);
            return;
        }
        seen = {box->text(), box->windowTitle()};
        box->button(QMessageBox::Ok)->click();
    });
}

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsDisabledUntilReadyThenEnabled() {
        WindowRig rig;
        rig.rig.Printer().State().pinCounters = {1, 2, 3, 4, 5, 6, 7, 8'000'000, 11'000'000};
        rig.rig.Printer().State().selectedPin = 4;
        rig.Open();
        for (int id : SwitchedControls()) QVERIFY2(!rig.Control(id).isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(rig.Control(IDC_STATUS_LINE).isEnabled());
        QVERIFY(!rig.Control(IDC_APPLY_PIN_CHANGE).isEnabled());
        QVERIFY(!rig.window.MenuAction(IDM_RESTORE_SETTINGS)->isEnabled());
        QVERIFY(rig.window.MenuAction(IDM_ABOUTBOX)->isEnabled());

        QVERIFY(rig.WaitReady());
        for (int id : SwitchedControls()) QVERIFY2(rig.Control(id).isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(rig.Control(IDC_STATUS_LINE).isEnabled());
        QCOMPARE(qobject_cast<QLabel*>(&rig.Control(IDC_STATUS_LINE))->text(), QStringLiteral("Ready: ZT-40 on queue ZT-40"));
        QVERIFY(!rig.Control(IDC_APPLY_PIN_CHANGE).isEnabled());
        QVERIFY(rig.window.MenuAction(IDM_RESTORE_SETTINGS)->isEnabled());
        QCOMPARE(rig.window.windowTitle(), QString::fromStdString(rig.rig.QueueName()));
        QVERIFY(rig.Button(IDC_PIN_RADIOS[3]).isChecked());
        QCOMPARE(rig.window.Bars().Counts(), rig.rig.Printer().State().pinCounters);
    }

    void statusLineSaysWhy_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unplugged: the connect request says it all") << "unplugged" << QString();
        QTest::newRow("held by another program") << "held" << "in use by another program";
        QTest::newRow("spooler not running") << "spooler down" << "spooler";
    }
    void statusLineSaysWhy() {
        QFETCH(QString, situation);
        QFETCH(QString, reason);
        WindowRig rig;
        if (situation == QStringLiteral("unplugged")) rig.rig.Printer().Unplug();
        if (situation == QStringLiteral("held")) rig.rig.Printer().SetHeldElsewhere(true);
        if (situation == QStringLiteral("spooler down")) rig.spooler.down = true;
        rig.Open();
        QSignalSpy ticks(&rig.window, &ui::MainWindow::timerHandled);
        QVERIFY(ticks.wait(kTickWaitMs));

        auto& status = static_cast<QLabel&>(rig.Control(IDC_STATUS_LINE));
        QCOMPARE(status.text(), QStringLiteral("Connect one ZT-40 unit and switch on the power."));
        QVERIFY(status.isEnabled());
        const QLabel& second = rig.window.StatusReason();
        if (reason.isEmpty()) {
            QVERIFY2(second.isHidden(), qPrintable(second.text()));
        } else {
            QVERIFY(!second.isHidden());
            QVERIFY2(second.text().contains(reason), qPrintable(second.text()));
        }
        QVERIFY(!rig.Control(IDC_REFRESH).isEnabled());
    }

    void pinChangeReachesThePrinter() {
        WindowRig rig;
        rig.Open();
        QVERIFY(rig.WaitReady());
        // Clicking the pin already checked changes nothing.
        rig.Button(IDC_PIN_RADIOS[0]).click();
        QVERIFY(!rig.Control(IDC_APPLY_PIN_CHANGE).isEnabled());

        rig.Button(IDC_PIN_RADIOS[6]).click();
        QVERIFY(rig.Control(IDC_APPLY_PIN_CHANGE).isEnabled());
        QCOMPARE(int(rig.rig.Printer().State().selectedPin), 1);
        rig.Button(IDC_APPLY_PIN_CHANGE).click();
        QCOMPARE(int(rig.rig.Printer().State().selectedPin), 7);
        QVERIFY(!rig.Control(IDC_APPLY_PIN_CHANGE).isEnabled());
    }

    void failedPinChangeSaysError() {
        WindowRig rig;
        rig.Open();
        QVERIFY(rig.WaitReady());
        rig.rig.Printer().Faults().errorState = kFirmwareBadArgument;
        rig.Button(IDC_PIN_RADIOS[2]).click();
        SeenBox seen;
        AnswerNextBox(seen);
        rig.Button(IDC_APPLY_PIN_CHANGE).click();
        QVERIFY(seen.text.startsWith(QStringLiteral("The pin for marking was not changed: No.1 stays in use.\n\n")));
        QVERIFY(seen.text.contains(QStringLiteral("error state")));
        QCOMPARE(seen.caption, QStringLiteral("ZT-40 Pinwarden"));
        QVERIFY2(rig.Button(IDC_PIN_RADIOS[0]).isChecked(), "the radio is back on the pin in use");
        QVERIFY(!rig.Control(IDC_APPLY_PIN_CHANGE).isEnabled());
        QCOMPARE(int(rig.rig.Printer().State().selectedPin), 1);
    }

    void restoreItemGreyedWithTheControls() {
        WindowRig rig;
        rig.Open();
        QVERIFY(rig.WaitReady());
        QAction* restore = rig.window.MenuAction(IDM_RESTORE_SETTINGS);
        QVERIFY(restore->isEnabled());
        // Pausing the queue takes it out of the poll's sight: the next tick disables.
        rig.rig.SetQueueOffline(true);
        QVERIFY(QTest::qWaitFor([&] { return !rig.Control(IDC_REFRESH).isEnabled(); }, kTickWaitMs));
        QVERIFY(!restore->isEnabled());
        QVERIFY(rig.window.MenuActions().contains(restore));
        rig.rig.SetQueueOffline(false);
        QVERIFY(QTest::qWaitFor([&] { return rig.Control(IDC_REFRESH).isEnabled(); }, kTickWaitMs));
        QVERIFY(restore->isEnabled());
    }

    void menuHoldsRestoreThenAbout() {
        WindowRig rig;
        rig.Open();
        QStringList texts;
        for (QAction* action : rig.window.MenuActions()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(texts, (QStringList{"-", "Restoration of setting", "-", "&About..."}));
    }

    void escapeAndTheCloseButtonEndTheWindow_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close button") << false;
    }
    void escapeAndTheCloseButtonEndTheWindow() {
        QFETCH(bool, escape);
        WindowRig rig;
        rig.Open();
        QSignalSpy destroyed(&rig.window, &ui::MainWindow::windowDestroyed);
        QSignalSpy ticks(&rig.window, &ui::MainWindow::timerHandled);
        if (escape) {
            QTest::keyClick(&rig.window, Qt::Key_Escape);
        } else {
            rig.window.close();
        }
        QCOMPARE(destroyed.count(), 1);
        QVERIFY(rig.window.isHidden());
        // The poll stopped with the window: no tick follows.
        QVERIFY(!ticks.wait(1200));
    }

    void japaneseEditionShowsItsTexts() {
        const JapaneseEdition japanese;
        {
            WindowRig rig(QStringLiteral("ja"));
            rig.Open();
            QCOMPARE(static_cast<QPushButton&>(rig.Control(IDC_CLEANING)).text(), QStringLiteral("クリーニング(&L)"));
            QCOMPARE(static_cast<QPushButton&>(rig.Control(IDC_APPLY_PIN_CHANGE)).text(), QStringLiteral("ピン切り替え適用(&A)"));
            QCOMPARE(static_cast<QLabel&>(rig.Control(IDC_STATUS_LINE)).text(),
                     QStringLiteral("ZT-40を一台接続し、電源をオンにしてください。"));
            QCOMPARE(rig.window.MenuAction(IDM_RESTORE_SETTINGS)->text(), QStringLiteral("本体設定の修復"));
            // The Japanese dialog's bars start one unit right of the English one's.
            ui::MainWindow english;
            QVERIFY(rig.window.Control(IDC_PIN_MARKERS[0])->x() > english.Control(IDC_PIN_MARKERS[0])->x());
        }
    }

    // The window neither shrinks below its designed size (clipped labels) nor grows past twice it.
    void sizeStaysBetweenTheDesignAndTwiceIt() {
        ui::MainWindow window;
        window.show();
        const QSize designed = window.size();
        window.resize(designed / 2);
        QCOMPARE(window.size(), designed);
        window.resize(designed * 3);
        QCOMPARE(window.size(), designed * 2);
    }

    void layoutScalesWithTheWindow() {
        ui::MainWindow window;
        window.show();
        const QRect before = window.Control(IDC_PIN_MARKERS[8])->geometry();
        const QSize size = window.size();
        window.resize(size * 2);
        QVERIFY(QTest::qWaitFor([&] { return window.size() == size * 2; }, 1000));
        const QRect after = window.Control(IDC_PIN_MARKERS[8])->geometry();
        // Edges are rounded on their own, so a pixel either way.
        QVERIFY2(qAbs(after.width() - 2 * before.width()) <= 2, qPrintable(QString::number(after.width())));
        QVERIFY2(qAbs(after.bottom() - 2 * before.bottom()) <= 3, qPrintable(QString::number(after.bottom())));
        QVERIFY(window.Bars().geometry().contains(after));
    }
};

ZT40_WINDOW_TEST(MainWindowTest);

}  // namespace
}  // namespace zt40::testing

#include "MainWindowTest.moc"
