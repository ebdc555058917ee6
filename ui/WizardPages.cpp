#include "ui/WizardPages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/FocusOutline.h"
#include "ui/Translations.h"
#include "ui/WizardPictures.h"

namespace zt40::ui {

namespace {

QString ControlName(int id) { return QStringLiteral("control%1").arg(id); }

void Name(QWidget& widget, int id) {
    if (id != 0) widget.setObjectName(ControlName(id));
}

QLabel* TextLabel(const Message& text, QWidget* parent) {
    auto* label = new QLabel(Render(text), parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A busy cursor while a page's handler talks to the printer or the spooler in one long step.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

bool JapaneseEdition() { return QLocale().language() == QLocale::Japanese; }

// The page decides every position; the bar only reports which way the operator pushed it.
int ScrollCode(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return kScrollLineLeft;
    case QAbstractSlider::SliderSingleStepAdd: return kScrollLineRight;
    case QAbstractSlider::SliderPageStepSub: return kScrollPageLeft;
    case QAbstractSlider::SliderPageStepAdd: return kScrollPageRight;
    case QAbstractSlider::SliderMove: return kScrollThumbTrack;
    default: return -1;
    }
}

}  // namespace

// The texts and controls on the left, the step's pictures down the right-hand side; a button
// that follows a choice goes on the choice's row.
WizardPageWidget::WizardPageWidget(CWizardPage& page, QWidget* parent) : QWidget(parent), m_page(page) {
    setObjectName(QStringLiteral("page%1").arg(page.DialogId()));
    const PageContent content = page.Content();
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    row->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    for (const StepPicture& picture : content.pictures) {
        right->addWidget(new WizardPictureWidget(picture.For(JapaneseEdition()), this), 1);
    }
    row->addLayout(right);
    QHBoxLayout* choiceRow = nullptr;
    for (const PageControl& control : content.controls) {
        Built built = Build(control);
        if (control.kind == PageControlKind::Button && choiceRow != nullptr) {
            choiceRow->insertWidget(choiceRow->count() - 1, built.widgets.front());
        } else if (control.kind == PageControlKind::Choice) {
            choiceRow = new QHBoxLayout;
            for (QWidget* widget : built.widgets) choiceRow->addWidget(widget);
            choiceRow->addStretch();
            left->addLayout(choiceRow);
        } else if (control.kind == PageControlKind::Sliders) {
            auto* grid = new QGridLayout;
            for (std::size_t i = 0; i < built.widgets.size(); ++i) {
                grid->addWidget(built.widgets[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
            }
            left->addLayout(grid);
        } else if (control.sign) {
            auto* signRow = new QHBoxLayout;
            signRow->addWidget(built.widgets[0], 0, Qt::AlignTop);
            signRow->addWidget(built.widgets[1], 1);
            left->addLayout(signRow);
        } else {
            left->addWidget(built.widgets.front(), 0, control.kind == PageControlKind::Button ? Qt::AlignLeft : Qt::Alignment());
        }
        if (control.kind != PageControlKind::Choice && control.kind != PageControlKind::Button) choiceRow = nullptr;
        m_built.push_back(std::move(built));
    }
    left->addStretch();
}

WizardPageWidget::Built WizardPageWidget::Build(const PageControl& control) {
    Built built;
    switch (control.kind) {
    case PageControlKind::Text:
    case PageControlKind::Note: {
        if (control.sign) {
            auto* sign = new WizardPictureWidget(*control.sign, this);
            sign->setFixedSize(48, 50);
            built.widgets.push_back(sign);
        }
        QLabel* label = TextLabel(control.text, this);
        Name(*label, control.id);
        built.widgets.push_back(label);
        if (control.kind == PageControlKind::Note) built.note = label;
        break;
    }
    case PageControlKind::Button: {
        auto* button = new OutlinedButton(Render(control.text), this);
        Name(*button, control.id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = control.id] { Press(id); });
        built.button = button;
        built.widgets.push_back(button);
        break;
    }
    case PageControlKind::Choice: {
        auto* label = new QLabel(Render(control.text), this);
        Name(*label, control.labelId);
        built.combo = new QComboBox(this);
        Name(*built.combo, control.id);
        for (const Message& choice : control.choices) built.combo->addItem(Render(choice));
        built.widgets = {label, built.combo};
        break;
    }
    case PageControlKind::Radios: {
        auto* group = new QGroupBox(Render(control.text), this);
        auto* grid = new QGridLayout(group);
        built.radios = new QButtonGroup(this);
        for (std::size_t i = 0; i < control.choices.size(); ++i) {
            const int index = static_cast<int>(i);
            auto* radio = new QRadioButton(Render(control.choices[i]), group);
            Name(*radio, control.id + index);
            built.radios->addButton(radio, index);
            grid->addWidget(radio, index / 3, index % 3);
        }
        built.widgets.push_back(group);
        break;
    }
    case PageControlKind::Sliders:
        for (const SliderRow& row : control.rows) {
            auto* bar = new QScrollBar(Qt::Horizontal, this);
            Name(*bar, row.barId);
            bar->setRange(0, control.maximum);
            bar->setSingleStep(1);
            bar->setPageStep(control.pageStep);
            bar->setMinimumWidth(160);
            // A slider the keyboard cannot reach could not be set without a mouse; a scroll bar's
            // keys run against the reading, which grows to the right.
            bar->setFocusPolicy(Qt::StrongFocus);
            bar->setInvertedControls(false);
            auto* value = new QLabel(this);
            Name(*value, row.labelId);
            value->setMinimumWidth(40);
            connect(bar, &QScrollBar::actionTriggered, this, [this, row, bar](int action) { Scroll(row, *bar, action); });
            built.widgets.insert(built.widgets.end(), {new QLabel(Render(row.name), this), bar, value});
            built.bars.push_back(bar);
            built.values.push_back(value);
        }
        break;
    }
    return built;
}

void WizardPageWidget::Refresh() {
    const PageContent content = m_page.Content();
    for (std::size_t i = 0; i < content.controls.size() && i < m_built.size(); ++i) Apply(content.controls[i], m_built[i]);
}

void WizardPageWidget::Apply(const PageControl& control, Built& built) {
    for (QWidget* widget : built.widgets) widget->setVisible(control.shown);
    if (built.button != nullptr) built.button->setEnabled(control.enabled);
    if (built.combo != nullptr) built.combo->setCurrentIndex(control.chosen);
    if (built.radios != nullptr) {
        if (QAbstractButton* radio = built.radios->button(control.chosen)) radio->setChecked(true);
    }
    if (built.note != nullptr) {
        built.note->setText(Render(control.text));
        built.note->setStyleSheet(control.failed ? QStringLiteral("color: #a00000;") : QString());
    }
    for (std::size_t i = 0; i < control.rows.size() && i < built.bars.size(); ++i) {
        built.bars[i]->setValue(control.rows[i].position);
        built.values[i]->setText(Render(control.rows[i].value));
    }
}

// As a dialog's data exchange before a command: the page learns what is chosen, then the press.
void WizardPageWidget::Press(int id) {
    BusyCursor busy;
    const PageContent content = m_page.Content();
    for (std::size_t i = 0; i < content.controls.size() && i < m_built.size(); ++i) {
        const Built& built = m_built[i];
        if (built.combo != nullptr) m_page.OnEvent(PageEvent::Chosen(content.controls[i].id, built.combo->currentIndex()));
        if (built.radios != nullptr && built.radios->checkedId() >= 0) {
            m_page.OnEvent(PageEvent::Chosen(content.controls[i].id, built.radios->checkedId()));
        }
    }
    m_page.OnEvent(PageEvent::Pressed(id));
    Refresh();
}

void WizardPageWidget::Scroll(const SliderRow& row, QScrollBar& bar, int action) {
    const int code = ScrollCode(action);
    if (code >= 0) m_page.OnEvent(PageEvent::Scrolled(row.barId, code, bar.sliderPosition()));
    Refresh();
    // Inside this signal the bar has not yet taken the action's value: this replaces it.
    bar.setSliderPosition(bar.value());
}

std::unique_ptr<WizardPageWidget> MakeWizardPageWidget(CWizardPage& page) { return std::make_unique<WizardPageWidget>(page); }

}  // namespace zt40::ui
