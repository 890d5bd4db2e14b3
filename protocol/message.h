#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// Messages exchanged between the panel's robot client and a robot over one
// TCP stream. docs/protocol.md gives the byte layout; the limits below bound
// every size a peer can announce.
namespace protocol {

/// Version spoken by this build; Hello and Welcome carry it. Version 2
/// added the frame acknowledgement and the clock probe (Ping and Pong); a
/// peer of version 1 would flood the link with unpaced frames, so it is
/// refused.
constexpr std::uint16_t kVersion = 2;
/// TCP port a robot listens on.
constexpr std::uint16_t kDefaultPort = 20207;

/// Bytes of the fixed header in front of every payload.
constexpr std::size_t kHeaderSize = 8;
/// Longest peer name in Hello and Welcome, in bytes.
constexpr std::size_t kMaxNameBytes = 64;
/// Longest reason in Refused and Bye, in bytes.
constexpr std::size_t kMaxReasonBytes = 256;
/// Most arguments a request carries.
constexpr std::size_t kMaxArguments = 6;
/// Largest JPEG picture a frame carries, in bytes.
constexpr std::size_t kMaxJpegBytes = 1024 * 1024;
/// Largest frame side, in pixels.
constexpr std::uint16_t kMaxFrameSide = 4096;

/// Client's opening message.
struct Hello
{
    std::uint16_t version = kVersion;
    std::string name;
    bool operator==(const Hello &) const = default;
};

/// Robot's acceptance of a Hello; the link is up once it arrives.
struct Welcome
{
    std::uint16_t version = kVersion;
    std::string name;
    bool operator==(const Welcome &) const = default;
};

/// Robot's refusal of a Hello, with a reason such as
/// "busy: another controller is connected"; the robot then closes.
struct Refused
{
    std::string reason;
    bool operator==(const Refused &) const = default;
};

/// One robot operation. The sequence number comes back in its Reply.
struct Request
{
    std::uint32_t sequence = 0;
    std::uint16_t operation = 0;
    std::vector<std::int32_t> arguments;
    bool operator==(const Request &) const = default;
};

/// The robot's answer to the Request with the same sequence number.
struct Reply
{
    std::uint32_t sequence = 0;
    std::int32_t result = 0;
    bool operator==(const Reply &) const = default;
};

/// One camera picture, sent by the robot while its pictures are playing.
struct Frame
{
    std::uint32_t sequence = 0;
    /// Capture time, microseconds since the Unix epoch on the robot's clock.
    std::uint64_t timestampUs = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint8_t> jpeg;
    bool operator==(const Frame &) const = default;
};

/// Keeps a quiet link alive; carries nothing.
struct Heartbeat
{
    bool operator==(const Heartbeat &) const = default;
};

/// Announces a deliberate close; the sender closes right after it.
struct Bye
{
    std::string reason;
    bool operator==(const Bye &) const = default;
};

/// The client has received every frame up to and including this sequence
/// number; the robot sends the next picture only as the link carries them.
struct FrameAck
{
    std::uint32_t sequence = 0;
    bool operator==(const FrameAck &) const = default;
};

/// Asks the peer for its clock; either end may send it once the link is up.
struct Ping
{
    /// The sender's own clock, microseconds; the Pong gives it back.
    std::uint64_t origin = 0;
    bool operator==(const Ping &) const = default;
};

/// The answer to a Ping: its origin, and the responder's clock as it
/// answered, on the clock its frames' timestamps use.
struct Pong
{
    std::uint64_t origin = 0;
    std::uint64_t timeUs = 0;
    bool operator==(const Pong &) const = default;
};

/// Any message of the protocol.
using Message = std::variant<Hello, Welcome, Refused, Request, Reply, Frame, Heartbeat, Bye, FrameAck, Ping, Pong>;

/// Type codes in the header, in the order of the Message alternatives.
enum class MessageType : std::uint8_t {
    Hello = 1,
    Welcome = 2,
    Refused = 3,
    Request = 4,
    Reply = 5,
    Frame = 6,
    Heartbeat = 7,
    Bye = 8,
    FrameAck = 9,
    Ping = 10,
    Pong = 11,
};

/// Type code of a message.
MessageType typeOf(const Message &message);

/// Short name of a message type for diagnostics, "unknown" for other codes.
const char *typeName(std::uint8_t type);

} // namespace protocol
