#include "tests/peers/fakerobot.h"

#include "protocol/decoder.h"
#include "protocol/encoder.h"
#include "tests/peers/duties.h"
#include "tests/peers/loopback.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPollMs = 5;

} // namespace

FakeRobot::FakeRobot()
{
    m_listener = listenOnLoopback(m_port);
    m_thread = std::thread(&FakeRobot::run, this);
}

FakeRobot::~FakeRobot()
{
    locked([&] { m_stopping = true; });
    m_thread.join();
    ::close(m_listener);
}

void FakeRobot::send(const protocol::Message &message)
{
    sendRaw(protocol::encode(message));
}

bool FakeRobot::waitUntil(const std::function<bool(const FakeRobot &)> &condition,
                          std::chrono::milliseconds timeout) const
{
    const auto deadline = Clock::now() + timeout;
    while (!condition(*this)) {
        if (Clock::now() >= deadline)
            return false;
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(kPollMs));
    }
    return true;
}

void FakeRobot::run()
{
    while (!locked([&] { return m_stopping; })) {
        pollfd listening{m_listener, POLLIN, 0};
        if (::poll(&listening, 1, kPollMs) <= 0)
            continue;
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        setNoDelay(client);
        locked([&] {
            ++m_connections;
            m_received.clear();
            m_toSend.clear();
        });
        m_changed.notify_all();
        serve(client);
        ::close(client);
        locked([&] { m_welcomed = false; });
        m_changed.notify_all();
    }
}

void FakeRobot::serve(int client)
{
    protocol::Decoder decoder;
    auto lastSent = Clock::now();
    for (;;) {
        std::deque<std::vector<std::uint8_t>> toSend;
        std::optional<std::chrono::milliseconds> heartbeat;
        if (locked([&] {
                toSend.swap(m_toSend);
                // Like a real robot, no heartbeats before the Welcome.
                if (m_welcomed)
                    heartbeat = m_heartbeat;
                return m_stopping;
            }))
            return;
        if (heartbeat && Clock::now() - lastSent >= *heartbeat)
            toSend.push_back(protocol::encode(protocol::Heartbeat{}));
        for (const auto &bytes : toSend) {
            if (!sendAll(client, bytes))
                return;
            lastSent = Clock::now();
        }
        pollfd readable{client, POLLIN, 0};
        if (::poll(&readable, 1, kPollMs) <= 0)
            continue;
        std::array<std::uint8_t, 4096> chunk;
        const ssize_t n = ::recv(client, chunk.data(), chunk.size(), 0);
        if (n <= 0)
            return;
        decoder.feed(chunk.data(), static_cast<std::size_t>(n));
        while (auto message = decoder.next()) {
            if (!handle(client, std::move(*message)))
                return;
        }
        if (decoder.error() != protocol::Decoder::Error::None)
            return;
    }
}

bool FakeRobot::handle(int client, protocol::Message &&message)
{
    std::vector<std::uint8_t> welcome;
    bool answersPings = true;
    const Answer answer = locked([&] {
        m_received.push_back(message);
        welcome = m_welcome;
        answersPings = m_answersPings;
        return m_answer;
    });
    m_changed.notify_all();
    if (const auto *request = std::get_if<protocol::Request>(&message)) {
        const std::optional<std::int32_t> result = answer ? answer(*request) : std::optional<std::int32_t>(0);
        return !result || sendAll(client, protocol::encode(protocol::Reply{request->sequence, *result}));
    }
    if (std::holds_alternative<protocol::Hello>(message)) {
        if (welcome.empty())
            welcome = protocol::encode(*peers::robotAnswer(message, "fake robot"));
        locked([&] { m_welcomed = true; });
        return sendAll(client, welcome);
    }
    const auto owed = peers::robotAnswer(message, "fake robot");
    if (owed && (answersPings || !std::holds_alternative<protocol::Ping>(message)))
        return sendAll(client, protocol::encode(*owed));
    return !std::holds_alternative<protocol::Bye>(message);
}
