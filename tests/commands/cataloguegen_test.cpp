// The table generator, run on data with every character that a C++ string
// literal could lose, and on data it must refuse.
#include "commands/catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// This executable's kContentCatalogue is generated from the test data file.
TEST(CatalogueGenerator, KeepsEveryCharacterOfEveryLine)
{
    std::vector<std::string> lines;
    std::ifstream data(KORVAN_GENERATOR_DATA, std::ios::binary);
    for (std::string line; std::getline(data, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 8u);

    std::vector<std::string> table;
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry)
        table.emplace_back(*entry);
    EXPECT_EQ(table, lines);
    EXPECT_EQ(table.at(1).back(), '\\');
    EXPECT_EQ(table.at(3), "  leading and trailing spaces  ");
}

class GeneratorRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::path(::testing::TempDir()) / "cataloguegen-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_directory = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    // Runs the generator on data; returns its exit status, keeps its errors.
    int generate(const std::string &data, const std::string &output = "table.cpp")
    {
        std::ofstream(m_directory / "data.txt", std::ios::binary) << data;
        const std::string command = std::string("'") + KORVAN_CATALOGUEGEN + "' '" + (m_directory / "data.txt").string()
                                    + "' '" + (m_directory / output).string() + "' 2>'"
                                    + (m_directory / "errors.txt").string() + "'";
        const int status = std::system(command.c_str());
        m_errors = readFile(m_directory / "errors.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::filesystem::path m_directory;
    std::string m_errors;
};

TEST_F(GeneratorRun, WindowsLineEndsGiveTheSameTable)
{
    ASSERT_EQ(generate("2126: a(any)\n603: b(walk)\n"), 0);
    const std::string unixTable = readFile(m_directory / "table.cpp");
    ASSERT_EQ(generate("2126: a(any)\r\n603: b(walk)\r\n"), 0);
    EXPECT_EQ(readFile(m_directory / "table.cpp"), unixTable);
    ASSERT_EQ(generate("2126: a(any)\n603: b(walk)"), 0);
    EXPECT_EQ(readFile(m_directory / "table.cpp"), unixTable);
}

TEST_F(GeneratorRun, RefusesBadLinesNamingThem)
{
    for (const auto &[data, message] : std::initializer_list<std::pair<std::string, std::string>>{
             {"1: a(any)\n2: b(any)\n\n3: c(any)\n", "data.txt:3: empty line"},
             {"1: a\tb(any)\n", ":1: control character at byte 5"},
             {"1: a(any)\n2: \xE3\x81(any)\n", ":2: malformed UTF-8 at byte 4"},
             {"1: \xED\xA0\x80(any)\n", "malformed UTF-8"}, // a surrogate
             {"", "no entries"}}) {
        EXPECT_EQ(generate(data), 1) << message;
        EXPECT_NE(m_errors.find(message), std::string::npos) << m_errors;
        EXPECT_FALSE(std::filesystem::exists(m_directory / "table.cpp"));
    }
}

TEST_F(GeneratorRun, ReportsFilesItCannotUse)
{
    EXPECT_EQ(generate("1: a(any)\n", "missing/table.cpp"), 1);
    EXPECT_NE(m_errors.find("cannot be written"), std::string::npos) << m_errors;

    std::filesystem::remove(m_directory / "data.txt");
    const std::string command = std::string("'") + KORVAN_CATALOGUEGEN + "' '" + (m_directory / "absent.txt").string()
                                + "' '" + (m_directory / "table.cpp").string() + "' 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(m_directory / "table.cpp"));
}

} // namespace
