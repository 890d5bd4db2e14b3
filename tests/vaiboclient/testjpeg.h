#pragma once

#include <cstdint>
#include <vector>

/// A JPEG picture of one colour, 0xRRGGBB, written by the platform's own
/// encoder, for frames the fake robot sends.
std::vector<std::uint8_t> solidJpeg(int width, int height, std::uint32_t rgb);
