#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

/// Reads a whole file, or nothing when it is missing.
inline std::optional<std::string> readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}
