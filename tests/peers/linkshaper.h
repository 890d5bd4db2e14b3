#pragma once

#include "vaiboclient/net/socket.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace peers {

/// What a shaped link does to the bytes that cross it.
struct LinkShape
{
    /// Both directions together, as on one radio channel; 0 for no limit.
    double bitsPerSecond = 0;
    /// Bytes the token bucket lets through at once after a quiet spell.
    std::size_t burstBytes = 16 * 1024;
    /// Bytes waiting to be sent, both directions together; a sender meets
    /// TCP's back-pressure past it.
    std::size_t queueBytes = 64 * 1024;
    /// One-way delay of each direction, and its jitter either side of it.
    std::chrono::microseconds delay{0};
    std::chrono::microseconds jitter{0};
};

/// A relay on 127.0.0.1 that shapes one TCP link at a time to another port
/// on 127.0.0.1, without root and on any machine: a token bucket shared by
/// both directions, a bounded queue served in arrival order, a one-way delay
/// with jitter that keeps each direction in order, and stalls that hold
/// every byte for a while, as a burst of retransmissions does.
class LinkShaper
{
public:
    /// Which way bytes go.
    enum class Direction { ToTarget, FromTarget };

    LinkShaper(std::uint16_t targetPort, const LinkShape &shape);
    ~LinkShaper();

    LinkShaper(const LinkShaper &) = delete;
    LinkShaper &operator=(const LinkShaper &) = delete;

    /// The port to connect to instead of the target's.
    std::uint16_t port() const { return m_port; }

    /// Changes the shape from now on; bytes already on their way keep theirs.
    void reshape(const LinkShape &shape);
    /// Holds every byte, both ways, for this long from now.
    void stall(std::chrono::milliseconds time);
    /// Bytes held inside the relay going one way.
    std::size_t heldBytes(Direction direction) const;

private:
    struct State;

    void run();

    net::Socket m_listener;
    std::uint16_t m_port = 0;
    std::uint16_t m_targetPort = 0;
    mutable std::mutex m_mutex;
    std::unique_ptr<State> m_state;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace peers
