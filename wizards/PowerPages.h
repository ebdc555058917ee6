#pragma once
// The pages that watch the printer's queue while the operator pulls the adapter, plugs it
// back in, or switches the printer off and on: a timer on the page's window checks the
// queue's attributes for as long as the page is active.
#include <cstdint>
#include <string_view>

#include "wizards/WizardSheet.h"

namespace zt40 {

enum class QueueState { Offline, Online, NotListed };

// The first local queue named `queueName` (any letter case): off-line when marked offline
// or a network queue. A spooler that cannot list its queues lists none.
QueueState GetQueueState(ISpooler& spooler, std::string_view queueName);

class CQueueWatchPage : public CWizardPage {
public:
    static constexpr std::uint32_t kTimerId = 1;

    bool OnSetActive() override;
    bool OnKillActive() override;
    void OnTimer(std::uint32_t id) override;

    std::uint32_t m_timerId = 0;

protected:
    virtual std::uint32_t PeriodMs() const = 0;
    virtual std::uint32_t EntryButtons() const = 0;
    virtual void OnQueueState(QueueState state) = 0;
};

class CPowerOffPage final : public CQueueWatchPage {
public:
    static constexpr Text kInstruction =
        ZT40_TR("CPowerOffPage", "Detach the AC adapter from the ZT-40.\n\nAfter detaching, click [Next].");

    int DialogId() const override { return 130; }
    Text Title() const override { return ZT40_TR("CPowerOffPage", "Power Off"); }
    PageContent Content() const override;

protected:
    std::uint32_t PeriodMs() const override { return 1000; }
    std::uint32_t EntryButtons() const override { return kWizBack; }
    void OnQueueState(QueueState state) override;
};

class CPowerOnPage final : public CQueueWatchPage {
public:
    static constexpr Text kInstruction = ZT40_TR(
        "CPowerOnPage", "Attach the AC adapter and switch on the power.\n\nWhen finished, click [Next].");

    int DialogId() const override { return 132; }
    Text Title() const override { return ZT40_TR("CPowerOnPage", "Power On"); }
    PageContent Content() const override;

protected:
    std::uint32_t PeriodMs() const override { return 1000; }
    std::uint32_t EntryButtons() const override { return kWizBack; }
    void OnQueueState(QueueState state) override;
};

// Finish only once the queue has been seen off-line and then on-line since the page was
// entered: proof that the printer was switched off and on.
class CPowerAgainPage final : public CQueueWatchPage {
public:
    static constexpr Text kInstruction = ZT40_TR(
        "CPowerAgainPage",
        "Hold down the [Power/Movement] button for one second or longer to switch off the power, then switch the "
        "power on again.\n\nWhen you're done, click [Finish].");

    int DialogId() const override { return 163; }
    Text Title() const override { return ZT40_TR("CPowerAgainPage", "Power Off/On"); }
    PageContent Content() const override;
    bool OnSetActive() override;

    std::int32_t m_powerCycle = 1;

protected:
    std::uint32_t PeriodMs() const override { return 500; }
    std::uint32_t EntryButtons() const override { return kWizBack | kWizDisabledFinish; }
    void OnQueueState(QueueState state) override;
};

}  // namespace zt40
