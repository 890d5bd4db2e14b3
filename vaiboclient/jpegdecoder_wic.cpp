#include "vaiboclient/jpegdecoder.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <limits>

namespace vaibo {

namespace {

using Microsoft::WRL::ComPtr;

IWICImagingFactory *factoryOf(void *handle)
{
    return static_cast<IWICImagingFactory *>(handle);
}

} // namespace

// The factory is made on the decoding thread, at its first picture: the
// decoder may be made on another.
JpegDecoder::JpegDecoder() = default;

JpegDecoder::~JpegDecoder()
{
    restart();
}

Bitmap JpegDecoder::decode(const std::uint8_t *data, std::size_t size, int maxSide, Size shown)
{
    if (size == 0 || size > std::numeric_limits<DWORD>::max())
        return {};
    if (m_handle == nullptr) {
        // A thread already in a single-threaded apartment keeps it; WIC's
        // factory works in either.
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        IWICImagingFactory *factory = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
            return {};
        m_handle = factory;
    }
    IWICImagingFactory *factory = factoryOf(m_handle);
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    // The container is named rather than sniffed: only a JPEG is a picture.
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE *>(data), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder)) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height))) {
        restart();
        return {};
    }
    const Size own{static_cast<int>(width), static_cast<int>(height)};
    if (own.isEmpty() || own.width > maxSide || own.height > maxSide)
        return {};
    const Size target = shown.isEmpty() ? own : shown;
    ComPtr<IWICBitmapSource> source = frame;
    if (target != own) {
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(frame.Get(), static_cast<UINT>(target.width), static_cast<UINT>(target.height),
                                      WICBitmapInterpolationModeFant)))
            return {};
        source = scaler;
    }
    // BGRA with the alpha opaque is the bitmap's 0xffRRGGBB word.
    ComPtr<IWICFormatConverter> converter;
    Bitmap picture{target, std::vector<std::uint32_t>(static_cast<std::size_t>(target.width) * target.height)};
    const UINT stride = static_cast<UINT>(target.width) * 4;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, stride, stride * static_cast<UINT>(target.height),
                                     reinterpret_cast<BYTE *>(picture.pixels.data())))) {
        restart();
        return {};
    }
    return picture;
}

void JpegDecoder::restart()
{
    // A fresh factory after a failure, as the other platform's decoder gets
    // a fresh handle: nothing of a damaged picture lingers.
    if (m_handle != nullptr)
        factoryOf(m_handle)->Release();
    m_handle = nullptr;
}

} // namespace vaibo
