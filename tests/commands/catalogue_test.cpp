#include "commands/catalogue.h"

#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The table walked to its null entry, as the content list fill does.
std::vector<std::string> utf8Entries()
{
    std::vector<std::string> entries;
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry)
        entries.emplace_back(*entry);
    return entries;
}

// Every entry as the code page 932 bytes the program's texts are held in.
const std::vector<std::string> &entries()
{
    static const std::vector<std::string> converted = [] {
        std::vector<std::string> bytes;
        for (const std::string &entry : utf8Entries())
            bytes.push_back(cp932::fromUtf8(entry));
        return bytes;
    }();
    return converted;
}

std::string sjis(std::string_view utf8)
{
    return cp932::fromUtf8(utf8);
}

// An entry split into its code page 932 characters of one or two bytes.
std::vector<std::string_view> characters(std::string_view entry)
{
    std::vector<std::string_view> result;
    for (std::size_t at = 0; at < entry.size();) {
        const auto byte = static_cast<unsigned char>(entry[at]);
        const std::size_t length = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? 2 : 1;
        result.push_back(entry.substr(at, length));
        at += length;
    }
    return result;
}

std::size_t positionOf(std::string_view utf8)
{
    const auto &all = entries();
    return static_cast<std::size_t>(std::find(all.begin(), all.end(), sjis(utf8)) - all.begin());
}

TEST(ContentCatalogue, Holds1087EntriesOfTheDataFileInItsOrder)
{
    std::ifstream data(KORVAN_CATALOGUE_DATA, std::ios::binary);
    ASSERT_TRUE(data) << KORVAN_CATALOGUE_DATA;
    std::vector<std::string> lines;
    for (std::string line; std::getline(data, line);)
        lines.push_back(line);
    EXPECT_EQ(utf8Entries(), lines);
    ASSERT_EQ(entries().size(), 1087u);

    // Where the groups start, and the last entry.
    for (const auto &[position, entry] : std::map<std::size_t, std::string>{
             {0, "2126: かがみ姿勢(standb)"}, {47, "2345: 音＋LED(顔)＋LED(背中全部3秒ほど点灯)(any)"},
             {65, "2000: 通常 STANDUP(stand)"}, {141, "2871: もがく(fdr)"}, {152, "3237: タッチ(sleepb)"},
             {305, "3210: 尻尾たてふり(any)"}, {359, "3175: ぱくぱく(any)"}, {530, "2251: 光(any)"},
             {641, "3003: おしっこ(デフォルト)(stand)"}, {823, "3073: 嫌がる （ 顔を背ける ）(デフォルト)(sit)"},
             {923, "2390: 怒り(any)"}, {1051, "3039: バランスチェック(sitb)"}, {1059, "2403: LED/SOUND(any)"},
             {1082, "3128: 立ち上がり(standj)"}, {1086, "2642: 顔LEDの持続表示を消す(any)"}})
        EXPECT_EQ(cp932::toUtf8(entries().at(position)), entry) << "position " << position;
    // Mixed parentheses stay as written.
    EXPECT_LT(positionOf("3011: 寝る(デフォルト）(sleepg1)"), entries().size());
    EXPECT_EQ(positionOf("3011: 寝る（デフォルト）(sleepg1)"), entries().size());
}

TEST(ContentCatalogue, EveryEntryIsNumberColonDescriptionAndTagAndFitsTheWorkingBuffer)
{
    // One ASCII colon; a description without edge spaces; a tag after the last '('.
    const std::regex form(R"(^[1-9][0-9]{2,3}: [^ :]([^:]*[^ :])?\([a-z0-9]+\)$)");
    std::size_t shortest = SIZE_MAX;
    std::size_t longest = 0;
    std::size_t mostCharacters = 0;
    for (const std::string &entry : entries()) {
        EXPECT_TRUE(std::regex_match(entry, form)) << cp932::toUtf8(entry);
        EXPECT_EQ(cp932::toUtf8(entry).find("："), std::string::npos) << cp932::toUtf8(entry);
        shortest = std::min(shortest, entry.size());
        longest = std::max(longest, entry.size());
        mostCharacters = std::max(mostCharacters, characters(entry).size());
    }
    EXPECT_EQ(shortest, 13u);
    EXPECT_EQ(longest, 74u);
    EXPECT_EQ(mostCharacters, 46u);
    EXPECT_LT(longest, kContentRowBufferSize);
    EXPECT_EQ(std::count_if(entries().begin(), entries().end(), [&](const auto &e) { return e.size() == longest; }),
              1);
    EXPECT_EQ(entries()[positionOf("2140: ステーション上で首･脚のゲインを抜く姿勢に移動。首が下向き(stationg2)")].size(),
              longest);
}

