#include "tests/vaiboclient/testjpeg.h"

#include <QBuffer>
#include <QImage>

std::vector<std::uint8_t> solidJpeg(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    picture.save(&buffer, "JPG", 85);
    return {bytes.begin(), bytes.end()};
}
