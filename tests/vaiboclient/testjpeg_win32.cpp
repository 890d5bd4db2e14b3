#include "tests/vaiboclient/testjpeg.h"

#include <objbase.h>
#include <shlwapi.h>
#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

std::vector<std::uint8_t> solidJpeg(int width, int height, std::uint32_t rgb)
{
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream(::SHCreateMemStream(nullptr, 0));
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    // Three bytes a pixel, blue first: the one colour format every JPEG
    // encoder of WIC takes (Wine's takes no 32-bit one).
    const UINT stride = static_cast<UINT>(width) * 3;
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = static_cast<BYTE>(rgb);
        pixels[i + 1] = static_cast<BYTE>(rgb >> 8);
        pixels[i + 2] = static_cast<BYTE>(rgb >> 16);
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        stream == nullptr || FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) ||
        FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
        FAILED(
            frame->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height), pixels.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return {};
    STATSTG status{};
    stream->Stat(&status, STATFLAG_NONAME);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    ULONG read = 0;
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}
