#pragma once
// What a wizard page may ask of the window that runs it: the services that turn a page's
// action into device commands. A page reaches them through its sheet's parent, never the device itself.
#include <cstdint>
#include <span>
#include <string>

#include "platform/PinRange.h"

namespace zt40 {

// What a modal wizard run returns: Finish on the last page, or the cancel command by any other way out.
inline constexpr int kWizardFinished = 12325;
inline constexpr int kCancelCommand = 2;

// Each service says whether the printer took it; a failed one has been told to the operator
// by the window, and a page that needed it stays where it is.
class IPinwardenServices {
public:
    virtual ~IPinwardenServices() = default;
    virtual bool MoveHeadToCentre() = 0;
    virtual bool ResetPinSettings() = 0;
    virtual bool ResetPinCounters() = 0;
    // Adds each value's low 16 bits to the pin's adjustment, pin 1 first, and writes the group;
    // a sum outside the range writes nothing.
    virtual bool ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) = 0;
    virtual std::string GetPrinterName() const = 0;
};

}  // namespace zt40
