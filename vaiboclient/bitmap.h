#pragma once

#include <cstdint>
#include <vector>

namespace vaibo {

/// A size in pixels.
struct Size
{
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Size &, const Size &) = default;
};

/// A decoded picture: 32-bit pixels 0xffRRGGBB in native byte order, row
/// after row from the top. That is Qt's Format_RGB32 and a top-down 32-bit
/// bitmap of Windows, so each platform paints it without a conversion.
struct Bitmap
{
    Size size;
    std::vector<std::uint32_t> pixels;

    bool isNull() const { return pixels.empty(); }
    std::uint32_t pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y * size.width + x)]; }
};

} // namespace vaibo
