#pragma once
// The head-replacement wizard's own pages: moving the head (and clearing the new head's
// settings and counters once), and the two pages that only show what to do.
#include <cstdint>

#include "wizards/WizardSheet.h"

namespace zt40 {

class CMoveHeadPage final : public CWizardPage {
public:
    static constexpr int kMoveHeadButton = 1002;
    static constexpr Text kInstruction = ZT40_TR(
        "CMoveHeadPage", "Click [Move Head] to move the head to the center.\n\nAfter moving, click [Next].");
    static constexpr Text kMoveHeadText = ZT40_TR("CMoveHeadPage", "&Move Head");

    int DialogId() const override { return 129; }
    Text Title() const override { return ZT40_TR("CMoveHeadPage", "Move Head"); }
    void OnInitDialog() override;
    bool OnSetActive() override;
    PageContent Content() const override;
    bool OnEvent(const PageEvent& event) override;
    void OnMoveHead();

    std::int32_t m_moved = 0;
    std::int32_t m_countersReset = 0;
};

class CReplaceHeadPage final : public CWizardPage {
public:
    static constexpr Text kInstruction = ZT40_TR(
        "CReplaceHeadPage",
        "1. Make sure the head is the highest position.\n2. Remove the two screws.\n3. Pull the head back to "
        "extract and remove.\n4. Unload the head cap.\n\nWhen finished, click [Next].");
    static constexpr Text kCaution = ZT40_TR(
        "CReplaceHeadPage",
        "Caution: High Temperature\n\nThe head area becomes hot.\nNever touch the head immediately after printing "
        "has finished.\nDoing so may cause burns.");

    int DialogId() const override { return 131; }
    Text Title() const override { return ZT40_TR("CReplaceHeadPage", "Replace Head"); }
    bool OnSetActive() override;
    PageContent Content() const override;
};

class CPutOnHeadPage final : public CWizardPage {
public:
    static constexpr Text kInstruction = ZT40_TR(
        "CPutOnHeadPage",
        "1. Install the new head.\n2. Attach the two screws to secure the head in place.\n3. Load the head "
        "cap\n\nWhen finished, click [Next].");

    int DialogId() const override { return 166; }
    Text Title() const override { return ZT40_TR("CPutOnHeadPage", "Head installation"); }
    bool OnSetActive() override;
    PageContent Content() const override;
};

}  // namespace zt40
