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

bool sendAll(net::Socket &socket, const std::vector<std::uint8_t> &bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const std::ptrdiff_t n = socket.send(bytes.data() + sent, bytes.size() - sent);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace peers
