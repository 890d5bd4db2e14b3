#include "link/addressmemory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace robotlink {

namespace {

constexpr std::size_t kBufferSize = 32;
constexpr std::size_t kBytesRead = 16;

bool isScanfSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d": white space, an optional sign, at least one digit. The value is
// kept modulo 256 as the digits come, which is exact for any length.
bool scanNumber(const char *&cursor, int &lowByte)
{
    const char *p = cursor;
    while (isScanfSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return false;
    unsigned value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = (value * 10 + static_cast<unsigned>(*p - '0')) & 0xFFu;
    lowByte = static_cast<int>((negative ? 0x100u - value : value) & 0xFFu);
    cursor = p;
    return true;
}

} // namespace

RememberedAddress parseAddressMemory(const char *text)
{
    RememberedAddress address;
    const char *cursor = text;
    for (int &field : address.fields) {
        if (address.scanned > 0) {
            if (*cursor != '.')
                break;
            ++cursor;
        }
        if (!scanNumber(cursor, field))
            break;
        ++address.scanned;
    }
    return address;
}

std::optional<RememberedAddress> readAddressMemory(const char *path)
{
    std::FILE *file = std::fopen(path, "r");
    if (file == nullptr)
        return std::nullopt;
    // The zeroes behind what was read end the text, NUL bytes in the file too.
    char buffer[kBufferSize] = {};
    std::fread(buffer, 1, kBytesRead, file);
    const bool failed = std::ferror(file) != 0; // a directory, for one
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return parseAddressMemory(buffer);
}

void writeAddressMemory(const std::string &dotted, const char *path)
{
    // Written beside the old file and renamed over it only once complete, so
    // a full disk or a kill mid-write leaves the old address in place.
    const std::string partial = std::string(path) + ".part";
    std::FILE *file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr)
        return;
    // Each step is checked: the last buffered bytes may fail only at the
    // flush or the close.
    const bool written = std::fwrite(dotted.data(), 1, dotted.size(), file) == dotted.size() && std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (written && closed)
        std::filesystem::rename(partial, path, error);
    if (!written || !closed || error)
        std::filesystem::remove(partial, error);
}

std::string dottedAddress(const Octets &fields)
{
    char buffer[kBufferSize];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", fields[0], fields[1], fields[2], fields[3]);
    return buffer;
}

} // namespace robotlink
