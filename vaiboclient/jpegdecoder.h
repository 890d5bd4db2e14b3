#pragma once

#include "vaiboclient/bitmap.h"

#include <cstddef>
#include <cstdint>

namespace vaibo {

/// Decodes camera pictures with the platform's own decoder (TurboJPEG on
/// Linux, the Windows Imaging Component on Windows), scaled smoothly to the
/// size they are shown at. One decoder per thread.
class JpegDecoder
{
public:
    JpegDecoder();
    ~JpegDecoder();

    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    /// The picture at the shown size (its own when that is empty), or a null
    /// bitmap when the bytes are no JPEG, are damaged, or name a side larger
    /// than maxSide.
    Bitmap decode(const std::uint8_t *data, std::size_t size, int maxSide, Size shown = {});

private:
    void restart();

    void *m_handle = nullptr;
};

} // namespace vaibo
