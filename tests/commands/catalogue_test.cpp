#include "framework/catalogue.h"

#include "tests/support/cp932.h"
#include "tests/support/sha256.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

// Every entry is exactly a code page 932 text of the form the content list
// reads, and fits the buffer the panel reads a row into.
TEST(ContentCatalogue, EveryEntryIsNumberColonDescriptionAndTagAndFitsTheWorkingBuffer)
{
    // One ASCII colon; a description without edge spaces; a tag after the last '('.
    const std::regex form(R"(^[1-9][0-9]{2,3}: [^ :]([^:]*[^ :])?\([a-z0-9]+\)$)");
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry) {
        const std::string bytes = cp932::fromUtf8(*entry);
        EXPECT_TRUE(std::regex_match(bytes, form)) << *entry;
        EXPECT_EQ(std::string(*entry).find("："), std::string::npos) << *entry;
        EXPECT_LT(bytes.size(), kContentRowBufferSize) << *entry;
    }
}

// The table's every character, full-width and half-width forms alike, and
// its order: the SHA-256 of its 1087 rows joined by line feeds, as the
// robot's list was transcribed; and of the same rows in code page 932, as
// the list shows them, which the system's own table on Windows and
// glibc's on Linux must both give.
TEST(ContentCatalogue, TheTableIsTheTranscribedListToTheLastCharacter)
{
    std::string rows;
    std::string shown;
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry) {
        if (entry != kContentCatalogue) {
            rows += '\n';
            shown += '\n';
        }
        rows += *entry;
        shown += cp932::fromUtf8(*entry);
    }
    EXPECT_EQ(sha256Hex(rows), "364ba84143713c2ac911b0391fb7eba72f4d8b7b3109ff110a691b786a8454c5");
    EXPECT_EQ(sha256Hex(shown), "08a3f80ad1073dc2055eaa645ead16d766159b76d8b1beeddc6ecff49f8db008");
}
