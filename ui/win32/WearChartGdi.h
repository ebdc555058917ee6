#pragma once
// The history window's "Wear" view painted with GDI from the toolkit-free model: the lines, the
// axes with the model's ticks, the legend, the texts in the current edition.
#include <windows.h>

#include "app/WearChartModel.h"

namespace zt40::win {

// Fills `box` white and draws `chart` in it, its texts in `font`.
void PaintWearChart(HDC dc, const RECT& box, const WearChartModel& chart, HFONT font);

// A child window of `parent` that paints `chart` (which must outlive it) in `font`, also when
// asked to print its client area; null when it could not be made.
HWND CreateWearChartWindow(HWND parent, int id, const RECT& place, const WearChartModel& chart, HFONT font);

}  // namespace zt40::win
