// The step pictures as shapes: each one a drawable picture of its own on the canvas, with the
// texts and marks the pages' instructions refer to.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "wizards/WizardPictureShapes.h"

namespace zt40 {
namespace {

PictureBox Bounds(const PictureShape& shape) {
    if (shape.points.empty()) return shape.box;
    const auto [left, right] = std::minmax_element(shape.points.begin(), shape.points.end(),
                                                   [](PicturePoint a, PicturePoint b) { return a.x < b.x; });
    const auto [top, bottom] = std::minmax_element(shape.points.begin(), shape.points.end(),
                                                   [](PicturePoint a, PicturePoint b) { return a.y < b.y; });
    return {left->x, top->y, right->x - left->x, bottom->y - top->y};
}

TEST(WizardPictureShapes, EveryShapeIsDrawableAndInsideTheCanvasWithItsOutline) {
    for (const WizardPicture picture : kWizardPictures) {
        const std::vector<PictureShape> shapes = WizardPictureShapes(picture);
        EXPECT_GE(shapes.size(), 3u) << static_cast<int>(picture);
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            const PictureShape& s = shapes[i];
            const std::string where = std::to_string(static_cast<int>(picture)) + " #" + std::to_string(i);
            const bool lined = s.kind == ShapeKind::Polyline || s.kind == ShapeKind::Polygon;
            EXPECT_GE(s.points.size(), lined ? (s.kind == ShapeKind::Polygon ? 3u : 2u) : 0u) << where;
            EXPECT_TRUE(s.stroke.width > 0 || s.fill || s.kind == ShapeKind::Text) << where << " shows nothing";
            EXPECT_TRUE(s.kind != ShapeKind::Text || (!s.text.empty() && s.textPixels > 0)) << where;
            EXPECT_TRUE(s.kind != ShapeKind::Polyline || !s.fill) << where << ": an open line has no inside";
            const PictureBox b = Bounds(s);
            const double pen = s.stroke.width / 2;
            EXPECT_TRUE(lined || (b.width > 0 && b.height > 0)) << where;
            EXPECT_GE(b.left - pen, 0) << where;
            EXPECT_GE(b.top - pen, 0) << where;
            EXPECT_LE(b.left + b.width + pen, kWizardPictureWidth) << where;
            EXPECT_LE(b.top + b.height + pen, kWizardPictureHeight) << where;
        }
    }
}

TEST(WizardPictureShapes, NoTwoPicturesAreTheSame) {
    for (std::size_t a = 0; a < kWizardPictures.size(); ++a) {
        for (std::size_t b = a + 1; b < kWizardPictures.size(); ++b) {
            EXPECT_FALSE(WizardPictureShapes(kWizardPictures[a]) == WizardPictureShapes(kWizardPictures[b]))
                << a << " " << b;
        }
    }
}

std::vector<std::string> Texts(WizardPicture picture) {
    std::vector<std::string> texts;
    for (const PictureShape& s : WizardPictureShapes(picture)) {
        if (s.kind == ShapeKind::Text) texts.push_back(s.text);
    }
    return texts;
}

TEST(WizardPictureShapes, TheTextsAreTheOnesThePagesNameInTheirOrder) {
    using Strings = std::vector<std::string>;
    EXPECT_EQ(Texts(WizardPicture::Table), Strings{"60 mm"});
    EXPECT_EQ(Texts(WizardPicture::Pattern),
              (Strings{"A", "B", "C", "D", "No.1", "No.2", "No.3", "No.4", "No.5", "No.6", "No.7", "No.8", "No.9"}));
    // The close-up's rows break off at steps 31, 34 and 32: the digits read are their last ones.
    EXPECT_EQ(Texts(WizardPicture::PatternCloseUp), (Strings{"A", "B", "C", "D", "1", "4", "2"}));
    for (const WizardPicture picture : {WizardPicture::MoveHead, WizardPicture::Caution, WizardPicture::OriginMark}) {
        EXPECT_TRUE(Texts(picture).empty()) << static_cast<int>(picture);
    }
}

TEST(WizardPictureShapes, TheCloseUpCirclesTheBlockLetterDAndBoxesWhereEachRowBreaksOff) {
    const std::vector<PictureShape> shapes = WizardPictureShapes(WizardPicture::PatternCloseUp);
    const auto centre = [](const PictureBox& b) { return PicturePoint{b.left + b.width / 2, b.top + b.height / 2}; };
    const auto contains = [](const PictureBox& b, PicturePoint p) {
        return p.x > b.left && p.x < b.left + b.width && p.y > b.top && p.y < b.top + b.height;
    };
    std::vector<PicturePoint> rowEnds;
    std::vector<PictureBox> marks;
    PicturePoint letterD{};
    for (const PictureShape& s : shapes) {
        if (s.kind == ShapeKind::Text && s.text == "D") letterD = centre(s.box);
        if (s.kind == ShapeKind::Polyline && s.stroke.width == 4) rowEnds.push_back(s.points.back());
        if (!s.fill && (s.kind == ShapeKind::Box || s.kind == ShapeKind::Ellipse)) marks.push_back(s.box);
    }
    ASSERT_EQ(rowEnds.size(), 3u);
    ASSERT_EQ(marks.size(), 4u) << "three boxes and a circle";
    for (std::size_t row = 0; row < 3; ++row) EXPECT_TRUE(contains(marks[row], rowEnds[row])) << row;
    EXPECT_NEAR(centre(marks[3]).x, letterD.x, 0.5);
    EXPECT_NEAR(centre(marks[3]).y, letterD.y, 0.5);
}

}  // namespace
}  // namespace zt40
