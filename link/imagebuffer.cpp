#include "link/imagebuffer.h"

#include <cstdlib>
#include <limits>

namespace robotlink {

ImageBuffer::ImageBuffer(Allocator allocator) : m_allocator(allocator != nullptr ? allocator : &std::malloc) {}

ImageBuffer::~ImageBuffer()
{
    release();
}

bool ImageBuffer::reserve(std::uint32_t frameSize)
{
    if (m_capacity >= frameSize)
        return true;
    release();
    const std::uint32_t capacity = grownCapacity(frameSize);
    m_data = static_cast<unsigned char *>(m_allocator(capacity));
    if (m_data == nullptr)
        return false;
    m_capacity = capacity;
    return true;
}

std::uint32_t ImageBuffer::grownCapacity(std::uint32_t frameSize)
{
    constexpr std::uint32_t largest = std::numeric_limits<std::uint32_t>::max();
    return frameSize > largest / 2 ? largest : frameSize * 2;
}

void ImageBuffer::release()
{
    std::free(m_data);
    m_data = nullptr;
    m_capacity = 0;
}

} // namespace robotlink
