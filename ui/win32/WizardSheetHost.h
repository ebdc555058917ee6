#pragma once
// A wizard sheet as the system's own wizard: a modal wizard-mode property sheet over the main
// window, one page window per page of the sheet, made from the edition's dialog templates.
#include <windows.h>

#include "wizards/WizardSheet.h"

namespace zt40::win {

// The sheet's own buttons, as every wizard-mode property sheet numbers them.
inline constexpr int kWizardBackButton = 0x3023;
inline constexpr int kWizardNextButton = 0x3024;
inline constexpr int kWizardFinishButton = 0x3025;
// The note beside the buttons that tells how a page's own action ended (a print job sent).
inline constexpr int kWizardOutcomeNote = 0x3180;

// Runs the sheet over `owner` until it ends: 12325 after Finish, 2 by any other way out.
int RunWizardSheet(CWizardSheet& sheet, HWND owner);

}  // namespace zt40::win
