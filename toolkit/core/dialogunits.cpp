#include "dialogunits.h"

#include <cstdint>

namespace tk {

int mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    return static_cast<int>(negative ? -rounded : rounded);
}

int averageCharWidth(int widthOfAlphabet)
{
    return (widthOfAlphabet / 26 + 1) / 2;
}

int pointsToPixels(int points, int dotsPerInch)
{
    return mulDiv(points, dotsPerInch, 72);
}

int duToPixelsX(int du, const BaseUnits &units)
{
    return mulDiv(du, units.cx, 4);
}

int duToPixelsY(int du, const BaseUnits &units)
{
    return mulDiv(du, units.cy, 8);
}

PixelRect duToPixels(int x, int y, int cx, int cy, const BaseUnits &units)
{
    // The dialog manager converts position and size each on its own.
    return {duToPixelsX(x, units), duToPixelsY(y, units), duToPixelsX(cx, units), duToPixelsY(cy, units)};
}

} // namespace tk
