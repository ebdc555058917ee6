#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QHelpEvent>
#include <QMenu>
#include <QShortcut>
#include <QToolTip>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "app/ControlIds.h"
#include "app/MainWindowModel.h"
#include "app/UsageBar.h"
#include "app/WindowTexts.h"
#include "ui/AboutDialog.h"
#include "ui/AppIcon.h"
#include "ui/DesktopNotifier.h"
#include "ui/FocusOutline.h"
#include "ui/QtMessageBox.h"
#include "ui/Translations.h"

namespace zt40::ui {

namespace {

// The dialog's client area in dialog units.
constexpr int kWidthUnits = 192;
constexpr int kHeightUnits = 288;
constexpr int kDialogPointSize = 9;

QString ControlName(int id) { return QStringLiteral("control%1").arg(id); }

// The reason band of the status area, whole or beside the restore offer.
constexpr UnitRect Units(const std::array<int, 4>& r) { return {r[0], r[1], r[2], r[3]}; }
constexpr UnitRect kReasonBand = Units(kReasonBandUnits);
constexpr UnitRect kReasonBesideOffer = Units(kReasonBesideOfferUnits);

// The program's name: the window's first title (a queue's name replaces it) and the sender
// of its desktop notifications.

}  // namespace

void PrinterListBox::showPopup() {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
}

MainWindow::MainWindow(const QString& language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dialog102"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(Translate(kWindowCaption));
    setWindowIcon(AppIcon());
    ApplyFocusOutline(*this);
    QFont dialogFont = font();
    dialogFont.setPointSize(kDialogPointSize);
    setFont(dialogFont);
    // Bars sit one unit further right in the Japanese dialog.
    const int barsX = language == QStringLiteral("ja") ? 51 : 50;

    m_icon.setObjectName(QStringLiteral("iconStatic"));
    m_icon.setScaledContents(true);
    Place(m_icon, {5, 5, 20, 20});
    m_title.setObjectName(QStringLiteral("titleStatic"));
    m_title.setText(Translate(kTitleText));
    Place(m_title, {35, 15, 65, 8});
    m_cleaning.setText(Translate(kCleaningText));
    Place(m_cleaning, {115, 10, 50, 20});
    m_statusLine.setText(Translate(kConnectRequest));
    Place(m_statusLine, {5, 40, 170, 10});
    // The reason takes the band down to the buttons; the etched line gives way while it shows.
    m_statusReason.setObjectName(QStringLiteral("statusReason"));
    m_statusReason.setWordWrap(true);
    m_statusReason.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont reasonFont = dialogFont;
    reasonFont.setPointSize(kDialogPointSize - 1);
    m_statusReason.setFont(reasonFont);
    m_statusReason.hide();
    Place(m_statusReason, kReasonBand);
    // Runs the same restore as the menu's item; shown only while the values are out of range.
    m_restoreOffer.setObjectName(QStringLiteral("restoreOffer"));
    m_restoreOffer.setText(Translate(kRestoreOfferText));
    m_restoreOffer.setFont(reasonFont);
    m_restoreOffer.hide();
    Place(m_restoreOffer, {101, 50, 86, 15});
    m_etchedLine.setObjectName(QStringLiteral("etchedLine"));
    m_etchedLine.setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Place(m_etchedLine, {5, 55, 175, 1});
    m_replaceHead.setText(Translate(kReplaceHeadText));
    m_replaceHead.setDefault(true);
    Place(m_replaceHead, {15, 70, 70, 20});
    m_readjustPins.setText(Translate(kReadjustPinsText));
    Place(m_readjustPins, {95, 70, 70, 20});
    m_pinGroup.setObjectName(QStringLiteral("pinGroup"));
    m_pinGroup.setTitle(Translate(kPinGroupText));
    Place(m_pinGroup, {10, 105, 165, 175});
    m_pinHint.setObjectName(QStringLiteral("pinHint"));
    m_pinHint.setText(Translate(kPinHintText));
    m_pinHint.setWordWrap(true);
    m_pinHint.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(m_pinHint, {20, 120, 130, 20});
    for (int k = 0; k < kPinCount; ++k) {
        auto& radio = m_pins[static_cast<std::size_t>(k)];
        radio.setParent(this);
        radio.setText(zt40::ui::Render(PinNumberLabel(k)));
        Place(radio, {15, 155 + 10 * k, 30, 10});
        m_pinButtons.addButton(&radio, k);
        m_controls[IDC_PIN_RADIOS[static_cast<std::size_t>(k)]] = &radio;
        radio.setObjectName(ControlName(IDC_PIN_RADIOS[static_cast<std::size_t>(k)]));

        auto& marker = m_markers[static_cast<std::size_t>(k)];
        marker.setParent(this);
        marker.setObjectName(ControlName(IDC_PIN_MARKERS[static_cast<std::size_t>(k)]));
        m_controls[IDC_PIN_MARKERS[static_cast<std::size_t>(k)]] = &marker;
        marker.setText(QStringLiteral("===================>"));
        marker.hide();
        Place(marker, {barsX, 155 + 10 * k, 100, 10});
    }
    m_amountUsed.setObjectName(QStringLiteral("amountUsed"));
    m_amountUsed.setText(Translate(kAmountUsedText));
    Place(m_amountUsed, {barsX, 145, 100, 10});
    m_lastReadNote.setObjectName(QStringLiteral("lastReadNote"));
    m_lastReadNote.setFont(reasonFont);
    m_lastReadNote.setEnabled(false);
    m_lastReadNote.hide();
    Place(m_lastReadNote, {barsX, 246, 100, 9});
    m_refresh.setText(Translate(kRefreshText));
    Place(m_refresh, {15, 255, 70, 20});
    m_applyPinChange.setText(Translate(kApplyPinChangeText));
    Place(m_applyPinChange, {95, 255, 70, 20});
    m_printerList.hide();
    Place(m_printerList, {95, 94, 60, 60});

    const std::pair<int, QWidget*> ids[] = {
        {IDC_CLEANING, &m_cleaning},     {IDC_STATUS_LINE, &m_statusLine}, {IDC_REPLACE_HEAD, &m_replaceHead},
        {IDC_READJUST_PINS, &m_readjustPins}, {IDC_REFRESH, &m_refresh}, {IDC_APPLY_PIN_CHANGE, &m_applyPinChange},
        {IDC_PRINTER_LIST, &m_printerList}};
    for (const auto& [id, widget] : ids) {
        widget->setObjectName(ControlName(id));
        m_controls[id] = widget;
    }

    // Radio buttons, then Refresh and Apply, after the buttons above the group: the dialog's order.
    setTabOrder(&m_cleaning, &m_restoreOffer);
    setTabOrder(&m_restoreOffer, &m_replaceHead);
    setTabOrder(&m_replaceHead, &m_readjustPins);
    setTabOrder(&m_readjustPins, &m_pins.front());
    for (std::size_t k = 1; k < m_pins.size(); ++k) setTabOrder(&m_pins[k - 1], &m_pins[k]);
    setTabOrder(&m_pins.back(), &m_refresh);
    setTabOrder(&m_refresh, &m_applyPinChange);

    // The platform checks the radio button itself, then tells the logic.
    connect(&m_pinButtons, &QButtonGroup::idClicked, this, [this](int k) {
        if (m_dialog) m_dialog->OnPinSelected(k);
    });
    connect(&m_cleaning, &QPushButton::clicked, this, [this] {
        if (m_dialog) m_dialog->OnCleaning();
    });
    connect(&m_replaceHead, &QPushButton::clicked, this, [this] {
        if (m_dialog) m_dialog->OnReplaceHead();
    });
    connect(&m_readjustPins, &QPushButton::clicked, this, [this] {
        if (m_dialog) m_dialog->OnReadjustPins();
    });
    connect(&m_refresh, &QPushButton::clicked, this, [this] {
        if (m_dialog) m_dialog->OnRefresh();
    });
    connect(&m_applyPinChange, &QPushButton::clicked, this, [this] {
        if (m_dialog) m_dialog->OnApplyPinChange();
    });
    connect(&m_restoreOffer, &QPushButton::clicked, this, [this] {
        if (m_dialog) m_dialog->OnSysCommand(IDM_RESTORE_SETTINGS, 0);
    });
    m_printerList.onDropDown = [this] {
        if (!m_dialog) return;
        m_dialog->OnPrinterListDropDown();
        m_printerList.clear();
        for (const auto& name : m_dialog->PrinterList()) m_printerList.addItem(QString::fromStdString(name));
    };
    connect(&m_printerList, &QComboBox::activated, this, [this](int index) {
        if (m_dialog && index >= 0) m_dialog->OnPrinterListSelChange(static_cast<std::size_t>(index));
    });

    // Shift+F10 opens the window's menu from the keyboard, at the control that has the focus.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* at = focusWidget() != nullptr ? focusWidget() : this;
        QMenu::exec(actions(), at->mapToGlobal(at->rect().center()), nullptr, this);
    });

    // The commands of the window's menu are offered where the desktop offers a window's menu.
    setContextMenuPolicy(Qt::ActionsContextMenu);

    const DialogUnits units = DialogUnits::FromFont(dialogFont);
    m_icon.setPixmap(AppIcon().pixmap(units.Map({0, 0, 20, 20}).size()));
    resize(units.Map(kWidthUnits, kHeightUnits));
    // Smaller clips the labels, much larger only makes giant buttons.
    setMinimumSize(units.Map(kWidthUnits, kHeightUnits));
    setMaximumSize(units.Map(kWidthUnits * 2, kHeightUnits * 2));
    ApplyLayout(units);
}

