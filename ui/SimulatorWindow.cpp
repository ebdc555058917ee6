#include "ui/SimulatorWindow.h"

#include <limits>

#include "ui/AppIcon.h"
#include "ui/Translations.h"

namespace zt40::ui {

namespace {

constexpr int kSyncMs = 500;

QString JobLine(const SimJob& job) {
    return Render(SimJobLine(job, Translate(SimJobStateText(job.state)).toStdString()));
}

}  // namespace

SimulatorWindow::SimulatorWindow(SimPrinterRig& rig, QWidget* parent) : QWidget(parent), m_rig(rig) {
    setObjectName(QStringLiteral("simulatorWindow"));
    setWindowTitle(Translate(simtext::kTitle));
    setWindowIcon(AppIcon());

    m_printerBox.setTitle(Translate(simtext::kPrinter));
    m_plugged.setText(Translate(simtext::kPlugged));
    m_powered.setText(Translate(simtext::kPowered));
    m_busy.setText(Translate(simtext::kBusy));
    m_answersLabel.setText(Translate(simtext::kAnswers));
    m_answersLabel.setBuddy(&m_answers);
    for (const auto& text : kSimAnswersTexts) m_answers.addItem(Translate(text));
    m_plugged.setObjectName(QStringLiteral("simPlugged"));
    m_powered.setObjectName(QStringLiteral("simPowered"));
    m_busy.setObjectName(QStringLiteral("simBusy"));
    m_answers.setObjectName(QStringLiteral("simAnswers"));
    m_printerLayout.addWidget(&m_plugged, 0, 0, 1, 2);
    m_printerLayout.addWidget(&m_powered, 1, 0, 1, 2);
    m_printerLayout.addWidget(&m_busy, 2, 0, 1, 2);
    m_printerLayout.addWidget(&m_answersLabel, 3, 0);
    m_printerLayout.addWidget(&m_answers, 3, 1);

    m_queueBox.setTitle(Render(SimQueueTitle(m_rig.QueueName())));
    m_queueInstalled.setText(Translate(simtext::kQueueInstalled));
    m_queueOnline.setText(Translate(simtext::kQueueOnline));
    m_queueInstalled.setObjectName(QStringLiteral("simQueueInstalled"));
    m_queueOnline.setObjectName(QStringLiteral("simQueueOnline"));
    m_queueLayout.addWidget(&m_queueInstalled, 0, 0);
    m_queueLayout.addWidget(&m_queueOnline, 1, 0);

    m_countersBox.setTitle(Translate(simtext::kCounters));
    for (int i = 0; i < kSimPinCount; ++i) {
        auto& label = m_pinLabels[static_cast<std::size_t>(i)];
        auto& spin = m_pinCounters[static_cast<std::size_t>(i)];
        label.setText(Render(SimPinLabel(i + 1)));
        spin.setObjectName(QStringLiteral("simPin%1").arg(i + 1));
        // Negative counts are what a damaged printer may hold; the window shows them unlit.
        spin.setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        spin.setSingleStep(500'000);
        spin.setGroupSeparatorShown(true);
        m_countersLayout.addWidget(&label, i, 0);
        m_countersLayout.addWidget(&spin, i, 1);
        connect(&spin, &QSpinBox::valueChanged, this, [this, i](int value) { SetPinCounter(i, value); });
    }
    m_allBands.setText(Translate(simtext::kAllBands));
    m_allBands.setObjectName(QStringLiteral("simAllBands"));
    m_countersLayout.addWidget(&m_allBands, kSimPinCount, 0, 1, 2);

    m_jobsBox.setTitle(Translate(simtext::kJobs));
    m_jobs.setObjectName(QStringLiteral("simJobs"));
    // A few lines are enough: the adjustment jobs come one at a time.
    m_jobs.setMaximumHeight(m_jobs.fontMetrics().height() * 5);
    m_printQueued.setText(Translate(simtext::kPrintQueued));
    m_printQueued.setObjectName(QStringLiteral("simPrintQueued"));
    m_jobsLayout.addWidget(&m_jobs, 0, 0);
    m_jobsLayout.addWidget(&m_printQueued, 1, 0);

    m_layout.addWidget(&m_printerBox, 0, 0);
    m_layout.addWidget(&m_queueBox, 1, 0);
    m_layout.addWidget(&m_countersBox, 0, 1, 2, 1);
    m_layout.addWidget(&m_jobsBox, 2, 0, 1, 2);

    Sync();

    auto& printer = m_rig.Printer();
    connect(&m_plugged, &QCheckBox::toggled, this, [&printer](bool on) { on ? printer.Plug() : printer.Unplug(); });
    connect(&m_powered, &QCheckBox::toggled, this, [&printer](bool on) { on ? printer.PowerOn() : printer.PowerOff(); });
    connect(&m_busy, &QCheckBox::toggled, this, [this](bool on) { SetSimBusy(m_rig.Printer(), on); });
    connect(&m_answers, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetSimAnswers(m_rig.Printer(), static_cast<SimAnswers>(index)); });
    connect(&m_queueInstalled, &QCheckBox::toggled, this, [this](bool on) { m_rig.InstallQueue(on); });
    connect(&m_queueOnline, &QCheckBox::toggled, this, [this](bool on) { m_rig.SetQueueOffline(!on); });
    connect(&m_allBands, &QPushButton::clicked, this, [this] {
        const auto counters = AllBandsCounters();
        for (std::size_t i = 0; i < counters.size(); ++i) m_pinCounters[i].setValue(counters[i]);
    });
    connect(&m_printQueued, &QPushButton::clicked, this, [this] {
        m_rig.Spooler().PrintQueuedJobs();
        SyncJobs();
    });

    connect(&m_sync, &QTimer::timeout, this, &SimulatorWindow::Sync);
    m_sync.start(kSyncMs);
}

void SimulatorWindow::SetPinCounter(int pin, int value) {
    m_rig.Printer().State().pinCounters[static_cast<std::size_t>(pin)] = value;
}

void SimulatorWindow::Sync() {
    const auto& printer = m_rig.Printer();
    const QSignalBlocker blockPlugged(m_plugged), blockPowered(m_powered), blockBusy(m_busy),
        blockInstalled(m_queueInstalled), blockOnline(m_queueOnline), blockAnswers(m_answers);
    m_plugged.setChecked(printer.IsPlugged());
    m_powered.setChecked(printer.IsPowered());
    m_busy.setChecked(SimBusy(printer));
    m_answers.setCurrentIndex(static_cast<int>(CurrentSimAnswers(printer)));
    m_queueInstalled.setChecked(m_rig.QueueInstalled());
    m_queueOnline.setChecked(!m_rig.QueueOffline());
    m_queueOnline.setEnabled(m_rig.QueueInstalled());
    for (std::size_t i = 0; i < m_pinCounters.size(); ++i) {
        auto& spin = m_pinCounters[i];
        // The operator may be typing a value; the printer's own changes wait until they are done.
        if (spin.hasFocus()) continue;
        const QSignalBlocker block(spin);
        spin.setValue(printer.State().pinCounters[i]);
    }
    SyncJobs();
}

void SimulatorWindow::SyncJobs() {
    const auto& jobs = m_rig.Spooler().Jobs();
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const QString line = JobLine(jobs[i]);
        if (i < m_jobsShown) {
            if (m_jobs.item(static_cast<int>(i))->text() != line) m_jobs.item(static_cast<int>(i))->setText(line);
        } else {
            m_jobs.addItem(line);
        }
    }
    m_jobsShown = jobs.size();
}

}  // namespace zt40::ui
