#include "link/imagebuffer.h"

#include <gtest/gtest.h>

using robotlink::ImageBuffer;

// A frame size the robot announces is untrusted: doubling it must not wrap.
TEST(ImageBufferGrowth, NeverSmallerThanTheFrameWhereTheDoubleOverflows)
{
    EXPECT_EQ(ImageBuffer::grownCapacity(0x7FFFFFFFu), 0xFFFFFFFEu);
    EXPECT_EQ(ImageBuffer::grownCapacity(0x80000000u), 0xFFFFFFFFu);
    EXPECT_EQ(ImageBuffer::grownCapacity(0xFFFFFFFFu), 0xFFFFFFFFu);
}
