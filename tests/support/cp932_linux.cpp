#include "tests/support/cp932.h"

#include <optional>
#include <stdexcept>

#include <iconv.h>

namespace cp932 {
namespace {

// glibc's "CP932" is Microsoft's table (not the JIS one of "SHIFT_JIS").
// Converts all of the text; nothing when any of it does not convert.
std::optional<std::string> convert(const char *to, const char *from, std::string_view text)
{
    const iconv_t descriptor = ::iconv_open(to, from);
    if (descriptor == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    std::string out(4 * text.size(), '\0'); // room for the widest result
    char *in = const_cast<char *>(text.data());
    std::size_t inLeft = text.size();
    char *next = out.data();
    std::size_t outLeft = out.size();
    const bool whole = ::iconv(descriptor, &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(descriptor);
    if (!whole)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// Bytes of the UTF-8 sequence that its lead byte announces.
std::size_t utf8Length(unsigned char lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

} // namespace

std::string fromUtf8(std::string_view utf8)
{
    std::string bytes;
    // One character at a time, each taken back again: iconv also accepts
    // characters that the code page only approximates (U+301C as 0x8160,
    // U+00A5 as 0x5C), and those must fail here.
    for (std::size_t at = 0; at < utf8.size();) {
        const std::string_view character = utf8.substr(at, utf8Length(static_cast<unsigned char>(utf8[at])));
        const std::optional<std::string> encoded = convert("CP932", "UTF-8", character);
        if (!encoded || convert("UTF-8", "CP932", *encoded) != std::string(character)) {
            throw std::invalid_argument("no exact code page 932 form for \"" + std::string(character) + "\" at byte " +
                                        std::to_string(at) + " of \"" + std::string(utf8) + "\"");
        }
        bytes += *encoded;
        at += character.size();
    }
    return bytes;
}

} // namespace cp932
