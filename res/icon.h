#pragma once

#include <QImage>

#include <array>

class QPainter;

// Icon 128, drawn from shapes so that every size is sharp and nothing has to
// be shipped as a picture.
namespace res {

/// The sizes the icon is drawn at, in pixels.
inline constexpr std::array kApplicationIconSizes = {16, 24, 32, 48, 64, 128, 256};

/// Draws the icon into the square (0, 0, size, size) of a painter.
void paintApplicationIcon(QPainter &painter, int size);

/// The icon at one size, on a transparent background.
QImage applicationIconImage(int size);

} // namespace res
