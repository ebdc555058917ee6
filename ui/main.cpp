// zt40util: the main window on the printer found through its print queue, or with
// --simulate[=FILE] on the simulated ZT-40 with the simulator's control window beside it.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/CPinwardenDlg.h"
#include "app/ControlIds.h"
#include "platform/sim/SimPrinterRig.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"
#include "ui/DeviceChangeNotifier.h"
#include "ui/HistoryDialog.h"
#include "ui/MainWindow.h"
#include "ui/PlaceBeside.h"
#include "ui/QtMessageBox.h"
#include "ui/SimulatorWindow.h"
#include "ui/Translations.h"
#include "ui/WizardHost.h"
#include "wizards/Sheets.h"
#include "wiring/RecordWiring.h"
#include "wiring/Wiring.h"

namespace {

using namespace zt40;

// A picture is taken once the printer is ready, or after this long without it.
constexpr qint64 kScreenshotPatienceMs = 10'000;

struct Options {
    WiringOptions wiring;
    QString screenshot;           // the main window into this PNG once ready, then end
    QString simulatorScreenshot;  // the simulator's window likewise
    QString wearScreenshot;       // the history window's "Wear" view likewise
    bool printEdition = false;    // say which edition the locale gives, then end
};

constexpr const char* kUsage =
    "usage: zt40util [--simulate[=FILE]] [--queue=NAME] [--screenshot=FILE.png] [--simulator-screenshot=FILE.png]\n"
    "                [--wear-screenshot=FILE.png] [--print-edition]\n"
    "  --simulate[=FILE]   run on a simulated ZT-40 (FILE: its initial state), with its control window\n"
    "  --queue=NAME        use only this print queue's printer (else the first usable queue's)\n"
    "  --screenshot=FILE   once the printer is ready, save the main window as a PNG and end\n"
    "  --simulator-screenshot=FILE   the same for the simulator's control window\n"
    "  --wear-screenshot=FILE   the same for the history window's \"Wear\" view of the counter samples\n"
    "  --print-edition     print the edition the locale picks and the translations found, then end\n";

std::optional<Options> ParseOptions(const QStringList& args) {
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        // Everything after the first '=': a file name may hold one too.
        const QString value = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
        if (arg == QStringLiteral("--simulate") || arg.startsWith(QStringLiteral("--simulate="))) {
            // As zt40ctl: one state file at most, and "--simulate=" names none.
            if (options.wiring.simulate) return std::nullopt;
            options.wiring.simulate = true;
            if (arg == QStringLiteral("--simulate")) continue;
            if (value.isEmpty()) return std::nullopt;
            options.wiring.simulateFile = value.toStdString();
        } else if (arg.startsWith(QStringLiteral("--queue=")) && arg.size() > 8) {
            options.wiring.queue = value.toStdString();
        } else if (arg.startsWith(QStringLiteral("--screenshot="))) {
            options.screenshot = value;
        } else if (arg == QStringLiteral("--print-edition")) {
            options.printEdition = true;
        } else if (arg.startsWith(QStringLiteral("--simulator-screenshot="))) {
            options.simulatorScreenshot = value;
        } else if (arg.startsWith(QStringLiteral("--wear-screenshot="))) {
            options.wearScreenshot = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

bool Save(QWidget& window, const QString& file) {
    if (file.isEmpty()) return true;
    if (!window.grab().save(file, "PNG")) {
        std::fprintf(stderr, "zt40util: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(QFileInfo(file).absoluteFilePath()));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName());
    // The window ends the program through its logic, never because a window was closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const auto options = ParseOptions(QApplication::arguments());
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const auto edition = ui::InstallEdition(app, QLocale::system());
    // Lets an installed copy show, without a display, that its translations are found.
    if (options->printEdition) {
        std::printf("edition: %s\nareas: %s\nqt standard texts: %s\n", qPrintable(edition.language),
                    qPrintable(edition.loadedAreas.join(QLatin1Char(' '))), edition.qtStandardTexts ? "yes" : "no");
        return 0;
    }

    ui::MainWindow window(edition.language);
    ui::QtMessageBox messages(&window);
    auto wired = WirePlatform(options->wiring, messages);
    if (!wired.wiring) {
        std::fprintf(stderr, "%s\n", wired.error.c_str());
        return wired.exitStatus;
    }
    PlatformWiring& wiring = *wired.wiring;
    // The waits for ready, and a command's wait for its answer, pause in the window's event
    // loop, so the window never freezes.
    CPinwardenDlg dialog(wiring.Platform(), window, [&window](std::uint32_t ms) { window.PauseWithEvents(ms); },
                         &wiring.AccessReport(), options->wiring.queue);
    window.Attach(dialog);
    const RecordWiring records;
    dialog.SetUsageRecordPlatform(records.Platform());

    // Each wizard is a local object of the run that shows it, reaching the printer through the dialog.
    CPrintJobSender sender(wiring.Spooler(), messages, EmbeddedJobs());
    const WizardSpooling spooling{wiring.Spooler(), sender};
    window.SetWizardRunner([&dialog, &spooling](WizardKind kind, QWidget& parent) {
        if (kind == WizardKind::ReplaceHead) {
            CChangeHeadSheet sheet(dialog, spooling);
            return ui::RunWizardSheet(sheet, &parent);
        }
        CAdjustPinSheet sheet(dialog, spooling);
        return ui::RunWizardSheet(sheet, &parent);
    });
    QObject::connect(&window, &ui::MainWindow::windowDestroyed, &app, &QCoreApplication::quit);

    auto monitor = wiring.MakeDeviceChangeMonitor(
        [&dialog](std::uint32_t eventType) { dialog.OnDeviceChange(eventType, 0); });
    std::optional<ui::DeviceChangeNotifier> notifier;
    if (monitor) notifier.emplace(*monitor);

    dialog.OnInitDialog();
    ui::AddHistoryCommand(window, records.Platform());
    // In the screen's corner, not its middle: the simulator's window and a wizard each need
    // room beside it, the wizard clear of the switches its power pages wait for.
    if (wiring.Simulator() != nullptr && window.screen() != nullptr) {
        window.move(window.screen()->availableGeometry().topLeft());
    }
    window.show();

    std::optional<ui::SimulatorWindow> simulator;
    if (SimPrinterRig* rig = wiring.Simulator()) {
        simulator.emplace(*rig);
        simulator->adjustSize();
        if (!ui::MoveBeside(*simulator, window)) simulator->move(window.frameGeometry().topRight() + QPoint(12, 0));
        simulator->show();
    }

    // Benchmarks measure start-up to the first completed poll tick.
    if (std::getenv("ZT40_EXIT_AFTER_FIRST_POLL")) {
        QObject::connect(&window, &ui::MainWindow::timerHandled, &app, [](int id) {
            if (id == POLL_TIMER_ID) QCoreApplication::quit();
        });
    }
    QElapsedTimer sinceStart;
    sinceStart.start();
    int exitStatus = 0;
    if (!options->screenshot.isEmpty() || !options->simulatorScreenshot.isEmpty() || !options->wearScreenshot.isEmpty()) {
        QObject::connect(&window, &ui::MainWindow::timerHandled, &app, [&](int id) {
            if (id != POLL_TIMER_ID) return;
            if (!dialog.DeviceReady() && sinceStart.elapsed() < kScreenshotPatienceMs) return;
            if (!dialog.DeviceReady()) std::fprintf(stderr, "zt40util: the printer did not become ready\n");
            bool saved = Save(window, options->screenshot) &&
                         (!simulator || Save(*simulator, options->simulatorScreenshot));
            if (!options->wearScreenshot.isEmpty()) {
                // Read after the poll's read, so the day's sample is in it.
                ui::HistoryDialog history(ReadUsageHistory(records.Platform()), ReadSamples(records.Platform()), &window);
                history.ShowWear();
                // Tall enough for the legend's nine pins in either edition.
                history.resize(history.width(), 560);
                history.show();
                QCoreApplication::processEvents();
                saved = saved && Save(history, options->wearScreenshot);
            }
            exitStatus = saved && dialog.DeviceReady() ? 0 : 1;
            QCoreApplication::quit();
        });
    }
    const int loopStatus = app.exec();
    return exitStatus != 0 ? exitStatus : loopStatus;
}