MainWindow::~MainWindow() {
    // Timers and actions go before the logic they call could be gone.
    m_timers.clear();
    m_menu.clear();
}

void MainWindow::Place(QWidget& widget, const UnitRect& rect) { m_placed.push_back({&widget, rect}); }

void MainWindow::ApplyLayout(const DialogUnits& units) {
    for (const auto& placed : m_placed) {
        QRect rect = units.Map(placed.rect);
        // A wider font's text may need more than the design gave it once the focus outline is
        // round it: the button grows about its middle, where the design put it.
        if (const auto* button = qobject_cast<const QPushButton*>(placed.widget)) {
            const int more = OutlinedTextSize(*button).width() - rect.width();
            if (more > 0) rect.adjust(-more / 2, 0, more - more / 2, 0);
        }
        placed.widget->setGeometry(rect);
    }
    std::array<QRect, kPinCount> markers;
    for (std::size_t k = 0; k < markers.size(); ++k) markers[k] = m_markers[k].geometry();
    m_bars.SetMarkers(markers);
    m_bars.raise();
}

// The layout scales with the window, as it scales with the font.
DialogUnits MainWindow::CurrentUnits() const {
    return DialogUnits(width() / double(kWidthUnits), height() / double(kHeightUnits));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ApplyLayout(CurrentUnits());
}

