#include "ui/WizardHost.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/FocusOutline.h"
#include "ui/PlaceBeside.h"
#include "ui/QtMessageBox.h"
#include "ui/WizardPages.h"
#include "ui/Translations.h"
#include "wizards/Sheets.h"
#include "wizards/WizardButtonTexts.h"

namespace zt40::ui {

WizardHost::WizardHost(CWizardSheet& sheet, QWidget* parent) : QDialog(parent), m_sheet(sheet) {
    setObjectName(QStringLiteral("wizard"));
    setWindowTitle(Translate(kWizardCaption));
    ApplyFocusOutline(*this);
    auto* layout = new QVBoxLayout(this);

    auto* header = new QWidget(this);
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    auto* headerLayout = new QVBoxLayout(header);
    m_title = new QLabel(header);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_subtitle = new QLabel(header);
    m_subtitle->setObjectName(QStringLiteral("subtitle"));
    headerLayout->addWidget(m_title);
    headerLayout->addWidget(m_subtitle);
    layout->addWidget(header);

    m_stack = new QStackedWidget(this);
    for (CWizardPage* page : m_sheet.Pages()) {
        std::unique_ptr<WizardPageWidget> widget = MakeWizardPageWidget(*page);
        if (!widget) widget = std::make_unique<WizardPageWidget>(*page);
        m_stack->addWidget(widget.get());
        m_pages.push_back(std::move(widget));
    }
    layout->addWidget(m_stack, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* buttons = new QHBoxLayout;
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("outcomeNote"));
    m_note->setWordWrap(true);
    buttons->addWidget(m_note, 1);
    m_noteTimer = new QTimer(this);
    m_noteTimer->setSingleShot(true);
    connect(m_noteTimer, &QTimer::timeout, m_note, &QLabel::clear);
    m_back = new OutlinedButton(Translate(kBackText), this);
    m_next = new OutlinedButton(Translate(kNextText), this);
    m_finish = new OutlinedButton(Translate(kFinishText), this);
    m_cancel = new OutlinedButton(Translate(kCancelText), this);
    for (QPushButton* button : {m_back, m_next, m_finish, m_cancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    m_back->setObjectName(QStringLiteral("back"));
    m_next->setObjectName(QStringLiteral("next"));
    m_finish->setObjectName(QStringLiteral("finish"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, &WizardHost::Back);
    connect(m_next, &QPushButton::clicked, this, &WizardHost::Next);
    connect(m_finish, &QPushButton::clicked, this, &WizardHost::Finish);
    connect(m_cancel, &QPushButton::clicked, this, &WizardHost::reject);

    ApplyButtons(0);
    resize(640, 480);
    m_sheet.SetHost(this);
}

WizardHost::~WizardHost() {
    StopAllTimers();
    m_sheet.SetHost(nullptr);
}

void WizardHost::OpenModeless() {
    m_sheet.Open();
    ShowActivePage();
    PlaceBesideParent();
    show();
}

int WizardHost::Run() {
    m_sheet.Open();
    ShowActivePage();
    PlaceBesideParent();
    // Modal to the main window only: with --simulate, the simulator's plug and power switches
    // are what the power pages wait for.
    setWindowModality(Qt::WindowModal);
    return exec();
}

void WizardHost::PlaceBesideParent() {
    if (parentWidget() != nullptr) MoveBeside(*this, *parentWidget()->window());
}

void WizardHost::PostWizardButtons(std::uint32_t buttons) {
    QMetaObject::invokeMethod(this, [this, buttons] { ApplyButtons(buttons); }, Qt::QueuedConnection);
}

// Finish (enabled or not) takes the place of Next, as in the platform's wizards.
void WizardHost::ApplyButtons(std::uint32_t buttons) {
    m_shown = buttons;
    const bool finishShown = (buttons & (kWizFinish | kWizDisabledFinish)) != 0;
    m_back->setEnabled((buttons & kWizBack) != 0);
    m_next->setVisible(!finishShown);
    m_next->setEnabled((buttons & kWizNext) != 0);
    m_finish->setVisible(finishShown);
    m_finish->setEnabled((buttons & kWizFinish) != 0);
}

std::uint32_t WizardHost::SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs) {
    auto& timer = m_timers[{&page, id}];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        connect(timer.get(), &QTimer::timeout, this, [&page, id] { page.OnTimer(id); });
    }
    timer->start(static_cast<int>(periodMs));
    return id;
}

void WizardHost::KillTimer(CWizardPage& page, std::uint32_t timerId) {
    auto it = m_timers.find({&page, timerId});
    if (it != m_timers.end()) it->second->stop();
}

void WizardHost::StopAllTimers() {
    for (auto& [key, timer] : m_timers) timer->stop();
}

WizardPageWidget* WizardHost::ActivePageWidget() const {
    const std::size_t index = m_sheet.ActiveIndex();
    return index < m_pages.size() ? m_pages[index].get() : nullptr;
}

void WizardHost::ShowActivePage() {
    WizardPageWidget* widget = ActivePageWidget();
    if (widget == nullptr) return;
    widget->Refresh();
    m_stack->setCurrentWidget(widget);
    m_title->setText(Translate(widget->Page().Title()));
    m_subtitle->setText(Render(m_sheet.StepOf(m_sheet.ActiveIndex())));
}

void WizardHost::GoToPage(std::size_t index) {
    while (m_sheet.ActiveIndex() < index && m_sheet.Next()) {
    }
    while (m_sheet.ActiveIndex() > index && m_sheet.Back()) {
    }
    ShowActivePage();
}

void WizardHost::Back() {
    if ((m_shown & kWizBack) != 0 && m_sheet.Back()) ShowActivePage();
}

void WizardHost::Next() {
    if ((m_shown & kWizNext) != 0 && m_sheet.Next()) ShowActivePage();
}

void WizardHost::Finish() {
    if ((m_shown & kWizFinish) == 0) return;
    const int result = m_sheet.Finish();
    StopAllTimers();
    done(result);
}

MbResult WizardHost::Ask(const Message& question, MbButtons buttons, MbIcon icon) {
    return QtMessageBox(this).Show(question, buttons, icon);
}

// Both kinds stay on the page, not in a box: a failed print's reason was boxed by the sender.
void WizardHost::ShowOutcome(const Outcome& outcome) {
    QString text = Render(outcome.what);
    if (outcome.why) text += QLatin1Char(' ') + Render(*outcome.why);
    m_note->setText(text);
    m_note->setStyleSheet(outcome.failed ? QStringLiteral("color: #a00000;") : QString());
    if (outcome.failed) {
        m_noteTimer->stop();
    } else {
        m_noteTimer->start(static_cast<int>(kWizardDoneNoteMs));
    }
}

void WizardHost::reject() {
    // The question is the sheet's: every edition asks it alike.
    if (m_sheet.IsOpen() && !m_sheet.ConfirmCancel()) return;
    if (m_sheet.IsOpen()) m_sheet.Cancel();
    StopAllTimers();
    done(kCancelCommand);
}

int RunWizardSheet(CWizardSheet& sheet, QWidget* parent) {
    WizardHost host(sheet, parent);
    return host.Run();
}

}  // namespace zt40::ui
