#pragma once
// One widget per wizard page, built from what the page declares it shows: it forwards clicks,
// slider moves and choices to the page and renders what the page then declares.
#include <QWidget>

#include <memory>
#include <vector>

#include "wizards/WizardSheet.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QScrollBar;

namespace zt40::ui {

class WizardPageWidget : public QWidget {
public:
    explicit WizardPageWidget(CWizardPage& page, QWidget* parent = nullptr);
    CWizardPage& Page() const { return m_page; }
    // Brings the controls in line with what the page declares; called whenever the page is shown.
    void Refresh();

private:
    // The widgets made for one declared control, in the declaration's order.
    struct Built {
        std::vector<QWidget*> widgets;  // shown and hidden together
        QAbstractButton* button = nullptr;
        QComboBox* combo = nullptr;
        QButtonGroup* radios = nullptr;
        QLabel* note = nullptr;
        std::vector<QScrollBar*> bars;
        std::vector<QLabel*> values;
    };

    Built Build(const PageControl& control);
    void Apply(const PageControl& control, Built& built);
    void Press(int id);
    void Scroll(const SliderRow& row, QScrollBar& bar, int action);

    CWizardPage& m_page;
    std::vector<Built> m_built;
};

// The widget for any page of the two wizards or the origin sheet.
std::unique_ptr<WizardPageWidget> MakeWizardPageWidget(CWizardPage& page);

}  // namespace zt40::ui
