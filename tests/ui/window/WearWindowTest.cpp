// Wear in the window: the history window's "Wear" view, the bars' forecast tips, and the
// desktop notice of a band crossing sent to a recording notification service on a private
// session bus.
#include <QCategoryAxis>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QHelpEvent>
#include <QLineSeries>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <chrono>

#include "app/WearChartModel.h"
#include "platform/linux/PosixRecordFiles.h"
#include "record/CounterSamples.h"
#include "support/FakeDataFolderPlatform.h"
#include "ui/HistoryDialog.h"
#include "ui/Translations.h"
#include "tests/ui/window/WindowRig.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {
namespace {

RecordDate DaysAgo(int days) {
    using namespace std::chrono;
    const year_month_day date{sys_days(std::chrono::days(DayNumber(LocalDate()) - days))};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

CounterSample Sample(RecordDate date, const char* printer, std::array<std::int32_t, kPinCount> pins) {
    CounterSample sample;
    sample.date = date;
    sample.printer = printer;
    sample.counters.PinCounter = pins;
    return sample;
}

QLineSeries* Series(QChartView& view, const QString& name) {
    for (QAbstractSeries* series : view.chart()->series()) {
        if (series->objectName() == name) return qobject_cast<QLineSeries*>(series);
    }
    return nullptr;
}

// The freedesktop notification service as far as a sender sees it: it records each call.
class NotificationRecorder : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Notice {
        QString summary;
        QString body;
    };
    std::vector<Notice> notices;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body, const QStringList&,
                const QVariantMap&, int) {
        notices.push_back({summary, body});
        return static_cast<uint>(notices.size());
    }
};

