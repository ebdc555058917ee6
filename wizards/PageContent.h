#pragma once
// What a wizard page shows and which of the operator's actions it takes, declared by the page
// itself: each edition's window builds the page from this and hands every action back through
// the page's one entry point, so neither window needs to know which page it holds.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "wizards/WizardPicture.h"

namespace zt40 {

// How a slider was pushed, numbered as the platform's horizontal scroll codes.
inline constexpr int kScrollLineLeft = 0;
inline constexpr int kScrollLineRight = 1;
inline constexpr int kScrollPageLeft = 2;
inline constexpr int kScrollPageRight = 3;
inline constexpr int kScrollThumbPosition = 4;
inline constexpr int kScrollThumbTrack = 5;

enum class PageControlKind {
    Text,     // a paragraph; `sign`, when set, stands small beside it
    Button,   // a push button, pressed as PageEvent::Pressed(id)
    Choice,   // a drop-down list of `choices`, after the label `text` (id `labelId`)
    Radios,   // radio buttons `choices` with ids id, id + 1, ... in a group titled `text`
    Sliders,  // one row per entry of `rows`: its name, its slider and its value label
    Note,     // where the page tells what its own action came to
};

struct SliderRow {
    int barId = 0;
    int labelId = 0;
    Message name;
    std::int32_t position = 0;
    Message value;  // what the label beside the slider says of the position
};

struct PageControl {
    PageControlKind kind = PageControlKind::Text;
    int id = 0;  // 0 for a text the page never names
    Message text;
    std::optional<WizardPicture> sign;
    bool shown = true;
    bool enabled = true;
    bool failed = false;  // a Note that tells a failure
    int labelId = 0;
    std::vector<Message> choices;
    std::int32_t chosen = 0;
    std::vector<SliderRow> rows;
    std::int32_t maximum = 0;   // every slider's range is 0..maximum
    std::int32_t pageStep = 0;  // what one page left or right moves it
};

// A picture down the step's side; the Japanese edition may show another in its place.
struct StepPicture {
    // Implicit, so that a declaration lists plain pictures.
    StepPicture(WizardPicture shown, std::optional<WizardPicture> inJapanese = std::nullopt)
        : picture(shown), japanese(inJapanese) {}

    WizardPicture picture;
    std::optional<WizardPicture> japanese;

    WizardPicture For(bool japaneseEdition) const { return japaneseEdition && japanese ? *japanese : picture; }
};

struct PageContent {
    std::vector<StepPicture> pictures;  // top to bottom
    std::vector<PageControl> controls;  // in reading order
};

struct PageEvent {
    enum class Kind { Pressed, Scrolled, Chosen };
    Kind kind = Kind::Pressed;
    int id = 0;              // the control's id; a radio group's first id
    int code = 0;            // Scrolled: kScrollLineLeft ...
    std::int32_t value = 0;  // Scrolled: the thumb's position; Chosen: the entry chosen

    static PageEvent Pressed(int id) { return {Kind::Pressed, id, 0, 0}; }
    static PageEvent Scrolled(int id, int code, std::int32_t thumb) { return {Kind::Scrolled, id, code, thumb}; }
    static PageEvent Chosen(int id, std::int32_t entry) { return {Kind::Chosen, id, 0, entry}; }
};

// Building blocks for the pages' declarations.
PageControl TextControl(Text text, int id = 0);
PageControl ButtonControl(Text text, int id);
// "No.1" ... "No.9", as the pin lists and pin groups name the pins.
std::vector<Message> PinChoices();

}  // namespace zt40
