#include "Patterns.h"

#include <cstdint>

#include "BitmapFont.h"

namespace zt40::jobgen {

namespace {

constexpr std::uint8_t kFullStrike = 255;

// Band strength falls by this much per step, so a weak pin stops marking early on the scale.
constexpr int kStrikeDecreasePerStep = 5;

// The sample's columns are shifted against the pattern's by the difference of their placements.
constexpr int kPatternToLettersColumn = kPatternLeft - kLettersLeft;
constexpr int kPatternToLettersRow = kPatternTop - kLettersTop;

constexpr int kLetterScale = 6;
constexpr int kLetterTop = 6;
constexpr int kDigitScale = 2;
constexpr int kDigitTop = 54;
constexpr int kDigitHeight = kGlyphHeight * kDigitScale;
constexpr int kTickTop = kDigitTop + kDigitHeight + 4;
constexpr int kTickLength = 8;
constexpr int kTickWidth = 3;
constexpr int kGapTickLength = 3;
constexpr int kPinLabelCentre = 21;  // left of the bands, in the sample's columns

// Centre column of a step in the letters sample's coordinates.
int StepCentreInSample(int step) {
    return kPatternToLettersColumn + StepLeft(step) + (StepMarkWidth(step) - 1) / 2;
}

// First band row of a pin in the letters sample's coordinates.
int BandTopInSample(int pin) { return kPatternToLettersRow + BandFirstRow(pin); }

char StepDigit(int step) { return static_cast<char>('0' + (step + 1) % 10); }

void DrawScaleHeading(DotImage& sample) {
    for (int block = 0; block < kScaleSteps / kStepsPerBlock; ++block) {
        const int first = block * kStepsPerBlock;
        const int last = first + kStepsPerBlock - 1;
        const int left = kPatternToLettersColumn + StepLeft(first);
        const int right = kPatternToLettersColumn + StepLeft(last) + StepMarkWidth(last) - 1;
        DrawGlyphCentred(sample, static_cast<char>('A' + block), (left + right + 1) / 2, kLetterTop, kLetterScale,
                         kFullStrike);
    }
    for (int step = 0; step < kScaleSteps; ++step) {
        const int centre = StepCentreInSample(step);
        DrawGlyphCentred(sample, StepDigit(step), centre, kDigitTop, kDigitScale, kFullStrike);
        sample.FillRect(centre - kTickWidth / 2, kTickTop, kTickWidth, kTickLength, kFullStrike);
    }
}

// Short ticks in the blank rows between two bands carry the scale down the plate.
void DrawGapTicks(DotImage& sample) {
    for (int pin = 1; pin < static_cast<int>(kPatternRows.size()); ++pin) {
        const int gapTop = BandTopInSample(pin) + kBandHeight;
        const int gapRows = BandTopInSample(pin + 1) - gapTop;
        const int top = gapTop + (gapRows - kGapTickLength) / 2;
        for (int step = 0; step < kScaleSteps; ++step)
            sample.FillRect(StepCentreInSample(step) - kTickWidth / 2, top, kTickWidth, kGapTickLength, kFullStrike);
    }
}

void DrawPinLabels(DotImage& sample) {
    for (int pin = 1; pin <= static_cast<int>(kPatternRows.size()); ++pin) {
        const int middle = BandTopInSample(pin) + kBandHeight / 2;
        DrawGlyphCentred(sample, static_cast<char>('0' + pin), kPinLabelCentre, middle - kDigitHeight / 2, kDigitScale,
                         kFullStrike);
    }
}

}  // namespace

int StepLeft(int step) {
    const int span = kBandLastColumn + 1 + kStepGap - kBandFirstColumn;
    return kBandFirstColumn + step * span / kScaleSteps;
}

int StepMarkWidth(int step) { return StepLeft(step + 1) - StepLeft(step) - kStepGap; }

int BandFirstRow(int pin) { return kPatternRows[static_cast<std::size_t>(pin - 1)] - kBandHeight; }

DotImage DrawLettersSample() {
    DotImage sample(kLettersWidth, kLettersHeight);
    DrawScaleHeading(sample);
    DrawGapTicks(sample);
    DrawPinLabels(sample);
    return sample;
}

DotImage DrawOriginMark() {
    DotImage mark(kOriginSize, kOriginSize);
    const int centre = kOriginSize / 2;
    constexpr int kLineWidth = 3;
    mark.FillRect(0, centre - kLineWidth / 2, kOriginSize, kLineWidth, kFullStrike);
    mark.FillRect(centre - kLineWidth / 2, 0, kLineWidth, kOriginSize, kFullStrike);
    // Two rings, three dots thick; compared in doubled units to stay in integers.
    for (const int radius : {40, 75}) {
        const int inner = 2 * radius - kLineWidth;
        const int outer = 2 * radius + kLineWidth;
        for (int y = 0; y < kOriginSize; ++y) {
            for (int x = 0; x < kOriginSize; ++x) {
                const int dx = 2 * (x - centre);
                const int dy = 2 * (y - centre);
                const int distance2 = dx * dx + dy * dy;
                if (distance2 >= inner * inner && distance2 <= outer * outer) mark.Set(x, y, kFullStrike);
            }
        }
    }
    return mark;
}

DotImage DrawPinPattern(int pin) {
    DotImage pattern(kPatternWidth, kPatternRows[static_cast<std::size_t>(pin - 1)]);
    for (int step = 0; step < kScaleSteps; ++step) {
        const auto strike = static_cast<std::uint8_t>(kFullStrike - step * kStrikeDecreasePerStep);
        pattern.FillRect(StepLeft(step), BandFirstRow(pin), StepMarkWidth(step), kBandHeight, strike);
    }
    return pattern;
}

}  // namespace zt40::jobgen
