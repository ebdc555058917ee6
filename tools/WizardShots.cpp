// Renders every wizard page of one edition into PNG files, against a simulated spooler, for
// docs/zt40util.md. Usage: zt40_wizard_shots OUTDIR en|ja
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>

#include <cstdio>
#include <string>

#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimSpooler.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"
#include "ui/Translations.h"
#include "ui/WizardHost.h"
#include "wizards/OriginPin.h"
#include "wizards/Sheets.h"

namespace {

class DemoWindow : public zt40::IPinwardenServices {
public:
    bool MoveHeadToCentre() override { return true; }
    bool ResetPinSettings() override { return true; }
    bool ResetPinCounters() override { return true; }
    bool ApplyPinAdjustments(std::span<const std::int32_t, zt40::kPinCount>) override { return true; }
    std::string GetPrinterName() const override { return std::string(zt40::kSimQueueName); }
};

bool Shoot(zt40::CWizardSheet& sheet, const QString& dir, const QString& prefix) {
    zt40::ui::WizardHost window(sheet);
    window.OpenModeless();
    for (std::size_t i = 0; i < sheet.Pages().size(); ++i) {
        window.GoToPage(i);
        QApplication::processEvents();
        const QString file = QStringLiteral("%1/%2-%3.png").arg(dir, prefix).arg(i + 1);
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "zt40_wizard_shots: cannot write %s\n", qPrintable(file));
            return false;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 || (std::string(argv[2]) != "en" && std::string(argv[2]) != "ja")) {
        std::fprintf(stderr, "usage: zt40_wizard_shots OUTDIR en|ja\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString edition = QString::fromLatin1(argv[2]);
    QDir().mkpath(dir);
    const QLocale locale = edition == QLatin1String("ja") ? QLocale(QLocale::Japanese, QLocale::Japan)
                                                          : QLocale(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(locale);
    const zt40::ui::Edition loaded = zt40::ui::InstallEdition(app, locale);
    if (!loaded.loadedAreas.contains(QStringLiteral("wizards")) && edition == QLatin1String("ja")) {
        std::fprintf(stderr, "zt40_wizard_shots: the Japanese wizard texts are not built in\n");
        return 1;
    }

    zt40::SimSpooler spooler;
    zt40::AddDemoQueue(spooler);
    zt40::RecordingMessageBox messages;
    zt40::CPrintJobSender sender(spooler, messages, zt40::EmbeddedJobs());
    DemoWindow window;
    const zt40::WizardSpooling spooling{spooler, sender};

    zt40::CChangeHeadSheet replace(window, spooling);
    zt40::CAdjustPinSheet adjust(window, spooling);
    zt40::COriginPinSheet origin(window, spooling);
    adjust.m_inputValue.m_positions = {12, 15, 11, 0, 14, 13, 12, 16, 15};
    const bool ok = Shoot(replace, dir, "wizard-" + edition + "-replace-head") &&
                    Shoot(adjust, dir, "wizard-" + edition + "-readjust-pins") &&
                    Shoot(origin, dir, "wizard-" + edition + "-origin-pin");
    return ok ? 0 : 1;
}
