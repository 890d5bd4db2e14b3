#pragma once

#include <string>
#include <string_view>

// Conversion from UTF-8 to code page 932 with Microsoft's mapping, for
// checking that a text is exactly what the Japanese code page holds.
namespace cp932 {

/// The code page 932 bytes of a UTF-8 text. Throws std::invalid_argument
/// naming the first character that has no exact two-way counterpart, such as
/// U+301C WAVE DASH, which the code page only approximates by U+FF5E.
std::string fromUtf8(std::string_view utf8);

} // namespace cp932
