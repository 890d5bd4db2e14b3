#include "commands/catalogue.h"

#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>

namespace {

TEST(CatalogueRow, EveryEntryGivesTheNumberAtItsHead)
{
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const int expected = std::stoi(text.substr(0, text.find(": ")));
        EXPECT_EQ(mwcidOfRow(*entry), expected) << text;
        // The number reads the same from the code page 932 form of the row.
        EXPECT_EQ(mwcidOfRow(cp932::fromUtf8(text).c_str()), expected) << text;
    }
}

TEST(CatalogueRow, ReadsLikeStrtolUpToTheFirstColon)
{
    EXPECT_EQ(mwcidOfRow(""), 0);
    EXPECT_EQ(mwcidOfRow("abc"), 0);
    EXPECT_EQ(mwcidOfRow(":2126"), 0);
    EXPECT_EQ(mwcidOfRow("12:34"), 12);
    EXPECT_EQ(mwcidOfRow("123 abc"), 123);
    EXPECT_EQ(mwcidOfRow(" \t\n\v\f\r42x"), 42);
    EXPECT_EQ(mwcidOfRow("-17: x"), -17);
    EXPECT_EQ(mwcidOfRow("+5"), 5);
    EXPECT_EQ(mwcidOfRow("- 5"), 0);
    EXPECT_EQ(mwcidOfRow("--5"), 0);
    EXPECT_EQ(mwcidOfRow("1 2"), 1);
    EXPECT_EQ(mwcidOfRow("007"), 7);
    EXPECT_EQ(mwcidOfRow("0x1F"), 0);
    EXPECT_EQ(mwcidOfRow("１２"), 0); // full-width digits are not digits
    EXPECT_EQ(mwcidOfRow(nullptr), 0);
    EXPECT_EQ(mwcidOfRow("-0042abc"), -42);
}

TEST(CatalogueRow, ClampsNumbersBeyondInt)
{
    EXPECT_EQ(mwcidOfRow("2147483647"), INT_MAX);
    EXPECT_EQ(mwcidOfRow("2147483648"), INT_MAX);
    EXPECT_EQ(mwcidOfRow("99999999999999999999999999: x"), INT_MAX);
    EXPECT_EQ(mwcidOfRow("  -2147483648"), INT_MIN);
    EXPECT_EQ(mwcidOfRow("-2147483649"), INT_MIN);
    EXPECT_EQ(mwcidOfRow("-99999999999999999999999999"), INT_MIN);
    EXPECT_EQ(mwcidOfRow(std::string(300, '9').c_str()), INT_MAX);
}

TEST(CatalogueRow, OnlyTheTextThatFitsTheWorkingBufferCounts)
{
    const std::size_t room = kContentRowBufferSize - 1;
    EXPECT_EQ(mwcidOfRow((std::string(room - 1, ' ') + "7").c_str()), 7);
    EXPECT_EQ(mwcidOfRow((std::string(room, ' ') + "7").c_str()), 0);
    EXPECT_EQ(mwcidOfRow((std::string(room - 4, ' ') + "12345").c_str()), 1234);

    // Text without a terminator within reach is read no further than the buffer.
    char unterminated[kContentRowBufferSize + 40];
    std::fill(std::begin(unterminated), std::end(unterminated), ' ');
    unterminated[room - 2] = '5';
    unterminated[room - 1] = '6';
    unterminated[room] = '7';
    EXPECT_EQ(mwcidOfRow(unterminated), 56);
}

} // namespace
