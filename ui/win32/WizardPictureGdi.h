#pragma once
// The wizard steps' line drawings painted with GDI, scaled into the room a page gives them.
#include <windows.h>

#include "wizards/WizardPicture.h"

namespace zt40::win {

// Fills `box` with `background` and draws the picture centred in it, as large as it fits.
void PaintWizardPicture(HDC dc, const RECT& box, WizardPicture picture, COLORREF background);

}  // namespace zt40::win
