#include "protocol/message.h"

#include "protocol/wireformat.h"

namespace protocol {

MessageType typeOf(const Message &message)
{
    return static_cast<MessageType>(message.index() + 1);
}

const char *typeName(std::uint8_t type)
{
    const PayloadBounds *bounds = payloadBounds(type);
    return bounds == nullptr ? "unknown" : bounds->name;
}

} // namespace protocol
