#include "tests/support/cp932.h"

#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include <iconv.h>

namespace cp932 {
namespace {

// glibc's "CP932" is Microsoft's table (not the JIS one of "SHIFT_JIS").
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_descriptor(::iconv_open(to, from))
    {
        if (m_descriptor == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { ::iconv_close(m_descriptor); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts all of text; on failure returns false and sets failedAt to the
    // offset of the first byte that did not convert.
    bool convert(std::string_view text, std::string &out, std::size_t &failedAt)
    {
        ::iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        char *in = const_cast<char *>(text.data());
        std::size_t inLeft = text.size();
        char buffer[256];
        while (inLeft > 0) {
            char *next = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = ::iconv(m_descriptor, &in, &inLeft, &next, &outLeft);
            out.append(buffer, static_cast<std::size_t>(next - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                failedAt = static_cast<std::size_t>(in - text.data());
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_descriptor;
};

std::string hexBytes(std::string_view bytes)
{
    std::string hex;
    for (const char c : bytes) {
        char byte[4];
        std::snprintf(byte, sizeof byte, hex.empty() ? "%02X" : " %02X", static_cast<unsigned char>(c));
        hex += byte;
    }
    return hex;
}

// Bytes of the UTF-8 sequence that its lead byte announces.
std::size_t utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

std::string fromUtf8(std::string_view utf8)
{
    Converter encoder("CP932", "UTF-8");
    Converter decoder("UTF-8", "CP932");
    std::string bytes;
    // One character at a time, each taken back again: iconv also accepts
    // characters that the code page only approximates (U+301C as 0x8160,
    // U+00A5 as 0x5C), and those must fail here.
    for (std::size_t at = 0; at < utf8.size();) {
        const std::string_view character = utf8.substr(at, utf8Length(static_cast<unsigned char>(utf8[at])));
        std::string encoded;
        std::string decoded;
        std::size_t failedAt = 0;
        if (!encoder.convert(character, encoded, failedAt) || !decoder.convert(encoded, decoded, failedAt)
            || decoded != character) {
            throw std::invalid_argument("no exact code page 932 form for UTF-8 bytes " + hexBytes(character)
                                        + " at byte " + std::to_string(at) + " of \"" + std::string(utf8) + "\"");
        }
        bytes += encoded;
        at += character.size();
    }
    return bytes;
}

std::string toUtf8(std::string_view bytes)
{
    Converter decoder("UTF-8", "CP932");
    std::string utf8;
    std::size_t failedAt = 0;
    if (!decoder.convert(bytes, utf8, failedAt)) {
        throw std::invalid_argument("code page 932 bytes " + hexBytes(bytes.substr(failedAt, 2))
                                    + " at byte " + std::to_string(failedAt) + " do not decode");
    }
    return utf8;
}

} // namespace cp932
