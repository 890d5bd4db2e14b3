#include "framework/catalogue.h"

#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

// Every entry is exactly a code page 932 text of the form the content list
// reads, and fits the buffer the panel reads a row into.
TEST(ContentCatalogue, EveryEntryIsNumberColonDescriptionAndTagAndFitsTheWorkingBuffer)
{
    // One ASCII colon; a description without edge spaces; a tag after the last '('.
    const std::regex form(R"(^[1-9][0-9]{2,3}: [^ :]([^:]*[^ :])?\([a-z0-9]+\)$)");
    int count = 0;
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry, ++count) {
        const std::string bytes = cp932::fromUtf8(*entry);
        EXPECT_TRUE(std::regex_match(bytes, form)) << *entry;
        EXPECT_EQ(std::string(*entry).find("："), std::string::npos) << *entry;
        EXPECT_LT(bytes.size(), kContentRowBufferSize) << *entry;
    }
    EXPECT_EQ(count, 1087);
}