TEST(ContentCatalogue, FiveEntriesHoldTheHalfWidthMiddleDot)
{
    std::vector<std::string> withDot;
    for (const std::string &entry : entries()) {
        const auto chars = characters(entry);
        EXPECT_EQ(std::count(chars.begin(), chars.end(), sjis("・")), 0);
        if (std::find(chars.begin(), chars.end(), "\xA5") != chars.end())
            withDot.push_back(cp932::toUtf8(entry));
    }
    EXPECT_EQ(withDot, (std::vector<std::string>{
                           "2139: ステーション上で首･脚のゲインを抜く姿勢に移動(stationg)",
                           "2140: ステーション上で首･脚のゲインを抜く姿勢に移動。首が下向き(stationg2)",
                           "2553: ファンファーレ1 音･LEDのみ(any)",
                           "2554: ファンファーレ2 音･LEDのみ(any)",
                           "2555: ファンファーレ3 音･LEDのみ(any)",
                       }));
}

TEST(ContentCatalogue, Carries1038DistinctMwcidsFrom603To4042WithThirtyRepeated)
{
    std::map<int, int> counts;
    std::map<std::string, int> textCounts;
    for (const std::string &entry : entries()) {
        ++counts[std::stoi(entry)];
        ++textCounts[cp932::toUtf8(entry)];
    }
    EXPECT_EQ(counts.size(), 1038u);
    EXPECT_EQ(counts.begin()->first, 603);
    EXPECT_EQ(std::count_if(counts.begin(), counts.end(), [](const auto &c) { return c.first < 1000; }), 1);
    EXPECT_EQ(counts.rbegin()->first, 4042);

    std::erase_if(counts, [](const auto &c) { return c.second == 1; });
    EXPECT_EQ(counts, (std::map<int, int>{
                          {2010, 6}, {2020, 6}, {2030, 6}, {2002, 5}, {2254, 4}, {2000, 3}, {2731, 3}, {2001, 2},
                          {2003, 2}, {2022, 2}, {2047, 2}, {2048, 2}, {2055, 2}, {2056, 2}, {2059, 2}, {2060, 2},
                          {2175, 2}, {2176, 2}, {2177, 2}, {2179, 2}, {2180, 2}, {2181, 2}, {2251, 2}, {2256, 2},
                          {2260, 2}, {2263, 2}, {2266, 2}, {2270, 2}, {2734, 2}, {2919, 2},
                      }));
    EXPECT_LT(positionOf("2175: SLEEPW1への遷移(sleepw1)"), positionOf("2175: ゆらゆら派生姿勢(sleep)"));
    EXPECT_LT(positionOf("2175: ゆらゆら派生姿勢(sleep)"), entries().size());

    // Ten entries stand verbatim more than once.
    std::erase_if(textCounts, [](const auto &c) { return c.second == 1; });
    EXPECT_EQ(textCounts, (std::map<std::string, int>{
                              {"2919: 投げる(stand)", 2}, {"2734: しっぽ停止(any)", 2}, {"2731: 口停止(any)", 3},
                              {"2251: 光(any)", 2}, {"2256: 光(any)", 2}, {"2260: 光(any)", 2},
                              {"2263: 光(any)", 2}, {"2266: 光(any)", 2}, {"2270: 光(any)", 2},
                              {"2254: 持続表示クリア(any)", 4}}));
}

TEST(ContentCatalogue, Carries46PostureTags)
{
    std::map<std::string, int> counts;
    for (const std::string &entry : entries())
        ++counts[entry.substr(entry.rfind('(') + 1, entry.size() - entry.rfind('(') - 2)];
    EXPECT_EQ(counts, (std::map<std::string, int>{
                          {"any", 589},    {"stand", 103},  {"sleep", 90},    {"sit", 83},     {"sleepb", 35},
                          {"standf", 20},  {"walk", 19},    {"walkk", 19},    {"sitf", 15},    {"sleepf", 15},
                          {"station", 14}, {"sleepg1", 10}, {"standb", 10},   {"sleepg3", 9},  {"sleepm", 7},
                          {"sitb", 6},     {"sleepi1", 4},  {"sleepm2", 3},   {"standj", 3},   {"fdb", 2},
                          {"fdh", 2},      {"fdl", 2},      {"fdr", 2},       {"fdt", 2},      {"walkl", 2},
                          {"lift", 1},     {"liftk", 1},    {"liftl", 1},     {"liftl1", 1},   {"liftl2", 1},
                          {"pstation", 1}, {"siti1", 1},    {"sitw1", 1},     {"sitw2", 1},    {"sitw3", 1},
                          {"sleepc", 1},   {"sleepc1", 1},  {"sleepc2", 1},   {"sleepc3", 1},  {"sleepc4", 1},
                          {"sleepm1", 1},  {"sleepw1", 1},  {"sleepw2", 1},   {"sleepw3", 1},  {"stationg", 1},
                          {"stationg2", 1},
                      }));
}

} // namespace
