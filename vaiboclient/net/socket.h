#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

// TCP over the system's sockets: POSIX on Linux, Winsock on Windows, one
// file each beside this header. Only the robot link and the test peers use
// it; both speak IPv4 on one socket at a time.
namespace net {

/// Readiness of a socket. An error or the peer's end counts as readable
/// (the next receive tells which) and, while connecting, as writable
/// (pendingError() tells).
enum Events : unsigned { None = 0, Readable = 1, Writable = 2 };

/// A TCP socket that closes when it goes.
class Socket
{
public:
    /// Results of send and receive besides a byte count.
    static constexpr std::ptrdiff_t kWouldBlock = -2;
    static constexpr std::ptrdiff_t kBroken = -1;

    enum class Connect { Done, InProgress, Failed };

    Socket() = default;
    ~Socket() { close(); }
    Socket(Socket &&other) noexcept : m_handle(std::exchange(other.m_handle, kNone)) {}
    Socket &operator=(Socket &&other) noexcept
    {
        if (this != &other) {
            close();
            m_handle = std::exchange(other.m_handle, kNone);
        }
        return *this;
    }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;

    /// A new TCP socket with Nagle's delay off; invalid when none can be had.
    static Socket tcp(bool nonBlocking);
    /// A socket listening on 127.0.0.1 at an ephemeral port, which port gets.
    static Socket listenOnLoopback(std::uint16_t &port);

    bool valid() const { return m_handle != kNone; }
    void close();

    /// Connects to an address and port in host byte order.
    Connect connect(std::uint32_t address, std::uint16_t port);
    /// The error a connect in progress ended with; 0 once it succeeded.
    int pendingError() const;
    /// The next connection waiting on a listening socket; invalid if none.
    Socket accept() const;

    /// Bytes sent, kWouldBlock, or kBroken when the link is gone.
    std::ptrdiff_t send(const void *data, std::size_t size);
    /// Bytes received, 0 at the peer's orderly end, kWouldBlock, or kBroken.
    std::ptrdiff_t receive(void *data, std::size_t size);

    void setNoDelay();
    void setNonBlocking();
    void setReceiveBuffer(int bytes);

    /// The system's handle, for the waits of this layer.
    std::intptr_t handle() const { return m_handle; }

private:
    // What both systems' calls return for no socket: -1, or INVALID_SOCKET.
    static constexpr std::intptr_t kNone = -1;

    explicit Socket(std::intptr_t handle) : m_handle(handle) {}

    std::intptr_t m_handle = kNone;
};

/// One socket in a poll, with what is wanted of it and, after, what it is.
struct Watch
{
    const Socket *socket = nullptr;
    unsigned wanted = None;
    unsigned ready = None;
};

/// Waits until one of the sockets is ready as wanted or the timeout (in
/// milliseconds, -1 for none) passes; the count of ready sockets.
int poll(std::span<Watch> watches, int timeoutMs);

/// Where the robot link's thread waits for its socket and for work from
/// other threads at once.
class Waiter
{
public:
    Waiter();
    ~Waiter();
    Waiter(const Waiter &) = delete;
    Waiter &operator=(const Waiter &) = delete;

    /// Ends the current or the next wait early; safe from any thread.
    void wake();
    /// The socket later waits are for; called before it connects.
    void watch(const Socket &socket);
    /// Waits until the socket (none when null) is ready as wanted, wake() is
    /// called or the timeout (milliseconds, -1 for none) passes; what the
    /// socket is ready for.
    unsigned wait(const Socket *socket, unsigned wanted, int timeoutMs);

private:
    // The wake-up's handle and, where the system signals a socket through
    // an event of its own, that event's.
    std::array<std::intptr_t, 2> m_handles{-1, -1};
};

/// The address of a dotted IPv4 text, in host byte order, as the system
/// reads one: four decimal numbers of 0 to 255 and nothing else.
std::optional<std::uint32_t> parseIpv4(const char *text);

} // namespace net
