#include "link/addressmemory.h"
#include "tests/support/files.h"
#include "tests/support/filesizelimit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using robotlink::Octets;
using robotlink::readAddressMemory;

namespace {

class AddressMemoryFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(std::filesystem::is_directory(m_dir.path())); }

    std::string path() const { return (m_dir.path() / "zenkaiip.txt").string(); }
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(m_dir.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }
    void write(const std::string &content) const { writeFile(path(), content); }
    std::string content() const { return readFile(path()).value_or(""); }

private:
    TemporaryDirectory m_dir;
};

// The first sixteen bytes are scanned as "%d.%d.%d.%d", each number kept to
// its low eight bits.
TEST_F(AddressMemoryFile, ReadsTheFileAsItsScanWould)
{
    struct Case
    {
        std::string content;
        Octets fields;
        int scanned;
    };
    for (const Case &file :
         {Case{" 1. 2.\t3.\r\n4", {1, 2, 3, 4}, 4}, Case{"+1.+2.-0.3", {1, 2, 0, 3}, 4},
          Case{"  192.168.100.101", {192, 168, 100, 10}, 4},
          Case{"1.2.3.4" + std::string(4 << 20, 'x'), {1, 2, 3, 4}, 4}, Case{"300.1.2.-1", {44, 1, 2, 255}, 4},
          Case{"256.-256.51.-255", {0, 0, 51, 1}, 4}, Case{"9999999999999999", {255, 0, 0, 0}, 1},
          Case{"10.20", {10, 20, 0, 0}, 2}, Case{"1 .2.3.4", {1, 0, 0, 0}, 1}, Case{"1.-.3.4", {1, 0, 0, 0}, 1},
          Case{"abc", {0, 0, 0, 0}, 0}, Case{std::string("10.9\0.8.7", 9), {10, 9, 0, 0}, 2}}) {
        SCOPED_TRACE(file.content.substr(0, 20));
        write(file.content);
        const auto got = readAddressMemory(path().c_str());
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(got->fields, file.fields);
        EXPECT_EQ(got->scanned, file.scanned);
    }
}

TEST_F(AddressMemoryFile, MissingFileGivesNothing)
{
    EXPECT_FALSE(readAddressMemory(path().c_str()).has_value());
}

TEST_F(AddressMemoryFile, WritesExactlyTheDottedTextWithNoLineEnd)
{
    write("255.255.255.255 and more");
    robotlink::writeAddressMemory(robotlink::dottedAddress({10, 0, 0, 1}), path().c_str());
    EXPECT_EQ(content(), "10.0.0.1");
}

TEST_F(AddressMemoryFile, AWriteThatFailsHalfwayKeepsTheOldAddress)
{
    write("10.0.0.1");
    // Files may grow to five bytes only: the new address cannot be written whole.
    if (!limitFileSizes(5))
        GTEST_SKIP() << "this system limits no process's file sizes";
    robotlink::writeAddressMemory("192.168.100.101", path().c_str());
    unlimitFileSizes();
    EXPECT_EQ(content(), "10.0.0.1");
    EXPECT_EQ(files(), std::vector<std::string>{"zenkaiip.txt"}) << "no temporary file is left";
}

} // namespace
