#pragma once
// Each step picture as plain shapes in drawing order, in the units of the canvas of
// WizardPicture.h: the one description that every edition's painter draws, so that the
// pictures cannot drift apart between the editions.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wizards/WizardPicture.h"

namespace zt40 {

inline constexpr std::array<WizardPicture, 11> kWizardPictures = {
    WizardPicture::MoveHead, WizardPicture::PowerOff,    WizardPicture::ReplaceHead, WizardPicture::HeadInstall,
    WizardPicture::PowerOn,  WizardPicture::PowerButton, WizardPicture::Caution,     WizardPicture::Table,
    WizardPicture::Pattern,  WizardPicture::PatternCloseUp, WizardPicture::OriginMark};

struct PictureColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;  // below 255: laid over whatever the page's background is
    bool operator==(const PictureColour&) const = default;
};

struct PicturePoint {
    double x = 0;
    double y = 0;
    bool operator==(const PicturePoint&) const = default;
};

struct PictureBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const PictureBox&) const = default;
};

enum class ShapeKind {
    Box,         // `box`
    RoundedBox,  // `box` with corners of `radius`
    Ellipse,     // the ellipse inside `box`
    Polyline,    // `points`, open, never filled; a line is one of two points
    Polygon,     // `points`, closed
    Text,        // `text` on one line in `box`, centred upright, in the outline's colour
};

struct PictureStroke {
    PictureColour colour;
    double width = 0;     // 0: no outline
    bool round = false;   // round ends and joins; otherwise square ends and bevelled joins
    bool dashed = false;  // a hair line of dashes, whatever the scale
    bool operator==(const PictureStroke&) const = default;
};

struct PictureShape {
    ShapeKind kind = ShapeKind::Box;
    PictureBox box;
    double radius = 0;
    std::vector<PicturePoint> points;
    PictureStroke stroke;
    std::optional<PictureColour> fill;
    std::string text;  // ASCII
    int textPixels = 0;
    bool bold = false;
    bool centred = true;  // across the box; otherwise from its left
    bool operator==(const PictureShape&) const = default;
};

// The shapes of `picture`, the first drawn first.
std::vector<PictureShape> WizardPictureShapes(WizardPicture picture);

}  // namespace zt40