QWidget* MainWindow::Control(int controlId) const {
    const auto found = m_controls.find(controlId);
    return found == m_controls.end() ? nullptr : found->second;
}

QAction* MainWindow::MenuAction(int commandId) const {
    const auto found = m_menuCommands.find(commandId);
    return found == m_menuCommands.end() ? nullptr : found->second;
}

int MainWindow::StartTimer(int timerId, std::uint32_t periodMs) {
    if (timerId == 0) return 0;
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(static_cast<int>(periodMs));
    connect(timer.get(), &QTimer::timeout, this, [this, timerId] {
        if (m_dialog) m_dialog->OnTimer(timerId);
        emit timerHandled(timerId);
    });
    timer->start();
    m_timers[timerId] = std::move(timer);
    return timerId;
}

void MainWindow::StopTimer(int timerId) { m_timers.erase(timerId); }

void MainWindow::AppendMenuItem(int commandId, Text text) {
    auto separator = std::make_unique<QAction>();
    separator->setSeparator(true);
    addAction(separator.get());
    m_menu.push_back(std::move(separator));

    auto action = std::make_unique<QAction>(Translate(text));
    action->setObjectName(QStringLiteral("command%1").arg(commandId));
    connect(action.get(), &QAction::triggered, this, [this, commandId] {
        if (m_dialog) m_dialog->OnSysCommand(commandId, 0);
    });
    addAction(action.get());
    m_menuCommands[commandId] = action.get();
    m_menu.push_back(std::move(action));
}

MbResult MainWindow::ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) {
    return QtMessageBox(this).Show(message, buttons, icon);
}

void MainWindow::Render(const MainWindowState& state) {
    setWindowTitle(zt40::ui::Render(state.caption));
    for (QWidget* action : {static_cast<QWidget*>(&m_cleaning), static_cast<QWidget*>(&m_replaceHead),
                            static_cast<QWidget*>(&m_readjustPins), static_cast<QWidget*>(&m_refresh),
                            static_cast<QWidget*>(&m_restoreOffer)}) {
        action->setEnabled(state.actionsEnabled);
    }
    for (auto& pin : m_pins) pin.setEnabled(state.actionsEnabled);
    m_applyPinChange.setEnabled(state.applyEnabled);
    m_printerList.setEnabled(state.printerListEnabled);
    if (QAction* restore = MenuAction(IDM_RESTORE_SETTINGS)) restore->setEnabled(state.actionsEnabled);
    m_statusLine.setText(zt40::ui::Render(state.statusLine));
    // The band takes the room down to the buttons; the etched line gives way while it shows.
    const QString band = state.Band() ? zt40::ui::Render(*state.Band()) : QString();
    m_statusReason.setText(band);
    m_statusReason.setToolTip(band);
    m_statusReason.setVisible(!band.isEmpty());
    m_etchedLine.setVisible(band.isEmpty());
    RenderData(state.data);
    RenderWait(state.wait);
    if (state.busy != m_busyCursor) {
        m_busyCursor = state.busy;
        if (m_busyCursor) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }
}

