#include "commands/catalogue.h"

#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

// The rows the content list holds are the catalogue's entries.
bool isCatalogueEntry(const std::string &text)
{
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry) {
        if (text == *entry)
            return true;
    }
    return false;
}

int mwcidOfEntry(const std::string &text)
{
    EXPECT_TRUE(isCatalogueEntry(text)) << text;
    return mwcidOfRow(text.c_str());
}

TEST(CatalogueRow, ReadsTheRowsNamedForContentPlay)
{
    EXPECT_EQ(mwcidOfEntry("2126: かがみ姿勢(standb)"), 2126);
    EXPECT_EQ(mwcidOfEntry("2010: 最寄のトラッキングしたまま姿勢遷移可能な姿勢に遷移(standf)"), 2010);
    EXPECT_EQ(mwcidOfEntry("2010: 素早く立つ(standf)"), 2010);
    EXPECT_EQ(mwcidOfEntry("2919: 投げる(stand)"), 2919);
    EXPECT_EQ(mwcidOfEntry("603: 揺らすのを停止する(walk)"), 603);
    EXPECT_EQ(mwcidOfEntry("4042: シャッター音(any)"), 4042);
    EXPECT_EQ(mwcidOfEntry("2345: 音＋LED(顔)＋LED(背中全部3秒ほど点灯)(any)"), 2345);
}

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

    for (const char *text : {"", "  -2147483648", "+0", "  99:1", "-0042abc", "2147483647", " 2126: x"}) {
        std::string cut = text;
        cut = cut.substr(0, cut.find(':'));
        errno = 0;
        const long expected = std::strtol(cut.c_str(), nullptr, 10);
        ASSERT_EQ(errno, 0);
        EXPECT_EQ(mwcidOfRow(text), expected) << text;
    }
}

TEST(CatalogueRow, ClampsNumbersBeyondInt)
{
    EXPECT_EQ(mwcidOfRow("2147483647"), INT_MAX);
    EXPECT_EQ(mwcidOfRow("2147483648"), INT_MAX);
    EXPECT_EQ(mwcidOfRow("99999999999999999999999999: x"), INT_MAX);
    EXPECT_EQ(mwcidOfRow("-2147483648"), INT_MIN);
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
