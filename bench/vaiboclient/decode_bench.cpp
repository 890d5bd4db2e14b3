#include "bench/vaiboclient/benchsupport.h"
#include "vaiboclient/jpegdecoder.h"

#include <QGuiApplication>
#include <QImage>

#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>

// Decode time of one 208x160 camera frame as the client does it (TurboJPEG
// straight into the QImage that is painted), beside the bare TurboJPEG
// decode into a reused buffer and Qt's own JPEG loader for comparison.
namespace {

int decodes()
{
    return bench::runLength(3000, 30);
}

std::vector<double> microseconds(const std::function<void(int)> &work)
{
    return bench::timedMicroseconds(decodes(), work);
}

void report(const char *what, const std::vector<double> &samples)
{
    std::printf("%-42s p50 %7.1f us   p99 %7.1f us\n", what, bench::percentile(samples, 0.5),
                bench::percentile(samples, 0.99));
}

} // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::readShortRun(argc, argv);
    QGuiApplication app(argc, argv);
    std::vector<std::vector<std::uint8_t>> frames;
    for (int seed = 0; seed < 8; ++seed)
        frames.push_back(bench::cameraLikeJpeg(208, 160, seed));
    std::printf("208x160 frames of %zu bytes, %d decodes each\n", frames[0].size(), decodes());

    vaibo::JpegDecoder decoder;
    const auto client = microseconds([&](int i) {
        const auto &jpeg = frames[static_cast<std::size_t>(i) % frames.size()];
        const vaibo::Bitmap image = decoder.decode(jpeg.data(), jpeg.size(), 4096);
        if (image.isNull())
            std::abort();
    });

    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> pixels(208 * 160 * 4);
    const auto bare = microseconds([&](int i) {
        const auto &jpeg = frames[static_cast<std::size_t>(i) % frames.size()];
        tjDecompress2(handle, jpeg.data(), jpeg.size(), pixels.data(), 208, 208 * 4, 160, TJPF_BGRX, TJFLAG_FASTDCT);
    });
    tjDestroy(handle);

    const auto qt = microseconds([&](int i) {
        const auto &jpeg = frames[static_cast<std::size_t>(i) % frames.size()];
        QImage image;
        image.loadFromData(jpeg.data(), static_cast<int>(jpeg.size()), "JPEG");
    });

    report("client decode (TurboJPEG into the bitmap)", client);
    report("bare TurboJPEG into a reused buffer", bare);
    report("QImage::loadFromData, for comparison", qt);
    return 0;
}
