#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace vaibo {

/// Decodes camera pictures with TurboJPEG straight into a QImage in the
/// format that paints fastest. One decoder per thread.
class JpegDecoder
{
public:
    JpegDecoder();
    ~JpegDecoder();

    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    /// The picture, or a null image when the bytes are no JPEG, are damaged,
    /// or name a side larger than maxSide.
    QImage decode(const std::uint8_t *data, std::size_t size, int maxSide);

private:
    void restart();

    void *m_handle = nullptr;
};

} // namespace vaibo
