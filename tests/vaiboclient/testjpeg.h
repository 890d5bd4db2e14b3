#pragma once

#include <QColor>

#include <cstdint>
#include <vector>

/// A JPEG picture of one colour, for frames the fake robot sends.
std::vector<std::uint8_t> solidJpeg(int width, int height, QColor colour);
