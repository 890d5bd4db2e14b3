#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace {

TEST(Cp932, UsesMicrosoftsMappingAndKeepsFullAndHalfWidthApart)
{
    for (const auto &[utf8, bytes] : std::initializer_list<std::pair<std::string, std::string>>{
             {"\uFF5E", "\x81\x60"}, // FULLWIDTH TILDE, where JIS has WAVE DASH
             {"\u2225", "\x81\x61"}, // PARALLEL TO
             {"\uFF0D", "\x81\x7C"}, // FULLWIDTH HYPHEN-MINUS
             {"\uFFE0", "\x81\x91"}, // FULLWIDTH CENT SIGN
             {"\uFFE2", "\x81\xCA"}, // FULLWIDTH NOT SIGN
             {"\u2015", "\x81\x5C"}, // HORIZONTAL BAR
             {"\\~", "\\~"},
             {"\uFF65\u30FB", "\xA5\x81\x45"}, // ･ ・
             {"(\uFF08", "(\x81\x69"},
             {"1\uFF11", "1\x82\x50"},
             {"\uFF71\u30A2", "\xB1\x83\x41"}, // ｱ ア
             {"コマンド", "\x83\x52\x83\x7D\x83\x93\x83\x68"},
             {"", ""}}) {
        EXPECT_EQ(cp932::fromUtf8(utf8), bytes) << utf8;
        EXPECT_EQ(cp932::toUtf8(bytes), utf8) << utf8;
    }
    const std::string text = "コマンド(MWCID=2126)送信 ステーション上で首･脚、「７の舞」？";
    EXPECT_EQ(cp932::toUtf8(cp932::fromUtf8(text)), text);
}

TEST(Cp932, RejectsWhatOnlyTheJisMappingHoldsAndTextOutsideTheCodePage)
{
    for (const char *utf8 : {"\u301C", // WAVE DASH
                             "\u2016", // DOUBLE VERTICAL LINE
                             "\u2212", // MINUS SIGN
                             "\u00A2", // CENT SIGN
                             "\u00A5", // YEN SIGN
                             "\u203E", // OVERLINE
                             "caf\u00E9", "\U0001F600",
                             "\xE3\x81",      // cut short
                             "a\x80z",        // stray continuation
                             "\xC0\xAF"})     // overlong
        EXPECT_THROW(cp932::fromUtf8(utf8), std::invalid_argument) << utf8;
    try {
        cp932::fromUtf8("ok\u301C");
        FAIL() << "WAVE DASH converted";
    } catch (const std::invalid_argument &error) {
        EXPECT_NE(std::string(error.what()).find("E3 80 9C at byte 2"), std::string::npos) << error.what();
    }
}

TEST(Cp932, FailsLoudlyOnBytesThatDoNotDecode)
{
    EXPECT_THROW(cp932::toUtf8("\x81"), std::invalid_argument);       // lead byte alone
    EXPECT_THROW(cp932::toUtf8("ab\x85\x40"), std::invalid_argument); // unassigned
    EXPECT_THROW(cp932::toUtf8("\x80"), std::invalid_argument);
}

} // namespace
