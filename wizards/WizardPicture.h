#pragma once
// The illustrations a wizard step shows, drawn by each edition in place of photographs, on a
// canvas of 241 x 250 that is scaled to the room the page gives it.

namespace zt40 {

enum class WizardPicture {
    MoveHead,       // the printer from the front, the head standing in the centre
    PowerOff,       // a hand pulling the adapter plug
    ReplaceHead,    // the head pulled out of the carriage
    HeadInstall,    // the new head pushed in, screwed down, capped
    PowerOn,        // the plug going in, the power button lit
    PowerButton,    // the lit power button held down
    Caution,        // the hot-surface warning sign
    Table,          // the square plate at the centre of the table
    Pattern,        // the plate with the expected pattern: blocks A-D, rows No.1-No.9
    PatternCloseUp, // a printed row with the block letter circled and the first digit boxed
    OriginMark,     // the plate with the origin cross
};

inline constexpr int kWizardPictureWidth = 241;
inline constexpr int kWizardPictureHeight = 250;

}  // namespace zt40
