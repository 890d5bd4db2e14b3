#include "link/imagebuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using robotlink::ImageBuffer;

namespace {

// The allocator is a plain function, so its record is file-wide.
std::vector<std::size_t> g_requests;
bool g_fail = false;

void *recordingAllocator(std::size_t size)
{
    g_requests.push_back(size);
    return g_fail ? nullptr : std::malloc(size);
}

class ImageBufferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_requests.clear();
        g_fail = false;
    }
    ImageBuffer buffer{&recordingAllocator};
};

} // namespace

TEST_F(ImageBufferTest, FailedAllocationHoldsNothingAndTheNextFrameTriesAgain)
{
    EXPECT_EQ(buffer.data(), nullptr);
    ASSERT_TRUE(buffer.reserve(100));
    g_fail = true;
    EXPECT_FALSE(buffer.reserve(300));
    EXPECT_EQ(buffer.data(), nullptr);
    EXPECT_EQ(buffer.capacity(), 0u);
    // Even a frame the old block would have held needs a new one now.
    EXPECT_FALSE(buffer.reserve(50));
    g_fail = false;
    EXPECT_TRUE(buffer.reserve(50));
    EXPECT_EQ(buffer.capacity(), 100u);
    EXPECT_EQ(g_requests, (std::vector<std::size_t>{200, 600, 100, 100}));
}

TEST(ImageBufferGrowth, NeverSmallerThanTheFrameWhereTheDoubleOverflows)
{
    EXPECT_EQ(ImageBuffer::grownCapacity(0x7FFFFFFFu), 0xFFFFFFFEu);
    EXPECT_EQ(ImageBuffer::grownCapacity(0x80000000u), 0xFFFFFFFFu);
    EXPECT_EQ(ImageBuffer::grownCapacity(0xFFFFFFFFu), 0xFFFFFFFFu);
}
