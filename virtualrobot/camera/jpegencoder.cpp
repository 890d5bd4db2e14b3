#include "virtualrobot/camera/jpegencoder.h"

#include <turbojpeg.h>

#include <algorithm>

namespace vr {

JpegEncoder::JpegEncoder(int quality)
    : m_handle(tjInitCompress())
    , m_quality(std::clamp(quality, 1, 100))
{
}

JpegEncoder::~JpegEncoder()
{
    if (m_handle)
        tjDestroy(static_cast<tjhandle>(m_handle));
}

void JpegEncoder::setQuality(int quality)
{
    m_quality = std::clamp(quality, 1, 100);
}

bool JpegEncoder::encode(const std::uint8_t *rgb, int width, int height, std::vector<std::uint8_t> &out)
{
    out.clear();
    if (!m_handle || width <= 0 || height <= 0)
        return false;
    // The worst case is known in advance, so TurboJPEG writes into our buffer
    // and never allocates.
    const unsigned long bound = tjBufSize(width, height, TJSAMP_420);
    if (m_buffer.size() < bound)
        m_buffer.resize(bound);
    unsigned char *destination = m_buffer.data();
    unsigned long size = 0;
    const int failed = tjCompress2(static_cast<tjhandle>(m_handle), rgb, width, 0, height, TJPF_RGB, &destination,
                                   &size, TJSAMP_420, m_quality, TJFLAG_NOREALLOC | TJFLAG_FASTDCT);
    if (failed)
        return false;
    out.assign(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(size));
    return true;
}

} // namespace vr
