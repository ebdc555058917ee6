#pragma once
// A page that marks the origin pattern with a chosen pin. Nothing in the program opens it.
#include <cstdint>

#include "wizards/WizardSheet.h"

namespace zt40 {

class COriginPinPage final : public CWizardPage {
public:
    static constexpr int kFirstPinRadio = 1032;  // 1032 ... 1040 for pins 1 ... 9
    static constexpr int kStartButton = 1031;
    static constexpr Text kInstruction = ZT40_TR(
        "COriginPinPage",
        "You adjust Origin point. When it can prepare the plate for adjustment, after choosing the pin which is "
        "used please push the button under. Pattern for Origin adjustment is carved.");
    static constexpr Text kPinGroup = ZT40_TR("COriginPinPage", "Pin");
    static constexpr Text kStartText = ZT40_TR("COriginPinPage", "Start Adjustment.");

    int DialogId() const override { return 148; }
    Text Title() const override { return ZT40_TR("COriginPinPage", "Origin Pin"); }
    bool OnSetActive() override;
    PageContent Content() const override;
    bool OnEvent(const PageEvent& event) override;
    void OnStartAdjustment();

    std::int32_t m_pinIndex = 0;  // 0..8, the checked radio button
};

// A plain one-page wizard that links its page when it opens.
class COriginPinSheet final : public CWizardSheet {
public:
    COriginPinSheet(IPinwardenServices& parent, WizardSpooling spooling);
    bool OnInitDialog() override;

    COriginPinPage m_originPin;
};

}  // namespace zt40
