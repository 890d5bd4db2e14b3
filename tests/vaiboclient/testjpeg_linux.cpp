#include "tests/vaiboclient/testjpeg.h"

#include <QBuffer>
#include <QImage>

std::vector<std::uint8_t> solidJpeg(int width, int height, std::uint32_t rgb)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor::fromRgb(rgb));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    picture.save(&buffer, "JPG", 85);
    return {bytes.begin(), bytes.end()};
}
