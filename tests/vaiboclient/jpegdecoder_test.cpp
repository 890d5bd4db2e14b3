#include "vaiboclient/jpegdecoder.h"

#include "tests/vaiboclient/testjpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

using vaibo::Bitmap;
using vaibo::JpegDecoder;

namespace {

// Whether a pixel is the colour, 0xRRGGBB, within what JPEG loses, and opaque.
bool near(std::uint32_t pixel, std::uint32_t rgb)
{
    const auto channel = [](std::uint32_t word, int shift) { return static_cast<int>((word >> shift) & 0xFF); };
    const auto close = [&](int shift) { return std::abs(channel(pixel, shift) - channel(rgb, shift)) <= 6; };
    return close(0) && close(8) && close(16) && channel(pixel, 24) == 0xFF;
}

} // namespace

TEST(JpegDecoder, DecodesToTheRightSizeAndColourWithinTheAllowedSideAndScalesToTheShownSize)
{
    const auto jpeg = solidJpeg(208, 160, 0x0A78F0);
    ASSERT_FALSE(jpeg.empty());
    JpegDecoder decoder;
    const Bitmap picture = decoder.decode(jpeg.data(), jpeg.size(), 208);
    ASSERT_EQ(picture.size, (vaibo::Size{208, 160}));
    EXPECT_TRUE(near(picture.pixel(104, 80), 0x0A78F0)) << std::hex << picture.pixel(104, 80);
    EXPECT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), 207).isNull());
    const Bitmap shown = decoder.decode(jpeg.data(), jpeg.size(), 208, {314, 234});
    ASSERT_EQ(shown.size, (vaibo::Size{314, 234}));
    EXPECT_EQ(shown.pixels.size(), 314u * 234u);
    EXPECT_TRUE(near(shown.pixel(313, 233), 0x0A78F0)) << std::hex << shown.pixel(313, 233);
}

TEST(JpegDecoder, RejectsDamagedInputAndRecovers)
{
    const auto jpeg = solidJpeg(32, 32, 0x00FF00);
    const std::vector<std::uint8_t> garbage(500, 0x42);
    JpegDecoder decoder;
    EXPECT_TRUE(decoder.decode(garbage.data(), garbage.size(), 4096).isNull());
    EXPECT_TRUE(decoder.decode(garbage.data(), 0, 4096).isNull());
    int decoded = 0;
    for (std::size_t size = 1; size < jpeg.size(); size += 7) {
        const Bitmap picture = decoder.decode(jpeg.data(), size, 4096);
        if (!picture.isNull()) {
            EXPECT_EQ(picture.size, (vaibo::Size{32, 32}));
            ++decoded;
        }
    }
    EXPECT_LT(decoded, static_cast<int>(jpeg.size() / 7));
    // The whole picture still decodes after all the damaged ones.
    EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size(), 4096).isNull());
}
