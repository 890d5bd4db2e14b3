#include "vaiboclient/jpegdecoder.h"

#include "tests/vaiboclient/testjpeg.h"

#include <gtest/gtest.h>

using vaibo::JpegDecoder;

TEST(JpegDecoder, DecodesToTheRightSizeAndColourWithinTheAllowedSide)
{
    const auto jpeg = solidJpeg(208, 160, QColor(10, 120, 240));
    JpegDecoder decoder;
    const QImage image = decoder.decode(jpeg.data(), jpeg.size(), 208);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(208, 160));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    const QColor centre = image.pixelColor(104, 80);
    EXPECT_NEAR(centre.red(), 10, 6);
    EXPECT_NEAR(centre.green(), 120, 6);
    EXPECT_NEAR(centre.blue(), 240, 6);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    EXPECT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), 207).isNull());
}

TEST(JpegDecoder, RejectsDamagedInputAndRecovers)
{
    const auto jpeg = solidJpeg(32, 32, Qt::green);
    const std::vector<std::uint8_t> garbage(500, 0x42);
    JpegDecoder decoder;
    EXPECT_TRUE(decoder.decode(garbage.data(), garbage.size(), 4096).isNull());
    EXPECT_TRUE(decoder.decode(garbage.data(), 0, 4096).isNull());
    int decoded = 0;
    for (std::size_t size = 1; size < jpeg.size(); size += 7) {
        const QImage image = decoder.decode(jpeg.data(), size, 4096);
        if (!image.isNull()) {
            EXPECT_EQ(image.size(), QSize(32, 32));
            ++decoded;
        }
    }
    EXPECT_LT(decoded, static_cast<int>(jpeg.size() / 7));
    // The whole picture still decodes after all the damaged ones.
    EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size(), 4096).isNull());
}
