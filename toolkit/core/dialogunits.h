#pragma once

namespace tk {

/// A dialog font's base units in pixels: the average character width and the
/// character height, as the Win32 dialog manager measures them.
struct BaseUnits
{
    int cx;
    int cy;
};

/// A rectangle in pixels.
struct PixelRect
{
    int x, y, width, height;
};

/// number * numerator / denominator, rounded half away from zero, computed
/// without overflow; -1 when the denominator is 0 (Win32's MulDiv).
int mulDiv(int number, int numerator, int denominator);

/// The average width the dialog manager derives from the pixel width of the
/// 52 letters "A".."Z" "a".."z": (width / 26 + 1) / 2.
int averageCharWidth(int widthOfAlphabet);

/// Pixel size of a font's em for a point size at a resolution, rounded as
/// Win32 does for LOGFONT heights.
int pointsToPixels(int points, int dotsPerInch);

int duToPixelsX(int du, const BaseUnits &units);
int duToPixelsY(int du, const BaseUnits &units);
PixelRect duToPixels(int x, int y, int cx, int cy, const BaseUnits &units);

} // namespace tk
