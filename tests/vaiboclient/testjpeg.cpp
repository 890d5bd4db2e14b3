#include "tests/vaiboclient/testjpeg.h"

#include <turbojpeg.h>

std::vector<std::uint8_t> encodeJpeg(const std::vector<std::uint8_t> &rgb, int width, int height, int quality)
{
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, quality, 0);
    std::vector<std::uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

std::vector<std::uint8_t> solidJpeg(int width, int height, QColor colour)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width * height * 3));
    for (int i = 0; i < width * height; ++i) {
        rgb.push_back(static_cast<std::uint8_t>(colour.red()));
        rgb.push_back(static_cast<std::uint8_t>(colour.green()));
        rgb.push_back(static_cast<std::uint8_t>(colour.blue()));
    }
    return encodeJpeg(rgb, width, height, 85);
}
