#pragma once

#include "protocol/message.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace protocol {

/// Turns a byte stream, fed in chunks of any size, into messages. The first
/// fault is final: the decoder then ignores further input and the link is to
/// be closed. A payload is allocated only after its announced length passed
/// the bound of its type.
class Decoder
{
public:
    /// Why a stream was rejected.
    enum class Error {
        None,
        Malformed,   ///< bad magic or flags, or a payload of the wrong shape
        Oversized,   ///< a length over the bound of its type
        UnknownType, ///< a type code this version does not know
        BadVersion,  ///< Hello or Welcome for another protocol version
    };

    /// Consumes the bytes, queueing every message they complete.
    void feed(const std::uint8_t *data, std::size_t size);

    /// The oldest completed message, if any. Messages completed before a
    /// fault are still handed out.
    std::optional<Message> next();

    /// The fault found so far, Error::None while the stream is sound.
    Error error() const { return m_error; }

private:
    void consumeHeader(const std::uint8_t *&data, std::size_t &size);
    void consumePayload(const std::uint8_t *&data, std::size_t &size);
    void finishMessage();

    std::array<std::uint8_t, kHeaderSize> m_header{};
    std::size_t m_headerFill = 0;
    bool m_inPayload = false;
    std::uint8_t m_type = 0;
    std::size_t m_payloadLength = 0;
    std::vector<std::uint8_t> m_payload;
    std::deque<Message> m_ready;
    Error m_error = Error::None;
};

/// Short name of a decoder error for diagnostics.
const char *errorName(Decoder::Error error);

} // namespace protocol
