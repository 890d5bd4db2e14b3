#include "toolkit/core/dialogunits.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ToolkitMulDiv, RoundsHalvesAwayFromZeroWithoutOverflow)
{
    struct Case
    {
        int number, numerator, denominator, expected;
    };
    for (const Case &c : {Case{7, 3, 2, 11}, {-7, 3, 2, -11}, {7, -3, 2, -11}, {7, 3, -2, -11}, {-7, -3, 2, 11},
                          {10, 1, 4, 3}, {9, 1, 4, 2}, {11, 1, 4, 3}, {-9, 1, 4, -2}, {-11, 1, 4, -3},
                          {INT_MAX, 4, 4, INT_MAX}, {INT_MIN + 1, 3, 3, INT_MIN + 1}, {1 << 30, 8, 16, 1 << 29},
                          {5, 3, 0, -1}, {0, 0, 0, -1}})
        EXPECT_EQ(tk::mulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << "*" << c.numerator << "/" << c.denominator;
}

TEST(ToolkitDialogUnits, FontMetricsBecomeBaseUnitsAndPixels)
{
    EXPECT_EQ(tk::averageCharWidth(369), 7); // (14 + 1) / 2
    EXPECT_EQ(tk::averageCharWidth(312), 6);
    EXPECT_EQ(tk::pointsToPixels(9, 96), 12);
    EXPECT_EQ(tk::pointsToPixels(8, 96), 11); // 10.67
    EXPECT_EQ(tk::pointsToPixels(9, 120), 15);
    const tk::BaseUnits units{7, 13};
    EXPECT_EQ(tk::duToPixelsX(1, units), 2);     // 1.75
    EXPECT_EQ(tk::duToPixelsX(455, units), 796); // 796.25
    EXPECT_EQ(tk::duToPixelsY(340, units), 553); // 552.5
    EXPECT_EQ(tk::duToPixelsY(-4, units), -7);   // -6.5
}

TEST(ToolkitDialogUnits, PositionAndSizeAreConvertedEachOnItsOwn)
{
    // 1.75 and 3.5 round to 2 and 4: the right edge lands on 6, not on the 5
    // that converting its 3 units at once would give.
    const tk::PixelRect rect = tk::duToPixels(1, 1, 2, 3, {7, 13});
    EXPECT_EQ(rect.x, 2);
    EXPECT_EQ(rect.width, 4);
    EXPECT_EQ(rect.y, 2);      // 1.625
    EXPECT_EQ(rect.height, 5); // 4.875
}

} // namespace
