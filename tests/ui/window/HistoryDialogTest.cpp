// The history window: the core's rows newest first, shaded and explained where restore passes
// a record over, and exported as the command line's CSV.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "platform/linux/PosixRecordFiles.h"
#include "support/FakeDataFolderPlatform.h"

#include "ui/HistoryDialog.h"
#include "ui/Translations.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {
namespace {

HistoryRead TwoRecords() {
    UsageCounters counters{120, {}, {1, 0}};
    std::string text = FormatUsageRecord(true, {2026, 12, 1}, PinSettings{{0, 0}, 2, {}}, counters);
    counters.PinCounter[3] = -4;
    text += FormatUsageRecord(false, {2026, 12, 2}, PinSettings{{0, 0}, 2, {}}, counters);
    LineReader lines{std::string_view(text)};
    std::vector<UsageRecord> records;
    ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    return HistoryRead{"/records/zt40util.txt", BuildHistory(std::move(records)), false, std::nullopt};
}

class HistoryDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ui::InstallEdition(*QCoreApplication::instance(), QLocale(QLocale::English)); }

    void newestFirstWithTheReason() {
        ui::HistoryDialog dialog(TwoRecords());
        const auto& table = dialog.Table();
        QCOMPARE(table.rowCount(), 2);
        const int date = 1;
        const int reason = table.columnCount() - 1;
        QCOMPARE(table.item(0, date)->text(), QStringLiteral("2026-12-02"));
        QCOMPARE(table.item(0, reason)->text(), QStringLiteral("the counter of pin 4 is negative or 2147483648 or more"));
        QCOMPARE(table.item(1, reason)->text(), QString());
        QVERIFY(table.item(0, 0)->background() != table.item(1, 0)->background());
        QVERIFY(table.editTriggers() == QAbstractItemView::NoEditTriggers);
    }

    void japaneseEditionTranslatesTitlesAndReasons() {
        ui::InstallEdition(*QCoreApplication::instance(), QLocale(QLocale::Japanese, QLocale::Japan));
        ui::HistoryDialog dialog(TwoRecords());
        const auto& table = dialog.Table();
        const int reason = table.columnCount() - 1;
        QVERIFY(table.item(0, reason)->text().contains(QStringLiteral("4")));
        QVERIFY(table.item(0, reason)->text() != QStringLiteral("the counter of pin 4 is negative or 2147483648 or more"));
        QVERIFY(table.horizontalHeaderItem(1)->text() != QStringLiteral("Date"));
    }

    void menuCommandReadsTheFileAnewEachTime() {
        QTemporaryDir dir;
        test::FakeDataFolderPlatform folders;
        folders.separator = '/';
        folders.override = dir.path().toStdString();
        PosixRecordFiles files;
        const UsageRecordPlatform platform{folders, files, "zt40util"};
        QWidget window;
        QAction* command = ui::AddHistoryCommand(window, platform);
        QCOMPARE(window.actions().back(), command);
        QCOMPARE(command->text(), QStringLiteral("Maintenance history..."));

        std::vector<int> shownRows;
        const auto openAndClose = [&] {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<ui::HistoryDialog*>(QApplication::activeModalWidget());
                shownRows.push_back(dialog ? dialog->Table().rowCount() : -1);
                if (dialog) dialog->accept();
            });
            command->trigger();
        };
        openAndClose();
        std::ofstream(dir.filePath(QStringLiteral("zt40util.txt")).toStdString(), std::ios::binary)
            << FormatUsageRecord(true, {2026, 12, 8}, PinSettings{{0, 0}, 1, {}}, UsageCounters{});
        openAndClose();
        QCOMPARE(shownRows, (std::vector<int>{0, 1}));
    }

    void exportWritesTheCommandLinesCsv() {
        QTemporaryDir dir;
        const auto history = TwoRecords();
        ui::HistoryDialog dialog(history);
        const QString path = dir.filePath(QStringLiteral("history.csv"));
        QVERIFY(dialog.ExportTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), HistoryCsv(history.rows));
    }

    // Done is told in the note for a while, without a box; a failure comes in a box with the
    // reason, and the note keeps saying what the dialog shows.
    void exportIsConfirmedInTheNoteAndAFailureInABox_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder missing") << false;
    }
    void exportIsConfirmedInTheNoteAndAFailureInABox() {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        ui::HistoryDialog dialog(TwoRecords());
        dialog.show();
        const QString before = dialog.Note().text();
        const QString path = dir.filePath(writable ? QStringLiteral("history.csv") : QStringLiteral("missing/history.csv"));
        QString boxText;
        QTimer::singleShot(0, [&boxText] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxText = box->text();
                box->accept();
            }
        });
        QCOMPARE(dialog.ExportTo(path), writable);
        if (writable) {
            QCOMPARE(dialog.Note().text(), QStringLiteral("The history was written to %1.").arg(path));
            QVERIFY(boxText.isEmpty());
            QVERIFY(QTest::qWaitFor([&] { return dialog.Note().text() == before; }, 12'000));
        } else {
            QCoreApplication::processEvents();
            QVERIFY2(boxText.startsWith(QStringLiteral("The history could not be written to ") + path), qPrintable(boxText));
            QCOMPARE(dialog.Note().text(), before);
        }
    }
};

ZT40_WINDOW_TEST(HistoryDialogTest);

}  // namespace
}  // namespace zt40::testing

#include "HistoryDialogTest.moc"
