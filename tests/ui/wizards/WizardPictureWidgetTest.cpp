// The step pictures painted by their widget: each draws something of its own, centred in a
// widget wider than the canvas's shape.
#include <QImage>
#include <gtest/gtest.h>

#include <vector>

#include "ui/WizardPictures.h"
#include "wizards/WizardPictureShapes.h"

namespace zt40 {
namespace {

TEST(WizardPictureWidgetTest, EachPictureDrawsItsOwnShapesCentredInTheWidget) {
    const QColor background(1, 2, 3);
    std::vector<QImage> painted;
    for (const WizardPicture picture : kWizardPictures) {
        ui::WizardPictureWidget widget(picture);
        widget.resize(300, 125);
        QImage image(widget.size(), QImage::Format_RGB32);
        image.fill(background);
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) drawn += image.pixelColor(x, y) != background ? 1 : 0;
            // Scaled by 125/250: the drawing is at most 121 wide, centred in the 300-wide widget.
            EXPECT_EQ(image.pixelColor(80, y), background) << static_cast<int>(picture);
            EXPECT_EQ(image.pixelColor(220, y), background) << static_cast<int>(picture);
        }
        EXPECT_GT(drawn, 400) << static_cast<int>(picture);
        painted.push_back(image);
    }
    for (std::size_t a = 0; a < painted.size(); ++a) {
        for (std::size_t b = a + 1; b < painted.size(); ++b) EXPECT_FALSE(painted[a] == painted[b]) << a << " " << b;
    }
}

}  // namespace
}  // namespace zt40
