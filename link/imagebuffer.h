#pragma once

#include <cstddef>
#include <cstdint>

namespace robotlink {

/// The block camera frames are delivered into. It grows only when a frame
/// outgrows it, then to twice the frame size, and never shrinks.
class ImageBuffer
{
public:
    /// Gets a block of memory; nullptr when there is none.
    using Allocator = void *(*)(std::size_t);

    explicit ImageBuffer(Allocator allocator = nullptr);
    ~ImageBuffer();

    ImageBuffer(const ImageBuffer &) = delete;
    ImageBuffer &operator=(const ImageBuffer &) = delete;

    /// Makes room for a frame. False when a new block was needed and could
    /// not be had; then no block is held at all.
    bool reserve(std::uint32_t frameSize);

    unsigned char *data() const { return m_data; }
    std::uint32_t capacity() const { return m_capacity; }

    /// The capacity a frame of this size is given: twice its size, or the
    /// largest 32-bit size where the double does not fit, which still holds
    /// the frame.
    static std::uint32_t grownCapacity(std::uint32_t frameSize);

private:
    void release();

    Allocator m_allocator;
    unsigned char *m_data = nullptr;
    std::uint32_t m_capacity = 0;
};

} // namespace robotlink
