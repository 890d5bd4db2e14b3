#pragma once

#include "protocol/message.h"

#include <cstdint>
#include <vector>

namespace protocol {

/// Appends the message's header and payload to out. Returns false, leaving
/// out untouched, when the message breaks a bound of the protocol (a name,
/// reason or picture too long, an unknown operation, a wrong argument count,
/// a frame side of 0 or over the limit, a version other than kVersion).
bool appendEncoded(std::vector<std::uint8_t> &out, const Message &message);

/// The message as bytes; empty when it breaks a bound.
std::vector<std::uint8_t> encode(const Message &message);

} // namespace protocol
