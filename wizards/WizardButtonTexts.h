#pragma once
// The words on a wizard's buttons, where a toolkit does not bring its own; the wait window's
// Cancel shares the wizard's.
#include "platform/Text.h"

namespace zt40 {

inline constexpr Text kBackText = ZT40_TR("WizardHost", "< &Back");
inline constexpr Text kNextText = ZT40_TR("WizardHost", "&Next >");
inline constexpr Text kFinishText = ZT40_TR("WizardHost", "&Finish");
inline constexpr Text kCancelText = ZT40_TR("WizardHost", "Cancel");

}  // namespace zt40
