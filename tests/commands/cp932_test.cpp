#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(Cp932, MapsTheCharactersWhereMicrosoftDiffersFromJis)
{
    EXPECT_EQ(cp932::fromUtf8("\uFF5E"), "\x81\x60"); // FULLWIDTH TILDE
    EXPECT_EQ(cp932::fromUtf8("\u2225"), "\x81\x61"); // PARALLEL TO
    EXPECT_EQ(cp932::fromUtf8("\uFF0D"), "\x81\x7C"); // FULLWIDTH HYPHEN-MINUS
    EXPECT_EQ(cp932::fromUtf8("\uFFE0"), "\x81\x91"); // FULLWIDTH CENT SIGN
    EXPECT_EQ(cp932::fromUtf8("\uFFE2"), "\x81\xCA"); // FULLWIDTH NOT SIGN
    EXPECT_EQ(cp932::fromUtf8("\u2015"), "\x81\x5C"); // HORIZONTAL BAR
    EXPECT_EQ(cp932::fromUtf8("\\~"), "\\~");
}

TEST(Cp932, RejectsWhatOnlyTheJisMappingHolds)
{
    EXPECT_THROW(cp932::fromUtf8("\u301C"), std::invalid_argument); // WAVE DASH
    EXPECT_THROW(cp932::fromUtf8("\u2016"), std::invalid_argument); // DOUBLE VERTICAL LINE
    EXPECT_THROW(cp932::fromUtf8("\u2212"), std::invalid_argument); // MINUS SIGN
    EXPECT_THROW(cp932::fromUtf8("\u00A2"), std::invalid_argument); // CENT SIGN
    EXPECT_THROW(cp932::fromUtf8("\u00A5"), std::invalid_argument); // YEN SIGN
    EXPECT_THROW(cp932::fromUtf8("\u203E"), std::invalid_argument); // OVERLINE
    EXPECT_EQ(cp932::toUtf8("\x81\x60"), "\uFF5E");
}

TEST(Cp932, KeepsFullWidthAndHalfWidthFormsApart)
{
    EXPECT_EQ(cp932::fromUtf8("\uFF65"), "\xA5");     // ･
    EXPECT_EQ(cp932::fromUtf8("\u30FB"), "\x81\x45"); // ・
    EXPECT_EQ(cp932::fromUtf8("(\uFF08"), "(\x81\x69");
    EXPECT_EQ(cp932::fromUtf8("1\uFF11"), "1\x82\x50");
    EXPECT_EQ(cp932::fromUtf8("\uFF71\u30A2"), "\xB1\x83\x41"); // ｱ ア
    EXPECT_EQ(cp932::toUtf8("\xA5\x81\x45"), "\uFF65\u30FB");
}

TEST(Cp932, RoundTripsJapaneseText)
{
    const std::string text = "コマンド(MWCID=2126)送信 ステーション上で首･脚、「７の舞」？";
    const std::string bytes = cp932::fromUtf8(text);
    EXPECT_EQ(bytes.substr(0, 8), "\x83\x52\x83\x7D\x83\x93\x83\x68");
    EXPECT_EQ(cp932::toUtf8(bytes), text);
    EXPECT_EQ(cp932::fromUtf8(""), "");
}

TEST(Cp932, FailsLoudlyOnTextOutsideTheCodePage)
{
    EXPECT_THROW(cp932::fromUtf8("caf\u00E9"), std::invalid_argument);
    EXPECT_THROW(cp932::fromUtf8("\U0001F600"), std::invalid_argument);
    EXPECT_THROW(cp932::fromUtf8("\xE3\x81"), std::invalid_argument);     // cut short
    EXPECT_THROW(cp932::fromUtf8("a\x80z"), std::invalid_argument);        // stray continuation
    EXPECT_THROW(cp932::fromUtf8("\xC0\xAF"), std::invalid_argument);      // overlong
    try {
        cp932::fromUtf8("ok\u301C");
        FAIL() << "WAVE DASH converted";
    } catch (const std::invalid_argument &error) {
        EXPECT_NE(std::string(error.what()).find("E3 80 9C at byte 2"), std::string::npos) << error.what();
    }
}

TEST(Cp932, FailsLoudlyOnBytesThatDoNotDecode)
{
    EXPECT_THROW(cp932::toUtf8("\x81"), std::invalid_argument);     // lead byte alone
    EXPECT_THROW(cp932::toUtf8("ab\x85\x40"), std::invalid_argument); // unassigned
    EXPECT_THROW(cp932::toUtf8("\x80"), std::invalid_argument);
}

} // namespace
