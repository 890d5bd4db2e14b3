#include "tests/peers/duties.h"

#include "protocol/timing.h"

namespace peers {

std::optional<protocol::Message> clientAnswer(const protocol::Message &message)
{
    if (const auto *frame = std::get_if<protocol::Frame>(&message))
        return protocol::FrameAck{frame->sequence};
    if (const auto *ping = std::get_if<protocol::Ping>(&message))
        return protocol::Pong{ping->origin, protocol::epochMicroseconds()};
    return std::nullopt;
}

std::optional<protocol::Message> robotAnswer(const protocol::Message &message, const char *robotName)
{
    if (std::holds_alternative<protocol::Hello>(message))
        return protocol::Welcome{protocol::kVersion, robotName};
    if (const auto *ping = std::get_if<protocol::Ping>(&message))
        return protocol::Pong{ping->origin, protocol::epochMicroseconds()};
    return std::nullopt;
}

} // namespace peers
