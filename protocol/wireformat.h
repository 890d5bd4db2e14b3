#pragma once

#include "protocol/message.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Layout details shared by the encoder and the decoder; not part of the
// library's interface.
namespace protocol {

constexpr std::uint8_t kMagic0 = 'K';
constexpr std::uint8_t kMagic1 = 'V';
// Where the header has its type code and its flags, which must be 0.
constexpr std::size_t kTypeByte = 2;
constexpr std::size_t kFlagsByte = 3;

// Fixed parts of the payloads, in bytes.
constexpr std::size_t kHelloFixed = 3;   // version u16, name length u8
constexpr std::size_t kReasonFixed = 2;  // reason length u16
constexpr std::size_t kRequestFixed = 8; // sequence u32, operation u16, count u8, reserved u8
constexpr std::size_t kReplySize = 8;    // sequence u32, result i32
constexpr std::size_t kFrameFixed = 16;  // sequence u32, timestamp u64, width u16, height u16
constexpr std::size_t kFrameAckSize = 4; // sequence u32
constexpr std::size_t kPingSize = 8;     // origin u64
constexpr std::size_t kPongSize = 16;    // origin u64, time u64

/// Smallest and largest payload of a message type.
struct PayloadBounds
{
    std::size_t minimum;
    std::size_t maximum;
    const char *name;
};

/// Bounds of a type code; null for an unknown code.
const PayloadBounds *payloadBounds(std::uint8_t type);

/// Whether the bytes are well-formed UTF-8.
bool isUtf8(std::string_view text);

inline void putU16(std::uint8_t *at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value);
}

inline void putU32(std::uint8_t *at, std::uint32_t value)
{
    putU16(at, static_cast<std::uint16_t>(value >> 16));
    putU16(at + 2, static_cast<std::uint16_t>(value));
}

inline void putU64(std::uint8_t *at, std::uint64_t value)
{
    putU32(at, static_cast<std::uint32_t>(value >> 32));
    putU32(at + 4, static_cast<std::uint32_t>(value));
}

inline std::uint16_t getU16(const std::uint8_t *at)
{
    return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}

inline std::uint32_t getU32(const std::uint8_t *at)
{
    return (std::uint32_t{getU16(at)} << 16) | getU16(at + 2);
}

inline std::uint64_t getU64(const std::uint8_t *at)
{
    return (std::uint64_t{getU32(at)} << 32) | getU32(at + 4);
}

} // namespace protocol
