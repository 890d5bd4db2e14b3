#pragma once

#include "protocol/message.h"
#include "protocol/operation.h"
#include "vaiboclient/net/socket.h"
#include "vaiboclient/settings.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vaibo {

/// The TCP link to one robot, run by a thread of its own: connecting with a
/// time limit, the handshake, heartbeats, dead-link detection, requests and
/// incoming frames. Callers on any other thread only queue work and wait for
/// answers. Each accepted open() ends in exactly one Listener::linkDown().
class NetworkLink
{
public:
    /// Told what happens on the link, on the link's own thread.
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /// The robot welcomed the client.
        virtual void linkUp() = 0;
        /// The link or the attempt ended, whatever the cause.
        virtual void linkDown() = 0;
        /// A camera frame arrived.
        virtual void frameArrived(protocol::Frame &&frame) = 0;
        /// The robot answered a Ping sent at sent, received back at
        /// received, with its clock reading robotUs.
        virtual void clockSampled(std::chrono::steady_clock::time_point sent,
                                  std::chrono::steady_clock::time_point received, std::uint64_t robotUs) = 0;
    };

    /// Results of open() and close().
    enum class Outcome { Accepted, Busy, NothingToClose };

    explicit NetworkLink(Listener &listener);
    /// Closes any link without telling the listener and stops the thread.
    ~NetworkLink();

    NetworkLink(const NetworkLink &) = delete;
    NetworkLink &operator=(const NetworkLink &) = delete;

    /// Starts connecting to the address (host byte order) with the current
    /// settings. Busy while a link is open or being opened.
    Outcome open(std::uint32_t address);

    /// Ends the link or the attempt; the listener hears linkDown.
    Outcome close();

    /// Sends one request and waits for its answer, at most the reply timeout.
    /// Empty when there is no link, no answer in time, or the link ends
    /// meanwhile.
    std::optional<std::int32_t> call(protocol::Operation operation, const std::vector<std::int32_t> &arguments);

private:
    struct Command
    {
        bool open = false;
        std::uint32_t address = 0;
        Settings settings;
        std::uint64_t generation = 0;
    };
    /// One TCP link to a robot, from connecting to its end; only the
    /// network thread touches it.
    struct OpenLink;

    void run();
    void wake();
    void applyCommands(std::optional<OpenLink> &connection);
    void service(OpenLink &connection, unsigned events);
    void handleMessage(OpenLink &connection, protocol::Message &&message);
    void checkTimers(OpenLink &connection);
    void end(std::optional<OpenLink> &connection, bool sayBye);

    Listener &m_listener;
    net::Waiter m_waiter;

    // Keeps callers from other threads one at a time: one request is
    // outstanding at most.
    std::mutex m_callMutex;
    mutable std::mutex m_mutex;
    std::condition_variable m_answered;
    std::deque<Command> m_commands;
    // The generation of the link last asked for; m_wanted while it is asked
    // for and has not ended.
    std::uint64_t m_generation = 0;
    bool m_wanted = false;
    bool m_up = false;
    bool m_stopping = false;
    std::vector<std::uint8_t> m_outgoing;
    std::uint32_t m_nextSequence = 1;
    std::optional<std::uint32_t> m_awaited;
    std::optional<std::int32_t> m_answer;
    std::chrono::milliseconds m_replyTimeout{0};

    std::thread m_thread;
};

} // namespace vaibo
