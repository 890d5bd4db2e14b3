#include "vaiboclient/jpegdecoder.h"

#include <QImage>

#include <turbojpeg.h>

#include <limits>

namespace vaibo {

namespace {

// A native 32-bit word 0xffRRGGBB, as the bitmap holds it.
constexpr int kPixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;

// Qt's smooth scaling, over the bitmap's own pixels.
Bitmap scaled(const Bitmap &picture, Size shown)
{
    const QImage source(reinterpret_cast<const uchar *>(picture.pixels.data()), picture.size.width, picture.size.height,
                        QImage::Format_RGB32);
    const QImage result = source.scaled(shown.width, shown.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (result.isNull())
        return {};
    Bitmap bitmap{shown, std::vector<std::uint32_t>(static_cast<std::size_t>(shown.width) * shown.height)};
    for (int y = 0; y < shown.height; ++y) {
        const auto *row = reinterpret_cast<const std::uint32_t *>(result.constScanLine(y));
        std::copy(row, row + shown.width, bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(y) * shown.width);
    }
    return bitmap;
}

} // namespace

JpegDecoder::JpegDecoder() : m_handle(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder()
{
    if (m_handle != nullptr)
        tjDestroy(m_handle);
}

Bitmap JpegDecoder::decode(const std::uint8_t *data, std::size_t size, int maxSide, Size shown)
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
    Bitmap picture{{width, height}, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    if (tjDecompress2(m_handle, data, length, reinterpret_cast<unsigned char *>(picture.pixels.data()), width,
                      width * 4, height, kPixelFormat, TJFLAG_FASTDCT) != 0) {
        // A warning (a damaged but displayable picture) still gives a picture.
        const bool fatal = tjGetErrorCode(m_handle) == TJERR_FATAL;
        restart();
        if (fatal)
            return {};
    }
    if (shown.isEmpty() || shown == picture.size)
        return picture;
    return scaled(picture, shown);
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
