#pragma once
// A small control window beside the main window while it runs on the simulated ZT-40: the
// operator plugs and unplugs the printer and its queue, switches it off and on, makes it
// busy or answer errors, sets its pin counters and sees the jobs it printed.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>

#include <array>

#include "platform/sim/SimControls.h"
#include "platform/sim/SimPrinterRig.h"

namespace zt40::ui {

class SimulatorWindow : public QWidget {
    Q_OBJECT
public:
    // The rig must outlive the window.
    explicit SimulatorWindow(SimPrinterRig& rig, QWidget* parent = nullptr);

    // Takes what changed on the printer or spooler behind the window's back (a pin change,
    // a wizard resetting counters, a new job) into the controls.
    void Sync();

private:
    void SetPinCounter(int pin, int value);
    void SyncJobs();

    SimPrinterRig& m_rig;
    QTimer m_sync;

    QGridLayout m_layout{this};
    QGroupBox m_printerBox{this};
    QGridLayout m_printerLayout{&m_printerBox};
    QCheckBox m_plugged;
    QCheckBox m_powered;
    QCheckBox m_busy;
    QLabel m_answersLabel;
    QComboBox m_answers;

    QGroupBox m_queueBox{this};
    QGridLayout m_queueLayout{&m_queueBox};
    QCheckBox m_queueInstalled;
    QCheckBox m_queueOnline;

    QGroupBox m_countersBox{this};
    QGridLayout m_countersLayout{&m_countersBox};
    std::array<QLabel, kSimPinCount> m_pinLabels;
    std::array<QSpinBox, kSimPinCount> m_pinCounters;
    QPushButton m_allBands;

    QGroupBox m_jobsBox{this};
    QGridLayout m_jobsLayout{&m_jobsBox};
    QListWidget m_jobs;
    QPushButton m_printQueued;
    std::size_t m_jobsShown = 0;
};

}  // namespace zt40::ui