// A session bus of the test's own, ended with the test.
class PrivateBus {
public:
    PrivateBus() {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (m_daemon.waitForStarted(5000) && m_daemon.waitForReadyRead(5000)) {
            address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        }
    }
    ~PrivateBus() {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    QString address;

private:
    QProcess m_daemon;
};

class WearWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ui::InstallEdition(*QCoreApplication::instance(), QLocale(QLocale::English)); }

    // The chart paints the model as it stands: a series for each of its lines, its ticks only.
    void wearViewPaintsTheModel() {
        SamplesRead samples;
        samples.samples = {Sample(DaysAgo(2), "ZT4000123", {7'000'000, 500}),
                           Sample(DaysAgo(40), "OTHER", {1, 1}),
                           Sample(DaysAgo(1), "ZT4000123", {7'100'000, 500}),
                           Sample(DaysAgo(0), "ZT4000123", {7'200'000, 500})};
        const WearChartModel model = MakeWearChart(samples.samples, LocalDate());
        ui::HistoryDialog dialog(HistoryRead{}, samples);
        auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("historyTabs"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Wear"));
        auto* view = dialog.findChild<QChartView*>(QStringLiteral("wearChart"));
        QVERIFY(view);
        QCOMPARE(view->chart()->title(), QStringLiteral("Wear of printer ZT4000123"));
        QCOMPARE(view->chart()->series().size(), static_cast<qsizetype>(model.lines.size()));
        for (const ChartLine& line : model.lines) {
            QLineSeries* series = Series(*view, QString::fromStdString(line.key));
            QVERIFY2(series, line.key.c_str());
            QCOMPARE(series->count(), static_cast<int>(line.points.size()));
            for (int i = 0; i < series->count(); ++i) {
                QCOMPARE(series->at(i), QPointF(line.points[static_cast<std::size_t>(i)].day,
                                                line.points[static_cast<std::size_t>(i)].count));
            }
            QCOMPARE(series->pen().color(), QColor(line.colour.r, line.colour.g, line.colour.b));
            const auto markers = view->chart()->legend()->markers(series);
            QVERIFY(!markers.isEmpty());
            QCOMPARE(markers.front()->isVisible(), line.legend.has_value());
        }
        for (const auto& [alignment, axis] : {std::pair{Qt::AlignBottom, &model.days}, std::pair{Qt::AlignLeft, &model.counts}}) {
            const auto shown = view->chart()->axes(alignment == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical);
            QCOMPARE(shown.size(), qsizetype{1});
            auto* categories = qobject_cast<QCategoryAxis*>(shown.front());
            QVERIFY(categories);
            QStringList labels;
            for (const auto& tick : axis->ticks) labels << QString::fromStdString(tick.label);
            QCOMPARE(categories->categoriesLabels(), labels);
            QCOMPARE(categories->min(), axis->low);
            QCOMPARE(categories->max(), axis->high);
        }
    }

    void wearViewWithoutSamplesSaysSo() {
        ui::HistoryDialog dialog(HistoryRead{});
        auto* view = dialog.findChild<QChartView*>(QStringLiteral("wearChart"));
        QVERIFY(view);
        QVERIFY(view->chart()->series().isEmpty());
        QVERIFY(view->chart()->title().startsWith(QStringLiteral("No counter samples yet")));
        const JapaneseEdition japanese;
        ui::HistoryDialog translated(HistoryRead{});
        QVERIFY(translated.findChild<QTabWidget*>(QStringLiteral("historyTabs"))->tabText(1) != QStringLiteral("Wear"));
    }

    // Yesterday's sample has pin 8 green; the printer now reads it yellow. The window keeps
    // today's sample, tells the desktop once, and the bar's tip gives the forecast.
    void crossingIsToldOnThePrivateBusAndTheTipForecasts() {
        const PrivateBus bus;
        if (bus.address.isEmpty()) QSKIP("dbus-daemon could not be started");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address.toUtf8());
        QDBusConnection recorderBus = QDBusConnection::connectToBus(bus.address, QStringLiteral("zt40-recorder"));
        NotificationRecorder recorder;
        QVERIFY(recorderBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(recorderBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &recorder,
                                           QDBusConnection::ExportAllSlots));
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "the window's session bus is the private one");

        QTemporaryDir dir;
        test::FakeDataFolderPlatform folders;
        folders.override = dir.path().toStdString();
        folders.separator = '/';
        PosixRecordFiles files;
        const UsageRecordPlatform platform{folders, files, "zt40util"};
        QCOMPARE(AppendSample(platform, Sample(DaysAgo(1), "SIM0001", {100, 0, 0, 0, 0, 0, 0, 7'900'000, 0})).outcome,
                 SampleAppend::Added);
        WindowRig window;
        window.rig.Printer().State().pinCounters = {100, 0, 0, 0, 0, 0, 0, 8'100'000, 0};
        window.dialog.SetUsageRecordPlatform(platform);
        window.Open();
        QVERIFY(window.WaitReady());
        QVERIFY(QTest::qWaitFor([&] { return !recorder.notices.empty(); }, 5000));
        QCOMPARE(recorder.notices.size(), std::size_t{1});
        QCOMPARE(recorder.notices[0].summary, QStringLiteral("ZT-40 Pinwarden"));
        QCOMPARE(recorder.notices[0].body,
                 QStringLiteral("Pin 8 of the ZT-40 has reached the yellow band: plan to change the marking pin."));

        // Refresh reads again: the day has its sample, nothing more is told.
        window.dialog.OnRefresh();
        QTest::qWait(200);
        QCOMPARE(recorder.notices.size(), std::size_t{1});

        auto* bars = window.window.findChild<ui::UsageBarsWidget*>(QStringLiteral("usageBars"));
        QVERIFY(bars);
        const BarRect marker = bars->Marker(7);
        const QPoint inBar = bars->pos() + QPoint((marker.left + marker.right) / 2, (marker.top + marker.bottom) / 2);
        QHelpEvent hover(QEvent::ToolTip, inBar, window.window.mapToGlobal(inBar));
        QApplication::sendEvent(&window.window, &hover);
        // 1,900,000 to go at 200,000 a day.
        QCOMPARE(QToolTip::text(), QStringLiteral("Pin 8: 8100000 counts\nin the yellow band, red in about 9 days"));
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
};

ZT40_WINDOW_TEST(WearWindowTest);

}  // namespace
}  // namespace zt40::testing

#include "WearWindowTest.moc"
