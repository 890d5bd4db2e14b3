#include "protocol/decoder.h"

#include "protocol/operation.h"
#include "protocol/wireformat.h"

#include <algorithm>

namespace protocol {

namespace {

using Error = Decoder::Error;

// Reads one complete payload. The minimum length checked with the header
// guarantees each type's fixed part; parsers check variable parts against
// left().
class PayloadReader
{
public:
    explicit PayloadReader(const std::vector<std::uint8_t> &payload)
        : m_at(payload.data()), m_end(payload.data() + payload.size())
    {
    }

    std::size_t left() const { return static_cast<std::size_t>(m_end - m_at); }
    std::uint8_t u8() { return *m_at++; }
    std::uint16_t u16() { return advance(getU16(m_at), 2); }
    std::uint32_t u32() { return advance(getU32(m_at), 4); }
    std::uint64_t u64() { return advance(getU64(m_at), 8); }
    std::string text(std::size_t size) { return advance(std::string(m_at, m_at + size), size); }

private:
    template<typename T>
    T advance(T value, std::size_t size)
    {
        m_at += size;
        return value;
    }

    const std::uint8_t *m_at;
    const std::uint8_t *m_end;
};

// A parse result: the message, or the fault that stopped it.
template<typename T>
struct Parsed
{
    T message{};
    Error error = Error::None;
};

template<typename T>
Parsed<T> fault(Error error)
{
    return {T{}, error};
}

// Text that must fill the rest of the payload exactly.
std::optional<std::string> restAsText(PayloadReader &r, std::size_t length)
{
    if (length != r.left())
        return std::nullopt;
    std::string text = r.text(length);
    if (!isUtf8(text))
        return std::nullopt;
    return text;
}

template<typename T>
Parsed<T> parseNamed(PayloadReader r)
{
    T m;
    m.version = r.u16();
    std::optional<std::string> name = restAsText(r, r.u8());
    if (!name)
        return fault<T>(Error::Malformed);
    if (m.version != kVersion)
        return fault<T>(Error::BadVersion);
    m.name = std::move(*name);
    return {std::move(m)};
}

template<typename T>
Parsed<T> parseReason(PayloadReader r)
{
    std::optional<std::string> reason = restAsText(r, r.u16());
    if (!reason)
        return fault<T>(Error::Malformed);
    return {T{std::move(*reason)}};
}

Parsed<Request> parseRequest(PayloadReader r)
{
    Request m;
    m.sequence = r.u32();
    m.operation = r.u16();
    const std::size_t count = r.u8();
    const std::uint8_t reserved = r.u8();
    const auto operation = operationFromCode(m.operation);
    if (!operation || reserved != 0 || count != argumentCount(*operation) || r.left() != 4 * count)
        return fault<Request>(Error::Malformed);
    for (std::size_t i = 0; i < count; ++i)
        m.arguments.push_back(static_cast<std::int32_t>(r.u32()));
    return {std::move(m)};
}

Parsed<Reply> parseReply(PayloadReader r)
{
    Reply m;
    m.sequence = r.u32();
    m.result = static_cast<std::int32_t>(r.u32());
    return {m};
}

Parsed<Frame> parseFrame(PayloadReader r)
{
    Frame m;
    m.sequence = r.u32();
    m.timestampUs = r.u64();
    m.width = r.u16();
    m.height = r.u16();
    if (m.width == 0 || m.width > kMaxFrameSide || m.height == 0 || m.height > kMaxFrameSide)
        return fault<Frame>(Error::Malformed);
    return {std::move(m)};
}

Parsed<FrameAck> parseFrameAck(PayloadReader r)
{
    return {FrameAck{r.u32()}};
}

Parsed<Ping> parsePing(PayloadReader r)
{
    return {Ping{r.u64()}};
}

Parsed<Pong> parsePong(PayloadReader r)
{
    Pong m;
    m.origin = r.u64();
    m.timeUs = r.u64();
    return {m};
}

// Turns a typed parse into a Message, or records its fault.
template<typename T>
std::optional<Message> accept(Parsed<T> parsed, Error &error)
{
    if (parsed.error != Error::None) {
        error = parsed.error;
        return std::nullopt;
    }
    return Message{std::move(parsed.message)};
}

} // namespace

void Decoder::feed(const std::uint8_t *data, std::size_t size)
{
    while (size > 0 && m_error == Error::None) {
        if (m_inPayload)
            consumePayload(data, size);
        else
            consumeHeader(data, size);
    }
}

std::optional<Message> Decoder::next()
{
    if (m_ready.empty())
        return std::nullopt;
    Message message = std::move(m_ready.front());
    m_ready.pop_front();
    return message;
}

void Decoder::consumeHeader(const std::uint8_t *&data, std::size_t &size)
{
    const std::size_t take = std::min(size, kHeaderSize - m_headerFill);
    std::copy_n(data, take, m_header.begin() + static_cast<std::ptrdiff_t>(m_headerFill));
    m_headerFill += take;
    data += take;
    size -= take;
    // A bad magic is reported as soon as its bytes are in, not after a
    // whole header of garbage.
    if ((m_headerFill >= 1 && m_header[0] != kMagic0) || (m_headerFill >= 2 && m_header[1] != kMagic1)) {
        m_error = Error::Malformed;
        return;
    }
    if (m_headerFill < kHeaderSize)
        return;
    m_type = m_header[kTypeByte];
    const PayloadBounds *bounds = payloadBounds(m_type);
    if (bounds == nullptr) {
        m_error = Error::UnknownType;
        return;
    }
    if (m_header[kFlagsByte] != 0) {
        m_error = Error::Malformed;
        return;
    }
    m_payloadLength = getU32(m_header.data() + 4);
    if (m_payloadLength > bounds->maximum) {
        m_error = Error::Oversized;
        return;
    }
    if (m_payloadLength < bounds->minimum) {
        m_error = Error::Malformed;
        return;
    }
    m_headerFill = 0;
    m_payload.clear();
    m_payload.reserve(m_payloadLength);
    m_inPayload = true;
    if (m_payloadLength == 0)
        finishMessage();
}

void Decoder::consumePayload(const std::uint8_t *&data, std::size_t &size)
{
    const std::size_t take = std::min(size, m_payloadLength - m_payload.size());
    m_payload.insert(m_payload.end(), data, data + take);
    data += take;
    size -= take;
    if (m_payload.size() == m_payloadLength)
        finishMessage();
}

void Decoder::finishMessage()
{
    m_inPayload = false;
    const PayloadReader reader(m_payload);
    std::optional<Message> message;
    switch (static_cast<MessageType>(m_type)) {
    case MessageType::Hello:
        message = accept(parseNamed<Hello>(reader), m_error);
        break;
    case MessageType::Welcome:
        message = accept(parseNamed<Welcome>(reader), m_error);
        break;
    case MessageType::Refused:
        message = accept(parseReason<Refused>(reader), m_error);
        break;
    case MessageType::Request:
        message = accept(parseRequest(reader), m_error);
        break;
    case MessageType::Reply:
        message = accept(parseReply(reader), m_error);
        break;
    case MessageType::Frame:
        message = accept(parseFrame(reader), m_error);
        if (message) {
            // The picture takes over the payload buffer instead of a copy.
            m_payload.erase(m_payload.begin(), m_payload.begin() + kFrameFixed);
            std::get<Frame>(*message).jpeg = std::move(m_payload);
            m_payload = {};
        }
        break;
    case MessageType::Heartbeat:
        message = Heartbeat{};
        break;
    case MessageType::Bye:
        message = accept(parseReason<Bye>(reader), m_error);
        break;
    case MessageType::FrameAck:
        message = accept(parseFrameAck(reader), m_error);
        break;
    case MessageType::Ping:
        message = accept(parsePing(reader), m_error);
        break;
    case MessageType::Pong:
        message = accept(parsePong(reader), m_error);
        break;
    }
    if (message)
        m_ready.push_back(std::move(*message));
    // A large frame's buffer is not kept around for the small messages.
    if (m_payload.capacity() > 4096)
        std::vector<std::uint8_t>().swap(m_payload);
}

const char *errorName(Decoder::Error error)
{
    switch (error) {
    case Error::None:
        return "none";
    case Error::Malformed:
        return "malformed";
    case Error::Oversized:
        return "oversized";
    case Error::UnknownType:
        return "unknown type";
    case Error::BadVersion:
        return "bad version";
    }
    return "unknown error";
}

} // namespace protocol
