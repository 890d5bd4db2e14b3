#include "vaiboclient/address.h"

#include <arpa/inet.h>

namespace vaibo {

std::optional<std::uint32_t> connectableAddress(const char *text)
{
    in_addr parsed{};
    if (text == nullptr || ::inet_pton(AF_INET, text, &parsed) != 1)
        return std::nullopt;
    const std::uint32_t address = ntohl(parsed.s_addr);
    const std::uint32_t firstOctet = address >> 24;
    if (firstOctet == 0 || firstOctet >= 224)
        return std::nullopt;
    return address;
}

} // namespace vaibo
