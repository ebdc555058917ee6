// The wizard window against the simulated spooler: buttons exactly as the pages post them and
// only once their handler has returned, real timers watching the queue, sliders driven by the
// core, Escape cancelling the printed job.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "tests/wizards/WizardFixture.h"
#include "ui/MainWindow.h"
#include "ui/Translations.h"
#include "ui/WizardHost.h"
#include "ui/WizardPages.h"
#include "wizards/OriginPin.h"
#include "wizards/Sheets.h"

namespace zt40 {
namespace {

// Runs the event loop until `done` holds or `limitMs` has passed.
bool WaitFor(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < limitMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

template <typename T>
T* Control(ui::WizardHost& host, int id) {
    return host.findChild<T*>(QStringLiteral("control%1").arg(id));
}

class WizardHostTest : public WizardFixture {
protected:
    void Click(QPushButton* button) {
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << button->objectName().toStdString();
        button->click();
        QApplication::processEvents();
    }
    // What the four buttons show: enabled ones by name, a shown but disabled Finish as "finish-".
    static std::string Shown(ui::WizardHost& w) {
        std::string shown;
        if (w.BackButton()->isEnabled()) shown += "back ";
        if (w.NextButton()->isVisible() && w.NextButton()->isEnabled()) shown += "next ";
        if (w.NextButton()->isVisible() && !w.NextButton()->isEnabled()) shown += "next- ";
        if (w.FinishButton()->isVisible()) shown += w.FinishButton()->isEnabled() ? "finish " : "finish- ";
        if (w.CancelButton()->isEnabled()) shown += "cancel";
        return shown;
    }
};

TEST_F(WizardHostTest, HeadReplacementButtonsAppearAfterTheHandlerReturns) {
    CChangeHeadSheet sheet(services, Spooling());
    ui::WizardHost window(sheet);
    window.OpenModeless();
    QApplication::processEvents();
    EXPECT_EQ(Shown(window), "next- cancel");
    EXPECT_EQ(window.findChild<QLabel*>("subtitle")->text(), "Step 1 of 8");

    QPushButton* move = Control<QPushButton>(window, CMoveHeadPage::kMoveHeadButton);
    ASSERT_NE(move, nullptr);
    move->click();
    EXPECT_EQ(window.ShownButtons(), 0u);
    QApplication::processEvents();
    EXPECT_EQ(Shown(window), "next cancel");

    SetQueue(kPrinterAttributeWorkOffline);
    Click(window.NextButton());
    EXPECT_EQ(window.findChild<QLabel*>("subtitle")->text(), "Step 2 of 8");
    EXPECT_EQ(Shown(window), "back next cancel");
    SetQueue(0);
    EXPECT_TRUE(WaitFor([&] { return Shown(window) == "back next- cancel"; })) << Shown(window);
}

TEST_F(WizardHostTest, LastPageShowsDisabledFinishUntilOffThenOn) {
    CAdjustPinSheet sheet(services, Spooling());
    ui::WizardHost window(sheet);
    window.OpenModeless();
    QApplication::processEvents();
    EXPECT_EQ(Shown(window), "next- cancel");
    EXPECT_TRUE(Control<QPushButton>(window, CAdjustPinPage::kPrintLettersButton)->isVisible());
    Click(Control<QPushButton>(window, CAdjustPinPage::kStartPrintingButton));
    Click(window.NextButton());
    // Set writes what the sliders read once, says so on the page and puts the readings back to "None".
    Control<QScrollBar>(window, CInputValuePage::kScrollBarIds[0])->triggerAction(QAbstractSlider::SliderPageStepAdd);
    Control<QScrollBar>(window, CInputValuePage::kScrollBarIds[1])->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Click(Control<QPushButton>(window, CInputValuePage::kSetButton));
    auto* note = Control<QLabel>(window, CInputValuePage::kSetNote);
    ASSERT_TRUE(note != nullptr && note->isVisible());
    EXPECT_EQ(note->text().toStdString(), "The corrections were written: 9 -9 0 0 0 0 0 0 0");
    EXPECT_EQ(Control<QLabel>(window, CInputValuePage::kValueLabelIds[0])->text().toStdString(), "None");
    EXPECT_EQ(Control<QScrollBar>(window, CInputValuePage::kScrollBarIds[0])->value(), 0);
    Click(Control<QPushButton>(window, CInputValuePage::kSetButton));
    EXPECT_EQ(note->text().toStdString(), "No pin has a reading: there is nothing to write.");
    EXPECT_EQ(services.Applied().size(), 1u);
    Click(window.NextButton());
    EXPECT_EQ(Shown(window), "back finish- cancel");
    SetQueue(kPrinterAttributeWorkOffline);
    EXPECT_TRUE(WaitFor([&] { return sheet.m_powerAgain.m_powerCycle == 0; }));
    SetQueue(0);
    EXPECT_TRUE(WaitFor([&] { return Shown(window) == "back finish cancel"; })) << Shown(window);
    Click(window.FinishButton());
    EXPECT_EQ(window.result(), kWizardFinished);
    EXPECT_FALSE(sheet.IsOpen());
}

TEST_F(WizardHostTest, SlidersShowWhatTheCoreDecides) {
    CChangeHeadSheet sheet(services, Spooling());
    ui::WizardHost window(sheet);
    window.OpenModeless();
    while (sheet.ActiveIndex() < 6) sheet.Next();
    auto* bar = Control<QScrollBar>(window, 1029);  // pin 2
    auto* label = Control<QLabel>(window, 1037);
    ASSERT_TRUE(bar && label);
    const struct {
        QAbstractSlider::SliderAction action;
        const char* label;
    } steps[] = {{QAbstractSlider::SliderPageStepAdd, "A0"}, {QAbstractSlider::SliderPageStepAdd, "B0"},
                 {QAbstractSlider::SliderSingleStepAdd, "C1"}, {QAbstractSlider::SliderPageStepAdd, "D1"},
                 {QAbstractSlider::SliderPageStepAdd, "D0"}, {QAbstractSlider::SliderSingleStepAdd, "D0"},
                 {QAbstractSlider::SliderToMinimum, "D0"}};
    for (const auto& step : steps) {
        bar->triggerAction(step.action);
        EXPECT_EQ(label->text().toStdString(), step.label);
        EXPECT_EQ(bar->value(), sheet.m_inputValue.m_positions[1]);
    }
}

TEST_F(WizardHostTest, EscapeCancelsThePrintedJob) {
    CAdjustPinSheet sheet(services, Spooling());
    ui::WizardHost window(sheet);
    window.OpenModeless();
    Control<QComboBox>(window, CAdjustPinPage::kPinCombo)->setCurrentIndex(4);
    Click(Control<QPushButton>(window, CAdjustPinPage::kPrintLettersButton));
    ASSERT_EQ(spooler.Jobs().size(), 1u);
    EXPECT_EQ(DocumentResources()[0], (std::vector<int>{157, 171}));
    // Escape asks as Cancel does; the Yes is given once the box is up.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(window.result(), kCancelCommand);
    EXPECT_EQ(spooler.Jobs()[0].state, SimJobState::Cancelled);
}

TEST_F(WizardHostTest, OriginPagePrintsWithTheCheckedPin) {
    COriginPinSheet sheet(services, Spooling());
    ui::WizardHost window(sheet);
    window.OpenModeless();
    QApplication::processEvents();
    EXPECT_EQ(Shown(window), "next- cancel");
    Control<QRadioButton>(window, COriginPinPage::kFirstPinRadio + 8)->setChecked(true);
    Click(Control<QPushButton>(window, COriginPinPage::kStartButton));
    EXPECT_EQ(DocumentResources(), (std::vector<std::vector<int>>{{161, 151}}));
    EXPECT_EQ(Shown(window), "next cancel");
}

// Each button of the main window and the wizards keeps room for its text inside the focus outline
// in both editions: its border and padding once cut "Start Printing", the Japanese Move Head and Cleaning.
TEST_F(WizardHostTest, EveryButtonFitsItsTextInsideTheFocusOutline) {
    const auto expectFits = [](QWidget& window, const char* locale) {
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (!button->isVisible()) continue;
            QStyleOptionButton focused;
            focused.initFrom(button);
            focused.state |= QStyle::State_HasFocus;
            const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &focused, button);
            EXPECT_GE(inside.width(), button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width())
                << locale << ": " << button->text().toStdString();
        }
    };
    for (const char* locale : {"en_US", "ja_JP"}) {
        const ui::Edition edition = ui::InstallEdition(*QCoreApplication::instance(), QLocale(QString::fromLatin1(locale)));
        ui::MainWindow main(edition.language);
        main.show();
        QApplication::processEvents();
        expectFits(main, locale);
        CChangeHeadSheet head(services, Spooling());
        CAdjustPinSheet pins(services, Spooling());
        COriginPinSheet origin(services, Spooling());
        for (CWizardSheet* sheet : std::initializer_list<CWizardSheet*>{&head, &pins, &origin}) {
            ui::WizardHost window(*sheet);
            window.OpenModeless();
            for (std::size_t page = 0; page < sheet->Pages().size(); ++page) {
                window.GoToPage(page);
                QApplication::processEvents();
                expectFits(window, locale);
            }
        }
    }
    ui::InstallEdition(*QCoreApplication::instance(), QLocale(QLocale::English));
}

}  // namespace
}  // namespace zt40
