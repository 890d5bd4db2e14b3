#include "link/addressmemory.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using robotlink::Octets;
using robotlink::parseAddressMemory;
using robotlink::readAddressMemory;

namespace {

struct Scan
{
    Octets fields;
    int scanned;
};

void expectScan(const char *text, const Scan &expected)
{
    const robotlink::RememberedAddress got = parseAddressMemory(text);
    EXPECT_EQ(got.fields, expected.fields) << "text: " << text;
    EXPECT_EQ(got.scanned, expected.scanned) << "text: " << text;
}

class AddressMemoryFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string path() const { return QDir(m_dir.path()).filePath(QStringLiteral("zenkaiip.txt")).toStdString(); }

    void write(const std::string &content) const { std::ofstream(path(), std::ios::binary) << content; }

    std::string content() const
    {
        std::ifstream file(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST(AddressMemoryScan, FollowsScanfRules)
{
    expectScan("10.0.0.1", {{10, 0, 0, 1}, 4});
    expectScan("10.0.0.1\n", {{10, 0, 0, 1}, 4});
    expectScan(" 1. 2.\t3.\r\n4", {{1, 2, 3, 4}, 4});
    expectScan("+1.+2.-0.3", {{1, 2, 0, 3}, 4});
    expectScan("007.08.9.10", {{7, 8, 9, 10}, 4});
    expectScan("1.2.3.4.5", {{1, 2, 3, 4}, 4});
}

TEST(AddressMemoryScan, StopsAtTheFirstMismatch)
{
    expectScan("", {{0, 0, 0, 0}, 0});
    expectScan("abc", {{0, 0, 0, 0}, 0});
    expectScan("10.0", {{10, 0, 0, 0}, 2});
    expectScan("10.0.0", {{10, 0, 0, 0}, 3});
    expectScan("1 .2.3.4", {{1, 0, 0, 0}, 1});
    expectScan("1..2.3", {{1, 0, 0, 0}, 1});
    expectScan("1.-.3.4", {{1, 0, 0, 0}, 1});
    expectScan("1,2,3,4", {{1, 0, 0, 0}, 1});
}

TEST(AddressMemoryScan, KeepsTheLowEightBits)
{
    expectScan("300.1.2.-1", {{44, 1, 2, 255}, 4});
    expectScan("256.-256.511.-255", {{0, 0, 255, 1}, 4});
}

TEST(AddressMemoryScan, NumbersBeyondAnIntAreReducedFromTheirExactValue)
{
    // 2^32 + 44, and its negative: -(2^32 + 44) = 212 modulo 256.
    expectScan("4294967340.-4294967340.2147483648.-2147483649", {{44, 212, 0, 255}, 4});
    expectScan("99999999999999999999999999999999", {{255, 0, 0, 0}, 1});
}

TEST(AddressMemoryScan, FormatsTheDottedText)
{
    EXPECT_EQ(robotlink::dottedAddress({0, 0, 0, 0}), "0.0.0.0");
    EXPECT_EQ(robotlink::dottedAddress({127, 0, 0, 1}), "127.0.0.1");
    EXPECT_EQ(robotlink::dottedAddress({255, 255, 255, 255}), "255.255.255.255");
}

TEST_F(AddressMemoryFile, MissingFileGivesNothing)
{
    EXPECT_FALSE(readAddressMemory(path().c_str()).has_value());
}

TEST_F(AddressMemoryFile, OnlyTheFirstSixteenBytesCount)
{
    write("  192.168.100.101");
    const auto got = readAddressMemory(path().c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->fields, (Octets{192, 168, 100, 10}));
}

TEST_F(AddressMemoryFile, HugeFileIsReadOnlyAtItsStart)
{
    write("1.2.3.4" + std::string(4 << 20, 'x'));
    const auto got = readAddressMemory(path().c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->fields, (Octets{1, 2, 3, 4}));
}

TEST_F(AddressMemoryFile, NulBytesEndTheText)
{
    write(std::string("10.9\0.8.7", 9));
    const auto got = readAddressMemory(path().c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->scanned, 2);
    EXPECT_EQ(got->fields, (Octets{10, 9, 0, 0}));
}

TEST_F(AddressMemoryFile, EmptyOrBinaryFileScansNothing)
{
    write("");
    auto got = readAddressMemory(path().c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->scanned, 0);

    write(std::string("\xff\xfe\x01\x80\x00\x7f", 6));
    got = readAddressMemory(path().c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->scanned, 0);
}

TEST_F(AddressMemoryFile, ADirectoryInItsPlaceCannotBeRead)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path())));
    EXPECT_FALSE(readAddressMemory(path().c_str()).has_value());
    robotlink::writeAddressMemory("1.2.3.4", path().c_str());
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path())).isDir());
}

TEST_F(AddressMemoryFile, WritesExactlyTheDottedText)
{
    write("255.255.255.255 and more");
    robotlink::writeAddressMemory("10.0.0.1", path().c_str());
    EXPECT_EQ(content(), "10.0.0.1");
}
