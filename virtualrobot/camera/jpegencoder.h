#pragma once

#include <cstdint>
#include <vector>

namespace vr {

/// Compresses RGB pictures to baseline JPEG with TurboJPEG, reusing one
/// compressor and one output buffer.
class JpegEncoder
{
public:
    /// An encoder at the given quality, 1 to 100.
    explicit JpegEncoder(int quality = 80);
    ~JpegEncoder();

    JpegEncoder(const JpegEncoder &) = delete;
    JpegEncoder &operator=(const JpegEncoder &) = delete;

    /// The quality of the pictures encoded from now on, 1 to 100.
    void setQuality(int quality);
    int quality() const { return m_quality; }

    /// Encodes packed RGB rows into out, replacing its contents. Returns false,
    /// with out empty, when the picture cannot be encoded.
    bool encode(const std::uint8_t *rgb, int width, int height, std::vector<std::uint8_t> &out);

private:
    void *m_handle = nullptr;
    int m_quality = 80;
    std::vector<std::uint8_t> m_buffer;
};

} // namespace vr
