#pragma once

#include <QColor>

#include <cstdint>
#include <vector>

/// An RGB picture (three bytes a pixel, rows top down) as JPEG, 4:2:0.
std::vector<std::uint8_t> encodeJpeg(const std::vector<std::uint8_t> &rgb, int width, int height, int quality);

/// A JPEG picture of one colour, for frames the fake robot sends.
std::vector<std::uint8_t> solidJpeg(int width, int height, QColor colour);
