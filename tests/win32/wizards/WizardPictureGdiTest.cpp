// The step pictures painted into a bitmap: each draws something of its own, and only inside its box.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "ui/win32/WizardPictureGdi.h"
#include "wizards/WizardPictureShapes.h"

namespace zt40::win {
namespace {

constexpr COLORREF kOutside = RGB(1, 2, 3);
constexpr COLORREF kBackground = RGB(240, 240, 240);

struct Canvas {
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
        RECT all{0, 0, kWidth, kHeight};
        HBRUSH fill = CreateSolidBrush(kOutside);
        FillRect(dc, &all, fill);
        DeleteObject(fill);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD pixel = bits[y * kWidth + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    DWORD* bits = nullptr;
};

TEST(WizardPictureGdiTest, EachPictureDrawsInsideItsBoxOnly) {
    // A box away from the origin and narrower than the canvas's shape: the picture is scaled
    // down to its height... and centred across its width.
    const RECT box{50, 40, 350, 165};
    std::vector<std::vector<DWORD>> painted;
    for (const WizardPicture picture : kWizardPictures) {
        Canvas canvas;
        PaintWizardPicture(canvas.dc, box, picture, kBackground);
        int drawn = 0;
        int leftHalf = 0;
        int rightHalf = 0;
        for (int y = 0; y < Canvas::kHeight; ++y) {
            for (int x = 0; x < Canvas::kWidth; ++x) {
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                const COLORREF pixel = canvas.At(x, y);
                if (!inside) {
                    ASSERT_EQ(pixel, kOutside) << static_cast<int>(picture) << " at " << x << "," << y;
                } else if (pixel != kBackground) {
                    ++drawn;
                    (x < (box.left + box.right) / 2 ? leftHalf : rightHalf) += 1;
                }
            }
        }
        // Scaled by 125/250: the drawing is at most 121 wide, centred in the 300-wide box.
        for (int y = box.top; y < box.bottom; ++y) {
            EXPECT_EQ(canvas.At(box.left + 80, y), kBackground) << static_cast<int>(picture);
            EXPECT_EQ(canvas.At(box.right - 80, y), kBackground) << static_cast<int>(picture);
        }
        EXPECT_GT(drawn, 400) << static_cast<int>(picture);
        EXPECT_GT(leftHalf, 0) << static_cast<int>(picture);
        EXPECT_GT(rightHalf, 0) << static_cast<int>(picture);
        painted.emplace_back(canvas.bits, canvas.bits + Canvas::kWidth * Canvas::kHeight);
    }
    // Each picture's own shapes, not one picture for all.
    for (std::size_t a = 0; a < painted.size(); ++a) {
        for (std::size_t b = a + 1; b < painted.size(); ++b) EXPECT_FALSE(painted[a] == painted[b]) << a << " " << b;
    }
}

TEST(WizardPictureGdiTest, AnEmptyBoxDrawsNothing) {
    Canvas canvas;
    PaintWizardPicture(canvas.dc, RECT{20, 20, 20, 80}, WizardPicture::MoveHead, kBackground);
    for (int y = 0; y < Canvas::kHeight; y += 3) {
        for (int x = 0; x < Canvas::kWidth; x += 3) ASSERT_EQ(canvas.At(x, y), kOutside) << x << "," << y;
    }
}

}  // namespace
}  // namespace zt40::win
