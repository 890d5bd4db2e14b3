#pragma once

#include <string>
#include <string_view>

// Texts are UTF-8 throughout; the system's W functions take UTF-16. These
// convert at that boundary, whatever the system's code page, and give an
// empty text for input that is not valid in its encoding.
namespace tk {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace tk
