#pragma once

#include <string>
#include <string_view>

/// The SHA-256 of the bytes, in lower-case hexadecimal, by the platform's
/// own implementation.
std::string sha256Hex(std::string_view bytes);
