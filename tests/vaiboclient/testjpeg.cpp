#include "tests/vaiboclient/testjpeg.h"

#include <turbojpeg.h>

std::vector<std::uint8_t> solidJpeg(int width, int height, QColor colour)
{
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width * height * 3));
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back(static_cast<std::uint8_t>(colour.red()));
        pixels.push_back(static_cast<std::uint8_t>(colour.green()));
        pixels.push_back(static_cast<std::uint8_t>(colour.blue()));
    }
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, pixels.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, 85, 0);
    std::vector<std::uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}
