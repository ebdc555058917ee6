#pragma once
// A raster image as the printer takes it: one byte per dot, a palette index,
// where 0 is the background and larger values strike harder.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zt40::jobgen {

class DotImage {
public:
    DotImage(int width, int height)
        : m_width(width), m_height(height), m_dots(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    std::uint8_t At(int x, int y) const { return m_dots[Index(x, y)]; }

    // Drawing outside the image is clipped, so shapes may be placed near the edges freely.
    void Set(int x, int y, std::uint8_t value) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height) m_dots[Index(x, y)] = value;
    }

    // Fills columns [left, left + width) of rows [top, top + height).
    void FillRect(int left, int top, int width, int height, std::uint8_t value) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x) Set(x, y, value);
    }

    const std::uint8_t* Row(int y) const { return m_dots.data() + Index(0, y); }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_dots;
};

}  // namespace zt40::jobgen
