#include "vaiboclient/jpegdecoder.h"

#include <turbojpeg.h>

#include <limits>

namespace vaibo {

namespace {

// QImage::Format_RGB32 is 0xffRRGGBB in a native 32-bit word.
constexpr int kPixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;

} // namespace

JpegDecoder::JpegDecoder() : m_handle(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder()
{
    if (m_handle != nullptr)
        tjDestroy(m_handle);
}

QImage JpegDecoder::decode(const std::uint8_t *data, std::size_t size, int maxSide)
{
    if (m_handle == nullptr || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return {};
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    const auto length = static_cast<unsigned long>(size);
    if (tjDecompressHeader3(m_handle, data, length, &width, &height, &subsampling, &colorspace) != 0) {
        restart();
        return {};
    }
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (tjDecompress2(m_handle, data, length, image.bits(), width, static_cast<int>(image.bytesPerLine()), height,
                      kPixelFormat, TJFLAG_FASTDCT)
        != 0) {
        // A warning (a damaged but displayable picture) still gives an image.
        const bool fatal = tjGetErrorCode(m_handle) == TJERR_FATAL;
        restart();
        if (fatal)
            return {};
    }
    return image;
}

void JpegDecoder::restart()
{
    // A handle that has failed on damaged data can stay stuck and refuse
    // sound pictures afterwards, so it is replaced.
    if (m_handle != nullptr)
        tjDestroy(m_handle);
    m_handle = tjInitDecompress();
}

} // namespace vaibo
