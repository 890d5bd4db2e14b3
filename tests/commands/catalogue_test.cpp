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

} // namespace
