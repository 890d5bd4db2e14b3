#include "tests/support/cp932.h"

#include <windows.h>

#include <stdexcept>

namespace cp932 {
namespace {

constexpr UINT kCodePage = 932;

std::wstring wide(UINT codePage, std::string_view text)
{
    const int size = static_cast<int>(text.size());
    std::wstring out(text.size(), L'\0');
    const int n = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, out.data(), size);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

} // namespace

std::string fromUtf8(std::string_view utf8)
{
    // The system's own table, both ways: a character it only approximates
    // (U+301C becomes 0x8160, which reads back as U+FF5E) has no exact form.
    const std::wstring text = wide(CP_UTF8, utf8);
    std::string bytes(2 * text.size(), '\0');
    BOOL defaulted = FALSE;
    const int n = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                        bytes.data(), static_cast<int>(bytes.size()), nullptr, &defaulted);
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    if (text.empty() != utf8.empty() || defaulted || wide(kCodePage, bytes) != text)
        throw std::invalid_argument("no exact code page 932 form for \"" + std::string(utf8) + "\"");
    return bytes;
}

} // namespace cp932
