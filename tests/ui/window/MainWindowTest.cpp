// The real main window driven against the simulated printer, through its own 500 ms poll.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
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
#include "ui/FocusOutline.h"
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

// Answers the next `count` message boxes with OK as they come up, keeping their texts; gives up
// after about 5 s. The texts outlive the test, since a late box may still come.
std::shared_ptr<QStringList> AnswerBoxes(int count, int triesLeft = 500, std::shared_ptr<QStringList> seen = {}) {
    if (!seen) seen = std::make_shared<QStringList>();
    QTimer::singleShot(10, [seen, count, triesLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            *seen << box->text();
            box->button(QMessageBox::Ok)->click();
        }
        const int left = count - (box ? 1 : 0);
        if (left > 0 && triesLeft > 0) AnswerBoxes(left, triesLeft - 1, seen);
    });
    return seen;
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
        // The spooler shows an unplugged printer's queue offline, as it does a paused one.
        QTest::newRow("unplugged") << "unplugged" << "unplugged or switched off";
        QTest::newRow("held by another program") << "held" << "in use by another program";
        QTest::newRow("error state") << "error state" << "The ZT-40 reports error state 5.";
        QTest::newRow("spooler not running") << "spooler down" << "spooler";
        QTest::newRow("queue paused") << "paused" << "The queue ZT-40 is paused or offline";
        QTest::newRow("queue removed") << "removed" << "No print queue uses the \"Velmora ZT-40\" driver";
    }
    void statusLineSaysWhy() {
        QFETCH(QString, situation);
        QFETCH(QString, reason);
        WindowRig rig;
        if (situation == QStringLiteral("unplugged")) rig.rig.Printer().Unplug();
        if (situation == QStringLiteral("held")) rig.rig.Printer().SetHeldElsewhere(true);
        if (situation == QStringLiteral("error state")) rig.rig.Printer().Faults().errorState = 5;
        if (situation == QStringLiteral("spooler down")) rig.spooler.down = true;
        if (situation == QStringLiteral("paused")) rig.rig.SetQueueOffline(true);
        if (situation == QStringLiteral("removed")) rig.rig.InstallQueue(false);
        rig.Open();
        QSignalSpy ticks(&rig.window, &ui::MainWindow::timerHandled);
        QVERIFY(ticks.wait(kTickWaitMs));

        auto& status = static_cast<QLabel&>(rig.Control(IDC_STATUS_LINE));
        // An open printer is named, not asked to be connected.
        QCOMPARE(status.text(), situation == QStringLiteral("error state")
                                    ? QStringLiteral("Not ready: ZT-40 on queue ZT-40")
                                    : QStringLiteral("Connect one ZT-40 unit and switch on the power."));
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

    // The bars grey out with the connection and say when they were read; the tip says it too.
    void barsGreyWhileNotConnectedWithTheTimeOfTheLastRead() {
        WindowRig rig;
        rig.rig.Printer().State().pinCounters = {1, 2, 3, 4, 5, 6, 7, 8'000'000, 11'000'000};
        rig.Open();
        QVERIFY(rig.window.Bars().Greyed());
        QVERIFY2(rig.window.LastReadNote().isHidden(), "nothing read yet");
        QVERIFY(rig.WaitReady());
        QVERIFY(!rig.window.Bars().Greyed());
        QVERIFY(rig.window.LastReadNote().isHidden());

        rig.rig.SetQueueOffline(true);
        QVERIFY(QTest::qWaitFor([&] { return rig.window.Bars().Greyed(); }, kTickWaitMs));
        const QLabel& note = rig.window.LastReadNote();
        QVERIFY(!note.isHidden());
        QVERIFY2(QRegularExpression(QStringLiteral("^Not connected: last read \\d\\d:\\d\\d$")).match(note.text()).hasMatch(),
                 qPrintable(note.text()));
        const auto& bars = rig.window.Bars();
        const BarRect last = bars.Marker(8);
        const QString tip = bars.TipAt(QPoint((last.left + last.right) / 2, (last.top + last.bottom) / 2));
        QVERIFY2(tip.startsWith(QStringLiteral("Pin 9: 11000000")) && tip.endsWith(QLatin1Char('\n') + note.text()),
                 qPrintable(tip));
        QCOMPARE(bars.Counts()[8], 11'000'000);

        rig.rig.SetQueueOffline(false);
        QVERIFY(QTest::qWaitFor([&] { return !rig.window.Bars().Greyed(); }, kTickWaitMs));
        QVERIFY(rig.window.LastReadNote().isHidden());
    }

    // Values out of range: the status area offers the restore, which asks, writes and reports.
    void restoreOfferedInTheStatusAreaForValuesOutOfRange() {
        WindowRig rig;
        rig.rig.Printer().State().adjustments[4] = 95;
        rig.Open();
        QVERIFY(rig.WaitReady());
        QPushButton& offer = rig.window.RestoreOffer();
        QVERIFY(QTest::qWaitFor([&] { return !offer.isHidden(); }, kTickWaitMs));
        QVERIFY(QTest::qWaitFor([&] { return rig.window.StatusReason().text() == "The printer's values are out of range."; },
                                kTickWaitMs));
        QVERIFY2(!offer.geometry().intersects(rig.window.StatusReason().geometry()), "the reason gives way to the offer");

        const auto seen = AnswerBoxes(2);
        offer.click();
        QCOMPARE(seen->size(), 2);
        QVERIFY2(seen->at(0).contains(QStringLiteral("pin settings are out of range. Write the default pin settings?")),
                 qPrintable(seen->at(0)));
        QCOMPARE(int(rig.rig.Printer().State().adjustments[4]), 0);
        QVERIFY(offer.isHidden());
        QCOMPARE(rig.window.StatusReason().text(), QStringLiteral("The default pin settings were written."));
    }

    void restoreOfferAnsweredCancelWritesNothing() {
        WindowRig rig;
        rig.rig.Printer().State().total = -3;
        rig.Open();
        QVERIFY(rig.WaitReady());
        QPushButton& offer = rig.window.RestoreOffer();
        QVERIFY(QTest::qWaitFor([&] { return !offer.isHidden(); }, kTickWaitMs));
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
        });
        offer.click();
        QCOMPARE(rig.rig.Printer().State().total, -3);
        QVERIFY(!offer.isHidden());
    }

    // Shift+F10 opens the window's menu at the control with the focus, as the desktop's menu key does.
    void shiftF10OpensTheContextMenuAtTheFocus() {
        WindowRig rig;
        rig.Open();
        QVERIFY(rig.WaitReady());
        QWidget& refresh = rig.Control(IDC_REFRESH);
        refresh.setFocus();
        QStringList texts;
        QPoint at;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions()) {
                    if (!action->isSeparator()) texts << action->text();
                }
                at = menu->pos();
                menu->close();
            }
        });
        QTest::keyClick(&rig.window, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY2(texts.contains(QStringLiteral("Restoration of setting")), qPrintable(texts.join('|')));
        QVERIFY(texts.contains(QStringLiteral("&About...")));
        QCOMPARE(at, refresh.mapToGlobal(refresh.rect().center()));
    }

    // The focus has its own dotted outline: the default button without the focus has none of it.
    void focusOutlineIsNotTheDefaultButtonsFrame() {
        WindowRig rig;
        rig.Open();
        QVERIFY(rig.WaitReady());
        auto& cleaning = static_cast<QPushButton&>(rig.Control(IDC_CLEANING));
        auto& replaceHead = static_cast<QPushButton&>(rig.Control(IDC_REPLACE_HEAD));
        QVERIFY(replaceHead.isDefault());
        const auto outlinePixels = [](QWidget& widget) {
            const QImage image = widget.grab().toImage();
            int count = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == ui::kFocusOutlineColour ? 1 : 0;
            }
            return count;
        };
        cleaning.setFocus();
        QVERIFY(QTest::qWaitFor([&] { return cleaning.hasFocus(); }, 1000));
        QVERIFY2(outlinePixels(cleaning) > 20, "the focused button is outlined");
        QCOMPARE(outlinePixels(replaceHead), 0);
        replaceHead.setFocus();
        QVERIFY(QTest::qWaitFor([&] { return replaceHead.hasFocus(); }, 1000));
        QVERIFY(outlinePixels(replaceHead) > 20);
        QCOMPARE(outlinePixels(cleaning), 0);
        // Tab moves the outline on with the focus.
        QTest::keyClick(&rig.window, Qt::Key_Tab);
        QVERIFY(QTest::qWaitFor([&] { return !replaceHead.hasFocus(); }, 1000));
        QCOMPARE(outlinePixels(replaceHead), 0);
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
            QCOMPARE(rig.window.RestoreOffer().text(), QStringLiteral("本体設定の修復(&S)"));
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
