#pragma once
// The three pictures the adjustment jobs mark: the letters sample (the reading scale),
// the origin mark and each pin's band of the nine-pin pattern.
//
// The letters sample and the bands are printed onto the same plate, so their geometry is
// tied together here: the scale's forty steps stand exactly above the forty steps of every
// band, and nothing of the sample falls onto a band.
#include <array>

#include "DotImage.h"

namespace zt40::jobgen {

// Where each picture goes, in the printer's positioning units (one unit per dot).
inline constexpr int kLettersWidth = 834;
inline constexpr int kLettersHeight = 386;
inline constexpr int kLettersTop = 138;
inline constexpr int kLettersLeft = 138;

inline constexpr int kOriginSize = 167;
inline constexpr int kOriginTop = 472;
inline constexpr int kOriginLeft = 472;

inline constexpr int kPatternWidth = 806;
inline constexpr int kPatternTop = 152;
inline constexpr int kPatternLeft = 152;
inline constexpr std::array<int, 9> kPatternRows = {99, 134, 168, 203, 238, 272, 307, 342, 377};

// Each band fills the last rows of its pin's job, between these columns (inclusive).
inline constexpr int kBandHeight = 29;
inline constexpr int kBandFirstColumn = 36;
inline constexpr int kBandLastColumn = 704;

// The scale: four blocks (A to D) of ten steps (digits 1 to 9, then 0).
inline constexpr int kScaleSteps = 40;
inline constexpr int kStepsPerBlock = 10;
inline constexpr int kStepGap = 3;  // blank columns after each step so the steps can be told apart

// Column in the pattern's own coordinates where `step` (0..40) begins; step 40 is the end.
int StepLeft(int step);
// Marked columns of `step`: [StepLeft(step), StepLeft(step) + StepMarkWidth(step)).
int StepMarkWidth(int step);
// The row of the pin's job (1..9) where its band begins.
int BandFirstRow(int pin);

DotImage DrawLettersSample();
DotImage DrawOriginMark();
// The raster of pin `pin` (1..9) in the nine-pin pattern: blank rows, then the band.
DotImage DrawPinPattern(int pin);

}  // namespace zt40::jobgen
