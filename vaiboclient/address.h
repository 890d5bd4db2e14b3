#pragma once

#include <cstdint>
#include <optional>

namespace vaibo {

/// The IPv4 address (host byte order) that a dotted text such as
/// "192.168.0.10" names, when a client can connect to it. Empty for null,
/// anything but four dotted decimal numbers, and addresses that name no
/// single host: 0.0.0.0/8, multicast 224.0.0.0/4, reserved 240.0.0.0/4
/// (which holds the broadcast address).
std::optional<std::uint32_t> connectableAddress(const char *text);

} // namespace vaibo
