#include "toolkit/core/dialogunits.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ToolkitMulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(tk::mulDiv(7, 3, 2), 11);   // 10.5
    EXPECT_EQ(tk::mulDiv(-7, 3, 2), -11); // -10.5
    EXPECT_EQ(tk::mulDiv(7, -3, 2), -11);
    EXPECT_EQ(tk::mulDiv(7, 3, -2), -11);
    EXPECT_EQ(tk::mulDiv(-7, -3, 2), 11);
    EXPECT_EQ(tk::mulDiv(10, 1, 4), 3);  // 2.5
    EXPECT_EQ(tk::mulDiv(9, 1, 4), 2);   // 2.25
    EXPECT_EQ(tk::mulDiv(11, 1, 4), 3);  // 2.75
    EXPECT_EQ(tk::mulDiv(-9, 1, 4), -2); // -2.25
    EXPECT_EQ(tk::mulDiv(-11, 1, 4), -3);
}

TEST(ToolkitMulDiv, ComputesWithoutOverflow)
{
    EXPECT_EQ(tk::mulDiv(INT_MAX, 4, 4), INT_MAX);
    EXPECT_EQ(tk::mulDiv(INT_MIN + 1, 3, 3), INT_MIN + 1);
    EXPECT_EQ(tk::mulDiv(1 << 30, 8, 16), 1 << 29);
}

TEST(ToolkitMulDiv, DivisionByZeroGivesMinusOne)
{
    EXPECT_EQ(tk::mulDiv(5, 3, 0), -1);
    EXPECT_EQ(tk::mulDiv(0, 0, 0), -1);
}

TEST(ToolkitDialogUnits, AverageWidthComesFromTheAlphabet)
{
    EXPECT_EQ(tk::averageCharWidth(369), 7); // (14 + 1) / 2
    EXPECT_EQ(tk::averageCharWidth(312), 6); // (12 + 1) / 2
    EXPECT_EQ(tk::averageCharWidth(338), 7); // (13 + 1) / 2
}

TEST(ToolkitDialogUnits, PointsBecomePixelsAtTheScreenResolution)
{
    EXPECT_EQ(tk::pointsToPixels(9, 96), 12);
    EXPECT_EQ(tk::pointsToPixels(8, 96), 11); // 10.67
    EXPECT_EQ(tk::pointsToPixels(9, 120), 15);
}

TEST(ToolkitDialogUnits, QuarterAndEighthOfTheBaseUnits)
{
    const tk::BaseUnits units{7, 13};
    EXPECT_EQ(tk::duToPixelsX(4, units), 7);
    EXPECT_EQ(tk::duToPixelsX(1, units), 2);   // 1.75
    EXPECT_EQ(tk::duToPixelsX(455, units), 796); // 796.25
    EXPECT_EQ(tk::duToPixelsY(8, units), 13);
    EXPECT_EQ(tk::duToPixelsY(340, units), 553); // 552.5
    EXPECT_EQ(tk::duToPixelsY(-4, units), -7);   // -6.5
}

TEST(ToolkitDialogUnits, PositionAndSizeAreConvertedEachOnItsOwn)
{
    // 1.75 and 3.5 round to 2 and 4, so the right edge lands on 6, where
    // converting the 3 units of the right edge at once would give 5.
    const tk::PixelRect rect = tk::duToPixels(1, 1, 2, 3, {7, 13});
    EXPECT_EQ(rect.x, 2);
    EXPECT_EQ(rect.width, 4);
    EXPECT_EQ(rect.y, 2);      // 1.625
    EXPECT_EQ(rect.height, 5); // 4.875
    EXPECT_EQ(tk::duToPixelsX(1 + 2, {7, 13}), 5);
}

} // namespace
