#pragma once

#include "protocol/message.h"
#include "vaiboclient/net/socket.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

/// A scriptable robot on 127.0.0.1 and an ephemeral port, for the client's
/// tests: it welcomes, answers requests, sends what a test hands it and can
/// fall silent at will. One client at a time.
class FakeRobot
{
public:
    /// Answer to a request; empty to leave it unanswered.
    using Answer = std::function<std::optional<std::int32_t>(const protocol::Request &)>;

    FakeRobot();
    ~FakeRobot();

    FakeRobot(const FakeRobot &) = delete;
    FakeRobot &operator=(const FakeRobot &) = delete;

    std::uint16_t port() const { return m_port; }

    void setAnswer(Answer answer) { locked([&] { m_answer = std::move(answer); }); }
    /// Heartbeat interval of the robot; empty for a robot that sends none.
    void setHeartbeat(std::optional<std::chrono::milliseconds> interval) { locked([&] { m_heartbeat = interval; }); }
    /// What the robot answers a Hello with, in place of its Welcome.
    void setWelcome(std::vector<std::uint8_t> bytes) { locked([&] { m_welcome = std::move(bytes); }); }
    /// Whether the robot answers the client's Pings.
    void setAnswersPings(bool answers) { locked([&] { m_answersPings = answers; }); }
    /// Sets the robot's clock this far from this machine's, as another
    /// machine's clock is; its Pongs read it.
    void setClockOffset(std::chrono::microseconds offset) { m_clockOffset = offset; }
    /// The robot's clock, in microseconds since the epoch, for stamping frames.
    std::uint64_t clockUs() const;

    /// Streams this picture to a welcomed client, the next frame as soon as
    /// the last is acknowledged, stamped on the robot's clock; empty stops.
    void streamPicture(std::vector<std::uint8_t> jpeg) { locked([&] { m_picture = std::move(jpeg); }); }
    /// Frames streamed so far.
    std::uint32_t framesStreamed() const
    {
        return locked([&] { return m_framesSent; });
    }

    /// Closes the client's connection without a word, as a robot that
    /// vanishes does; the robot listens on.
    void hangUp() { locked([&] { m_hangingUp = true; }); }

    /// Sends to the connected client.
    void send(const protocol::Message &message);
    void sendRaw(std::vector<std::uint8_t> bytes) { locked([&] { m_toSend.push_back(std::move(bytes)); }); }

    /// Messages received from the current or last client, oldest first.
    std::vector<protocol::Message> received() const
    {
        return locked([&] { return m_received; });
    }
    /// How many of them are of the type.
    template<typename T>
    int count() const
    {
        return locked([&] {
            return static_cast<int>(std::count_if(m_received.begin(), m_received.end(),
                                                  [](const protocol::Message &m) { return std::holds_alternative<T>(m); }));
        });
    }
    /// Connections accepted so far.
    int connections() const
    {
        return locked([&] { return m_connections; });
    }
    /// Whether a client is connected and welcomed.
    bool welcomed() const
    {
        return locked([&] { return m_welcomed; });
    }

    /// Waits until the condition holds, at most the timeout; true if it did.
    bool waitUntil(const std::function<bool(const FakeRobot &)> &condition,
                   std::chrono::milliseconds timeout = std::chrono::seconds(3)) const;

private:
    template<typename F>
    auto locked(F &&f) const -> decltype(f())
    {
        const std::lock_guard lock(m_mutex);
        return f();
    }
    void run();
    void serve(net::Socket &client);
    bool handle(net::Socket &client, protocol::Message &&message);

    net::Socket m_listener;
    std::uint16_t m_port = 0;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Answer m_answer;
    std::optional<std::chrono::milliseconds> m_heartbeat = std::chrono::milliseconds(50);
    std::vector<std::uint8_t> m_welcome;
    bool m_answersPings = true;
    std::atomic<std::chrono::microseconds> m_clockOffset{};
    std::vector<std::uint8_t> m_picture;
    std::uint32_t m_framesSent = 0;
    bool m_frameInFlight = false;
    bool m_hangingUp = false;
    std::deque<std::vector<std::uint8_t>> m_toSend;
    bool m_stopping = false;
    bool m_welcomed = false;
    int m_connections = 0;
    std::vector<protocol::Message> m_received;

    std::thread m_thread;
};
