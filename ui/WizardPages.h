#pragma once
// One thin widget per wizard page: it shows the page's texts, controls and picture, forwards
// clicks and slider moves to the page's logic and renders what that logic holds.
#include <QWidget>

#include <memory>

#include "wizards/WizardSheet.h"

namespace zt40::ui {

class WizardPageWidget : public QWidget {
public:
    explicit WizardPageWidget(CWizardPage& page, QWidget* parent = nullptr) : QWidget(parent), m_page(page) {}
    CWizardPage& Page() const { return m_page; }
    // Brings the controls in line with the page's state; called whenever the page is shown.
    virtual void Refresh() {}

private:
    CWizardPage& m_page;
};

// The widget for any page of the two wizards or the origin sheet; null for a page it does not know.
std::unique_ptr<WizardPageWidget> MakeWizardPageWidget(CWizardPage& page);

}  // namespace zt40::ui