void MainWindow::RenderData(const DialogData& shown) {
    // An index outside 0..8 (a failed pin read gives -2) leaves every button unchecked.
    QAbstractButton* checked = m_pinButtons.button(shown.selectedPin);
    if (checked) {
        checked->setChecked(true);
    } else {
        m_pinButtons.setExclusive(false);
        for (auto& pin : m_pins) pin.setChecked(false);
        m_pinButtons.setExclusive(true);
    }
    m_bars.SetCounts(shown.shownUsage);
    m_bars.SetGreyed(!shown.connected);
    const std::optional<Message> lastRead = zt40::LastReadNote(shown);
    m_lastReadNote.setText(lastRead ? zt40::ui::Render(*lastRead) : QString());
    m_lastReadNote.setVisible(lastRead.has_value());
    std::array<QString, kPinCount> tips;
    for (std::size_t i = 0; i < tips.size(); ++i) tips[i] = zt40::ui::Render(BarTip(shown, i));
    m_bars.SetTips(tips);
    if (m_restoreOffer.isHidden() == shown.offerRestore) {
        m_restoreOffer.setVisible(shown.offerRestore);
        for (auto& placed : m_placed) {
            if (placed.widget == &m_statusReason) placed.rect = shown.offerRestore ? kReasonBesideOffer : kReasonBand;
        }
        ApplyLayout(CurrentUnits());
    }
    m_bars.update();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = m_bars.geometry().contains(help->pos()) ? m_bars.TipAt(help->pos() - m_bars.pos()) : QString();
        if (!tip.isEmpty()) {
            QToolTip::showText(help->globalPos(), tip, this);
            return true;
        }
    }
    return QDialog::event(event);
}

void MainWindow::NotifyWear(const std::vector<BandCrossing>& crossings) {
    for (const auto& crossing : crossings) {
        DesktopNotifier::Notify(Translate(kWindowCaption), zt40::ui::Render(CrossingText(crossing)));
    }
}

void MainWindow::Repaint() {
    update();
    m_bars.update();
}

void MainWindow::RenderWait(const std::optional<WaitView>& wait) {
    if (!wait) {
        m_waitState = {};
        m_waitText = nullptr;
        m_waitCancel = nullptr;
        m_wait.reset();
        return;
    }
    m_waitState = {zt40::ui::Render(wait->doing), wait->cancellable, true};
    if (m_waitText != nullptr) m_waitText->setText(m_waitState.text);
    if (m_waitCancel != nullptr) m_waitCancel->setVisible(wait->cancellable);
}

void MainWindow::ShowWaitDialog() {
    if (m_waitState.begun && !m_wait) {
        // Over the topmost dialog (a wizard's page may be waiting), modal to it alone.
        m_wait = std::make_unique<QDialog>(ModalParent(this));
        m_wait->setObjectName(QStringLiteral("waitDialog"));
        m_wait->setWindowTitle(QtMessageBox::Caption());
        m_wait->setWindowModality(Qt::WindowModal);
        auto* layout = new QVBoxLayout(m_wait.get());
        m_waitText = new QLabel(m_waitState.text, m_wait.get());
        m_waitText->setObjectName(QStringLiteral("waitText"));
        layout->addWidget(m_waitText);
        // Qt's own Cancel, in the edition's words.
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, m_wait.get());
        QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
        cancel->setObjectName(QStringLiteral("waitCancel"));
        cancel->setVisible(m_waitState.cancellable);
        m_waitCancel = cancel;
        layout->addWidget(buttons);
        connect(cancel, &QPushButton::clicked, this, [this] {
            if (m_dialog != nullptr) m_dialog->OnCancelWait();
        });
        // Escape and the close box cancel what may be cancelled, and close nothing.
        connect(m_wait.get(), &QDialog::rejected, this, [this] {
            if (m_waitState.cancellable && m_dialog != nullptr) m_dialog->OnCancelWait();
            if (m_wait) m_wait->show();
        });
        m_wait->show();
    }
}

void MainWindow::PauseWithEvents(std::uint32_t ms) {
    ShowWaitDialog();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec(m_wait ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::PauseInCommand(std::uint32_t ms, IClock&) {
    // A wait on show says what the window is doing; its Cancel is handled after the command.
    ShowWaitDialog();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

void MainWindow::ShowAbout() {
    AboutDialog about(ModalParent(this));
    about.setWindowModality(Qt::WindowModal);
    about.exec();
}

int MainWindow::RunWizard(WizardKind kind) { return m_wizardRunner ? m_wizardRunner(kind, *this) : 0; }

void MainWindow::DestroyWindow() {
    if (m_destroyed) return;
    m_destroyed = true;
    m_timers.clear();
    hide();
    emit windowDestroyed();
}

void MainWindow::Close() {
    if (m_destroyed) return;
    if (m_dialog) {
        m_dialog->DestroyWindow();
    } else {
        DestroyWindow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The logic stops its poll and then destroys the window; Qt must not close it on its own.
    event->ignore();
    Close();
}

void MainWindow::reject() { Close(); }

}  // namespace zt40::ui
