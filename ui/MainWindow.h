#pragma once
// The main window on Qt: dialog 102's controls in its dialog-unit layout, carrying out what
// the main dialog's logic decides and forwarding the operator's actions to it.
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/CPinwardenDlg.h"
#include "app/PinwardenView.h"
#include "ui/DialogUnits.h"
#include "ui/UsageBarsWidget.h"

namespace zt40::ui {

// The hidden queue list tells the logic when it is dropped down, as the desktop's list does.
class PrinterListBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    std::function<void()> onDropDown;

protected:
    void showPopup() override;
};

class MainWindow final : public QDialog, public IPinwardenView {
    Q_OBJECT
public:
    // Runs a wizard modally over the window; the wizards' own layer provides it.
    using WizardRunner = std::function<int(WizardKind kind, QWidget& parent)>;

    // `language` is the edition's ("en" or "ja"): the Japanese dialog places its bars one unit
    // further right.
    explicit MainWindow(const QString& language = QStringLiteral("en"), QWidget* parent = nullptr);
    ~MainWindow() override;

    // The logic the window forwards to; it must outlive the window's events.
    void Attach(CPinwardenDlg& dialog) { m_dialog = &dialog; }
    void SetWizardRunner(WizardRunner runner) { m_wizardRunner = std::move(runner); }
    // Whether DestroyWindow has ended the window.
    bool Destroyed() const { return m_destroyed; }

    // Controls by the id the logic knows them by; null for an unknown id.
    QWidget* Control(int controlId) const;
    // The menu the desktop offers for the window (its context menu), in order.
    QList<QAction*> MenuActions() const { return actions(); }
    QAction* MenuAction(int commandId) const;
    const UsageBarsWidget& Bars() const { return m_bars; }
    QLabel& StatusReason() { return m_statusReason; }
    // The status area's "Restoration of setting", shown while the printer's values are out of range.
    QPushButton& RestoreOffer() { return m_restoreOffer; }
    // Under the bars while the printer is not connected: when they were last read.
    const QLabel& LastReadNote() const { return m_lastReadNote; }

    // IPinwardenView
    int StartTimer(int timerId, std::uint32_t periodMs) override;
    void StopTimer(int timerId) override;
    void AppendMenuItem(int commandId, Text text) override;
    MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) override;
    void Render(const MainWindowState& state) override;
    void Repaint() override;
    void ShowAbout() override;

    // The session's pause between status reads: the event loop runs meanwhile, so the window
    // repaints, the simulator stays usable and a wait's Cancel can be pressed. Until a wait's
    // dialog is up (a pause outside BeginWait), the operator's input waits in the queue.
    void PauseWithEvents(std::uint32_t ms);
    void PauseInCommand(std::uint32_t ms, IClock& clock) override;
    // The wait's dialog while one is shown (tests, benchmarks), else null.
    QDialog* WaitDialog() const { return m_wait.get(); }
    int RunWizard(WizardKind kind) override;
    void DestroyWindow() override;
    void NotifyWear(const std::vector<BandCrossing>& crossings) override;

signals:
    // The window has been destroyed through the logic: the program ends.
    void windowDestroyed();
    // A timer tick has been handled by the logic.
    void timerHandled(int timerId);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A tip over a usage bar: the pin's count and its wear forecast.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // The wait dialog over the topmost dialog, once a wait has begun and while none is shown.
    void ShowWaitDialog();
    void RenderData(const DialogData& shown);
    void RenderWait(const std::optional<WaitView>& wait);
    struct Placed {
        QWidget* widget;
        UnitRect rect;
    };

    void Place(QWidget& widget, const UnitRect& rect);
    void ApplyLayout(const DialogUnits& units);
    DialogUnits CurrentUnits() const;
    void Close();

    CPinwardenDlg* m_dialog = nullptr;
    WizardRunner m_wizardRunner;
    bool m_destroyed = false;
    // The wait the state announced: shown as a dialog once the first pause comes.
    struct WaitShown {
        QString text;
        bool cancellable = false;
        bool begun = false;
    } m_waitState;
    std::unique_ptr<QDialog> m_wait;
    QLabel* m_waitText = nullptr;
    QPushButton* m_waitCancel = nullptr;
    bool m_busyCursor = false;
    std::map<int, std::unique_ptr<QTimer>> m_timers;
    std::vector<std::unique_ptr<QAction>> m_menu;
    std::map<int, QAction*> m_menuCommands;
    std::vector<Placed> m_placed;
    std::map<int, QWidget*> m_controls;

    // Children in tab order; the group box before what it frames.
    QLabel m_icon{this};
    QLabel m_title{this};
    QPushButton m_cleaning{this};
    QLabel m_statusLine{this};
    QLabel m_statusReason{this};
    QFrame m_etchedLine{this};
    QPushButton m_restoreOffer{this};
    QPushButton m_replaceHead{this};
    QPushButton m_readjustPins{this};
    QGroupBox m_pinGroup{this};
    QLabel m_pinHint{this};
    std::array<QRadioButton, kPinCount> m_pins;
    std::array<QLabel, kPinCount> m_markers;
    QLabel m_amountUsed{this};
    UsageBarsWidget m_bars{this};
    QLabel m_lastReadNote{this};
    QPushButton m_refresh{this};
    QPushButton m_applyPinChange{this};
    PrinterListBox m_printerList{this};
    QButtonGroup m_pinButtons;
};

}  // namespace zt40::ui
