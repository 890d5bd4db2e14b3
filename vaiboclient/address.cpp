#include "vaiboclient/address.h"

#include "vaiboclient/net/socket.h"

namespace vaibo {

std::optional<std::uint32_t> connectableAddress(const char *text)
{
    const std::optional<std::uint32_t> address = net::parseIpv4(text);
    if (!address)
        return std::nullopt;
    const std::uint32_t firstOctet = *address >> 24;
    if (firstOctet == 0 || firstOctet >= 224)
        return std::nullopt;
    return address;
}

} // namespace vaibo
