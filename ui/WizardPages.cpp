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

#include <array>
#include <initializer_list>

#include "ui/WizardPictures.h"
#include "ui/Translations.h"
#include "wizards/HeadPages.h"
#include "wizards/OriginPin.h"
#include "wizards/PowerPages.h"
#include "wizards/Sheets.h"

namespace zt40::ui {

namespace {

QString ControlName(int id) { return QStringLiteral("control%1").arg(id); }

QLabel* TextLabel(Text text, QWidget* parent) {
    auto* label = new QLabel(Translate(text), parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* Button(Text text, int id, QWidget* parent) {
    auto* button = new QPushButton(Translate(text), parent);
    button->setObjectName(ControlName(id));
    button->setAutoDefault(false);
    return button;
}

// The texts and controls on the left, the step's pictures down the right-hand side.
QVBoxLayout* Frame(QWidget* page, std::initializer_list<WizardPicture> pictures) {
    auto* row = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    row->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    for (const WizardPicture picture : pictures) right->addWidget(new WizardPictureWidget(picture, page), 1);
    row->addLayout(right);
    return left;
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

class TextPage final : public WizardPageWidget {
public:
    TextPage(CWizardPage& page, Text text, WizardPicture picture) : WizardPageWidget(page) {
        QVBoxLayout* left = Frame(this, {picture});
        left->addWidget(TextLabel(text, this));
        left->addStretch();
    }
};

class MoveHeadWidget final : public WizardPageWidget {
public:
    explicit MoveHeadWidget(CMoveHeadPage& page) : WizardPageWidget(page) {
        QVBoxLayout* left = Frame(this, {WizardPicture::MoveHead});
        QPushButton* move = Button(CMoveHeadPage::kMoveHeadText, CMoveHeadPage::kMoveHeadButton, this);
        left->addWidget(move, 0, Qt::AlignLeft);
        left->addWidget(TextLabel(CMoveHeadPage::kInstruction, this));
        left->addStretch();
        connect(move, &QPushButton::clicked, this, [&page] {
            BusyCursor busy;
            page.OnMoveHead();
        });
    }
};

class ReplaceHeadWidget final : public WizardPageWidget {
public:
    explicit ReplaceHeadWidget(CReplaceHeadPage& page) : WizardPageWidget(page) {
        QVBoxLayout* left = Frame(this, {WizardPicture::ReplaceHead});
        left->addWidget(TextLabel(CReplaceHeadPage::kInstruction, this));
        auto* caution = new QHBoxLayout;
        auto* sign = new WizardPictureWidget(WizardPicture::Caution, this);
        sign->setFixedSize(48, 50);
        caution->addWidget(sign, 0, Qt::AlignTop);
        caution->addWidget(TextLabel(CReplaceHeadPage::kCaution, this), 1);
        left->addLayout(caution);
        left->addStretch();
    }
};

class AdjustPinWidget final : public WizardPageWidget {
public:
    explicit AdjustPinWidget(CAdjustPinPage& page) : WizardPageWidget(page), m_page(page) {
        QVBoxLayout* left = Frame(this, {WizardPicture::Table, WizardPicture::Pattern});
        left->addWidget(TextLabel(CAdjustPinPage::kLoadPlate, this));
        m_start = Button(CAdjustPinPage::kStartPrintingText, CAdjustPinPage::kStartPrintingButton, this);
        left->addWidget(m_start, 0, Qt::AlignLeft);
        left->addWidget(TextLabel(CAdjustPinPage::kWaitForPrint, this));
        m_hint = TextLabel(CAdjustPinPage::kLettersHintText, this);
        m_hint->setObjectName(ControlName(CAdjustPinPage::kLettersHint));
        left->addWidget(m_hint);
        auto* pinRow = new QHBoxLayout;
        m_pinLabel = new QLabel(Translate(CAdjustPinPage::kPinLabelText), this);
        m_pinLabel->setObjectName(ControlName(CAdjustPinPage::kPinLabel));
        m_combo = new QComboBox(this);
        m_combo->setObjectName(ControlName(CAdjustPinPage::kPinCombo));
        for (int pin = 1; pin <= static_cast<int>(kPinCount); ++pin) m_combo->addItem(QStringLiteral("No.%1").arg(pin));
        m_letters = Button(CAdjustPinPage::kPrintLettersText, CAdjustPinPage::kPrintLettersButton, this);
        pinRow->addWidget(m_pinLabel);
        pinRow->addWidget(m_combo);
        pinRow->addWidget(m_letters);
        pinRow->addStretch();
        left->addLayout(pinRow);
        left->addStretch();
        connect(m_start, &QPushButton::clicked, this, [this] {
            BusyCursor busy;
            m_page.m_pinIndex = m_combo->currentIndex();
            m_page.OnStartPrinting();
        });
        connect(m_letters, &QPushButton::clicked, this, [this] {
            BusyCursor busy;
            m_page.m_pinIndex = m_combo->currentIndex();
            m_page.OnPrintLetters();
        });
    }

    void Refresh() override {
        for (QWidget* control : std::initializer_list<QWidget*>{m_hint, m_pinLabel, m_combo, m_letters}) {
            control->setVisible(m_page.LettersShown());
        }
        m_combo->setCurrentIndex(m_page.m_pinIndex);
        m_start->setEnabled(true);
    }

private:
    CAdjustPinPage& m_page;
    QPushButton* m_start = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_pinLabel = nullptr;
    QComboBox* m_combo = nullptr;
    QPushButton* m_letters = nullptr;
};

// The core decides every position; the bar only reports which way the operator pushed it.
int ScrollCode(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return CInputValuePage::kLineLeft;
    case QAbstractSlider::SliderSingleStepAdd: return CInputValuePage::kLineRight;
    case QAbstractSlider::SliderPageStepSub: return CInputValuePage::kPageLeft;
    case QAbstractSlider::SliderPageStepAdd: return CInputValuePage::kPageRight;
    case QAbstractSlider::SliderMove: return CInputValuePage::kThumbTrack;
    default: return -1;
    }
}

class InputValueWidget final : public WizardPageWidget {
public:
    explicit InputValueWidget(CInputValuePage& page) : WizardPageWidget(page), m_page(page) {
        QVBoxLayout* left = Frame(this, {WizardPicture::PatternCloseUp});
        left->addWidget(TextLabel(CInputValuePage::kPurpose, this));
        left->addWidget(TextLabel(CInputValuePage::kSteps, this));
        auto* grid = new QGridLayout;
        for (std::size_t pin = 0; pin < kPinCount; ++pin) {
            const int row = static_cast<int>(pin);
            grid->addWidget(new QLabel(QStringLiteral("[%1]").arg(row + 1), this), row, 0);
            auto* bar = new QScrollBar(Qt::Horizontal, this);
            bar->setObjectName(ControlName(CInputValuePage::kScrollBarIds[pin]));
            bar->setRange(0, kMaxReading);
            bar->setSingleStep(1);
            bar->setPageStep(10);
            bar->setMinimumWidth(160);
            auto* value = new QLabel(this);
            value->setObjectName(ControlName(CInputValuePage::kValueLabelIds[pin]));
            value->setMinimumWidth(40);
            grid->addWidget(bar, row, 1);
            grid->addWidget(value, row, 2);
            m_bars[pin] = bar;
            m_values[pin] = value;
            connect(bar, &QScrollBar::actionTriggered, this, [this, pin](int action) { OnAction(pin, action); });
        }
        left->addLayout(grid);
        auto* set = Button(CInputValuePage::kSetText, CInputValuePage::kSetButton, this);
        left->addWidget(set, 0, Qt::AlignLeft);
        left->addWidget(TextLabel(CInputValuePage::kAfterSet, this));
        left->addStretch();
        connect(set, &QPushButton::clicked, this, [this] {
            BusyCursor busy;
            m_page.OnSet();
        });
    }

    void Refresh() override {
        for (std::size_t pin = 0; pin < kPinCount; ++pin) Show(pin);
    }

private:
    void OnAction(std::size_t pin, int action) {
        const int code = ScrollCode(action);
        if (code >= 0) m_page.OnHScroll(CInputValuePage::kScrollBarIds[pin], code, m_bars[pin]->sliderPosition());
        // Inside this signal the bar has not yet taken the action's value: this replaces it.
        m_bars[pin]->setSliderPosition(m_page.m_positions[pin]);
        ShowLabel(pin);
    }
    void Show(std::size_t pin) {
        m_bars[pin]->setValue(m_page.m_positions[pin]);
        ShowLabel(pin);
    }
    // "None" is a word in the operator's edition; the positions' codes are the pattern's own.
    void ShowLabel(std::size_t pin) {
        m_values[pin]->setText(m_page.m_positions[pin] == 0 ? Translate(CInputValuePage::kNoReadingText)
                                                           : QString::fromUtf8(m_page.ValueLabel(pin)));
    }

    CInputValuePage& m_page;
    std::array<QScrollBar*, kPinCount> m_bars{};
    std::array<QLabel*, kPinCount> m_values{};
};

class OriginPinWidget final : public WizardPageWidget {
public:
    explicit OriginPinWidget(COriginPinPage& page) : WizardPageWidget(page), m_page(page) {
        QVBoxLayout* left = Frame(this, {WizardPicture::OriginMark});
        left->addWidget(TextLabel(COriginPinPage::kInstruction, this));
        auto* group = new QGroupBox(Translate(COriginPinPage::kPinGroup), this);
        auto* grid = new QGridLayout(group);
        m_pins = new QButtonGroup(this);
        for (int pin = 0; pin < static_cast<int>(kPinCount); ++pin) {
            auto* radio = new QRadioButton(QStringLiteral("No.%1").arg(pin + 1), group);
            radio->setObjectName(ControlName(COriginPinPage::kFirstPinRadio + pin));
            m_pins->addButton(radio, pin);
            grid->addWidget(radio, pin / 3, pin % 3);
        }
        left->addWidget(group);
        auto* start = Button(COriginPinPage::kStartText, COriginPinPage::kStartButton, this);
        left->addWidget(start, 0, Qt::AlignLeft);
        left->addStretch();
        connect(start, &QPushButton::clicked, this, [this] {
            BusyCursor busy;
            m_page.m_pinIndex = std::max(0, m_pins->checkedId());
            m_page.OnStartAdjustment();
        });
    }

    void Refresh() override {
        if (QAbstractButton* radio = m_pins->button(m_page.m_pinIndex)) radio->setChecked(true);
    }

private:
    COriginPinPage& m_page;
    QButtonGroup* m_pins = nullptr;
};

}  // namespace

std::unique_ptr<WizardPageWidget> MakeWizardPageWidget(CWizardPage& page) {
    std::unique_ptr<WizardPageWidget> widget;
    if (auto* moveHead = dynamic_cast<CMoveHeadPage*>(&page)) {
        widget = std::make_unique<MoveHeadWidget>(*moveHead);
    } else if (dynamic_cast<CPowerOffPage*>(&page) != nullptr) {
        widget = std::make_unique<TextPage>(page, CPowerOffPage::kInstruction, WizardPicture::PowerOff);
    } else if (auto* replace = dynamic_cast<CReplaceHeadPage*>(&page)) {
        widget = std::make_unique<ReplaceHeadWidget>(*replace);
    } else if (dynamic_cast<CPutOnHeadPage*>(&page) != nullptr) {
        widget = std::make_unique<TextPage>(page, CPutOnHeadPage::kInstruction, WizardPicture::HeadInstall);
    } else if (dynamic_cast<CPowerOnPage*>(&page) != nullptr) {
        widget = std::make_unique<TextPage>(page, CPowerOnPage::kInstruction, WizardPicture::PowerOn);
    } else if (auto* adjust = dynamic_cast<CAdjustPinPage*>(&page)) {
        widget = std::make_unique<AdjustPinWidget>(*adjust);
    } else if (auto* input = dynamic_cast<CInputValuePage*>(&page)) {
        widget = std::make_unique<InputValueWidget>(*input);
    } else if (dynamic_cast<CPowerAgainPage*>(&page) != nullptr) {
        widget = std::make_unique<TextPage>(page, CPowerAgainPage::kInstruction,
                                            JapaneseEdition() ? WizardPicture::PowerButton : WizardPicture::PowerOn);
    } else if (auto* origin = dynamic_cast<COriginPinPage*>(&page)) {
        widget = std::make_unique<OriginPinWidget>(*origin);
    }
    if (widget) widget->setObjectName(QStringLiteral("page%1").arg(page.DialogId()));
    return widget;
}

}  // namespace zt40::ui
