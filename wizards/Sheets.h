#pragma once
// The two maintenance wizards. Each holds its pages by value and lives for one run.
#include <cstdint>

#include "wizards/AdjustPinPages.h"
#include "wizards/HeadPages.h"
#include "wizards/PowerPages.h"
#include "wizards/WizardSheet.h"

namespace zt40 {

inline constexpr Text kWizardCaption = ZT40_TR("CZt40utilSheet", "wizard");

// Remembers the last adjustment print started from any page, so that Cancel can take it
// back out of the queue.
class CZt40utilSheet : public CWizardSheet {
public:
    using CWizardSheet::CWizardSheet;

    std::int32_t JobId() const { return m_jobId; }
    void SetJobId(std::int32_t jobId) { m_jobId = jobId; }
    void KeepPrintJob(std::int32_t jobId) override { SetJobId(jobId); }
    void OnCommand(int command) override;

private:
    std::int32_t m_jobId = kNoJob;
};

class CChangeHeadSheet final : public CZt40utilSheet {
public:
    CChangeHeadSheet(IPinwardenServices& parent, WizardSpooling spooling);
    bool OnInitDialog() override;
    bool ReplacesHead() const override { return true; }

    CMoveHeadPage m_moveHead;
    CPowerOffPage m_powerOff;
    CReplaceHeadPage m_replaceHead;
    CPutOnHeadPage m_putOnHead;
    CPowerOnPage m_powerOn;
    CAdjustPinPage m_adjustPin;
    CInputValuePage m_inputValue;
    CPowerAgainPage m_powerAgain;
};

class CAdjustPinSheet final : public CZt40utilSheet {
public:
    CAdjustPinSheet(IPinwardenServices& parent, WizardSpooling spooling);
    bool OnInitDialog() override;

    CAdjustPinPage m_adjustPin;
    CInputValuePage m_inputValue;
    CPowerAgainPage m_powerAgain;
};

}  // namespace zt40
