#include "tests/peers/fakerobot.h"

#include "protocol/decoder.h"
#include "protocol/encoder.h"
#include "protocol/timing.h"
#include "tests/peers/duties.h"

#include <array>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPollMs = 5;
constexpr std::uint16_t kPictureWidth = 208;
constexpr std::uint16_t kPictureHeight = 160;

} // namespace

FakeRobot::FakeRobot()
{
    m_listener = net::Socket::listenOnLoopback(m_port);
    m_thread = std::thread(&FakeRobot::run, this);
}

FakeRobot::~FakeRobot()
{
    locked([&] { m_stopping = true; });
    m_thread.join();
}

std::uint64_t FakeRobot::clockUs() const
{
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(protocol::epochMicroseconds()) +
                                      m_clockOffset.load().count());
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
        net::Watch listening{&m_listener, net::Readable};
        if (net::poll({&listening, 1}, kPollMs) <= 0)
            continue;
        net::Socket client = m_listener.accept();
        if (!client.valid())
            continue;
        locked([&] {
            ++m_connections;
            m_received.clear();
            m_toSend.clear();
            m_frameInFlight = false;
        });
        m_changed.notify_all();
        serve(client);
        client.close();
        locked([&] { m_welcomed = false; });
        m_changed.notify_all();
    }
}

void FakeRobot::serve(net::Socket &client)
{
    protocol::Decoder decoder;
    auto lastSent = Clock::now();
    for (;;) {
        std::deque<std::vector<std::uint8_t>> toSend;
        std::optional<std::chrono::milliseconds> heartbeat;
        if (locked([&] {
                toSend.swap(m_toSend);
                // Like a real robot, no heartbeats or pictures before the Welcome.
                if (m_welcomed)
                    heartbeat = m_heartbeat;
                // The next picture goes when the last one is acknowledged.
                if (m_welcomed && !m_picture.empty() && !m_frameInFlight) {
                    toSend.push_back(protocol::encode(
                        protocol::Frame{++m_framesSent, clockUs(), kPictureWidth, kPictureHeight, m_picture}));
                    m_frameInFlight = true;
                }
                return m_stopping || std::exchange(m_hangingUp, false);
            }))
            return;
        if (heartbeat && Clock::now() - lastSent >= *heartbeat)
            toSend.push_back(protocol::encode(protocol::Heartbeat{}));
        for (const auto &bytes : toSend) {
            if (!peers::sendAll(client, bytes))
                return;
            lastSent = Clock::now();
        }
        net::Watch readable{&client, net::Readable};
        if (net::poll({&readable, 1}, kPollMs) <= 0)
            continue;
        std::array<std::uint8_t, 4096> chunk;
        const std::ptrdiff_t n = client.receive(chunk.data(), chunk.size());
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

bool FakeRobot::handle(net::Socket &client, protocol::Message &&message)
{
    std::vector<std::uint8_t> welcome;
    bool answersPings = true;
    const Answer answer = locked([&] {
        m_received.push_back(message);
        if (std::holds_alternative<protocol::FrameAck>(message))
            m_frameInFlight = false;
        welcome = m_welcome;
        answersPings = m_answersPings;
        return m_answer;
    });
    m_changed.notify_all();
    if (const auto *request = std::get_if<protocol::Request>(&message)) {
        const std::optional<std::int32_t> result = answer ? answer(*request) : std::optional<std::int32_t>(0);
        return !result || peers::sendAll(client, protocol::encode(protocol::Reply{request->sequence, *result}));
    }
    if (std::holds_alternative<protocol::Hello>(message)) {
        if (welcome.empty())
            welcome = protocol::encode(*peers::robotAnswer(message, "fake robot"));
        locked([&] { m_welcomed = true; });
        return peers::sendAll(client, welcome);
    }
    auto owed = peers::robotAnswer(message, "fake robot");
    if (auto *pong = owed ? std::get_if<protocol::Pong>(&*owed) : nullptr)
        pong->timeUs = clockUs();
    if (owed && (answersPings || !std::holds_alternative<protocol::Ping>(message)))
        return peers::sendAll(client, protocol::encode(*owed));
    return !std::holds_alternative<protocol::Bye>(message);
}
