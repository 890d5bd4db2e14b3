#include "vaiboclient/networklink.h"

#include "protocol/decoder.h"
#include "protocol/encoder.h"
#include "protocol/timing.h"
#include "toolkit/core/clock.h"

#include <array>
#include <string>

namespace vaibo {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char *kClientName = "korvan panel";
const std::string kWrongVersion = "version: this client speaks protocol " + std::to_string(protocol::kVersion);
constexpr std::size_t kReadChunk = 64 * 1024;
// Reads per wake-up, so that a flooding robot cannot starve the commands.
constexpr int kReadsPerWake = 16;

int millisecondsUntil(Clock::time_point deadline, Clock::time_point now)
{
    if (deadline <= now)
        return 0;
    // Rounded up, so the timer has passed when poll returns.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count());
}

} // namespace

struct NetworkLink::OpenLink
{
    enum class Phase { Connecting, Handshaking, Up };

    net::Socket socket;
    std::uint64_t generation = 0;
    Settings settings;
    Phase phase = Phase::Connecting;
    Clock::time_point deadline;
    Clock::time_point lastReceived;
    Clock::time_point lastSent;
    Clock::time_point nextPing;
    // When the Ping awaiting its Pong left; its origin is this moment.
    std::optional<Clock::time_point> pingSent;
    protocol::Decoder decoder;
    std::vector<std::uint8_t> sendBuffer;
    std::size_t sent = 0;
    bool broken = false;

    Clock::time_point nextTimer() const
    {
        if (phase != Phase::Up)
            return deadline;
        const Clock::time_point quiet =
            std::min(lastReceived + settings.deadLinkTimeout, lastSent + settings.heartbeatInterval);
        return pingSent ? quiet : std::min(quiet, nextPing);
    }

    void queue(const protocol::Message &message) { protocol::appendEncoded(sendBuffer, message); }

    void flush()
    {
        while (sent < sendBuffer.size()) {
            const std::ptrdiff_t n = socket.send(sendBuffer.data() + sent, sendBuffer.size() - sent);
            if (n <= 0) {
                broken = n != net::Socket::kWouldBlock;
                return;
            }
            sent += static_cast<std::size_t>(n);
            lastSent = tk::now();
        }
        sendBuffer.clear();
        sent = 0;
    }

    void closeSocket(bool sayBye)
    {
        if (sayBye && phase == Phase::Up && !broken) {
            queue(protocol::Bye{});
            flush();
        }
        socket.close();
    }
};

NetworkLink::NetworkLink(Listener &listener) : m_listener(listener) {}

NetworkLink::~NetworkLink()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
}

NetworkLink::Outcome NetworkLink::open(std::uint32_t address)
{
    const Settings current = settings();
    {
        const std::lock_guard lock(m_mutex);
        if (m_wanted)
            return Outcome::Busy;
        ++m_generation;
        m_wanted = true;
        m_up = false;
        m_nextSequence = 1;
        m_replyTimeout = current.replyTimeout;
        m_outgoing.clear();
        m_commands.push_back({true, address, current, m_generation});
    }
    // The thread starts with the first link asked for: a client that never
    // connects never has one.
    if (!m_thread.joinable())
        m_thread = std::thread(&NetworkLink::run, this);
    wake();
    return Outcome::Accepted;
}

NetworkLink::Outcome NetworkLink::close()
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_wanted)
            return Outcome::NothingToClose;
        m_wanted = false;
        m_up = false;
        m_commands.push_back({false, 0, {}, m_generation});
        m_answered.notify_all();
    }
    wake();
    return Outcome::Accepted;
}

std::optional<std::int32_t> NetworkLink::call(protocol::Operation operation, const std::vector<std::int32_t> &arguments)
{
    const std::lock_guard serial(m_callMutex);
    std::unique_lock lock(m_mutex);
    if (!m_up)
        return std::nullopt;
    const std::uint32_t sequence = m_nextSequence++;
    if (!protocol::appendEncoded(m_outgoing,
                                 protocol::Request{sequence, static_cast<std::uint16_t>(operation), arguments}))
        return std::nullopt;
    m_awaited = sequence;
    m_answer.reset();
    const std::uint64_t generation = m_generation;
    wake();
    m_answered.wait_for(lock, m_replyTimeout,
                        [&] { return m_answer.has_value() || !m_up || m_generation != generation; });
    const std::optional<std::int32_t> answer = m_answer;
    m_awaited.reset();
    m_answer.reset();
    return answer;
}

void NetworkLink::wake()
{
    m_waiter.wake();
}

void NetworkLink::run()
{
    std::optional<OpenLink> connection;
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
        }
        applyCommands(connection);
        unsigned wanted = net::None;
        int timeout = -1;
        if (connection) {
            {
                const std::lock_guard lock(m_mutex);
                connection->sendBuffer.insert(connection->sendBuffer.end(), m_outgoing.begin(), m_outgoing.end());
                m_outgoing.clear();
            }
            const bool connecting = connection->phase == OpenLink::Phase::Connecting;
            if (!connecting && !connection->sendBuffer.empty())
                connection->flush();
            const bool writing = connecting || !connection->sendBuffer.empty();
            wanted = connecting ? net::Writable : (net::Readable | (writing ? net::Writable : net::None));
            timeout = connection->broken ? 0 : millisecondsUntil(connection->nextTimer(), tk::now());
        }
        const unsigned ready = m_waiter.wait(connection ? &connection->socket : nullptr, wanted, timeout);
        if (!connection)
            continue;
        if (ready != net::None)
            service(*connection, ready);
        if (!connection->broken)
            checkTimers(*connection);
        if (connection->broken)
            end(connection, false);
    }
    if (connection)
        connection->closeSocket(true);
}

void NetworkLink::applyCommands(std::optional<OpenLink> &connection)
{
    std::deque<Command> commands;
    {
        const std::lock_guard lock(m_mutex);
        commands.swap(m_commands);
    }
    for (const Command &command : commands) {
        if (!command.open) {
            if (connection && connection->generation == command.generation)
                end(connection, true);
            continue;
        }
        if (connection)
            end(connection, true);
        connection.emplace();
        connection->generation = command.generation;
        connection->settings = command.settings;
        connection->deadline = tk::now() + command.settings.connectTimeout;
        connection->socket = net::Socket::tcp(true);
        if (!connection->socket.valid()) {
            connection->broken = true;
            continue;
        }
        m_waiter.watch(connection->socket);
        const net::Socket::Connect started = connection->socket.connect(command.address, command.settings.port);
        if (started == net::Socket::Connect::Done) {
            connection->phase = OpenLink::Phase::Handshaking;
            connection->queue(protocol::Hello{protocol::kVersion, kClientName});
            connection->flush();
        } else if (started == net::Socket::Connect::Failed) {
            connection->broken = true;
        }
    }
    if (connection && connection->broken)
        end(connection, false);
}

void NetworkLink::service(OpenLink &connection, unsigned events)
{
    if (connection.phase == OpenLink::Phase::Connecting) {
        // What the wait reported is not trusted alone: the socket's own
        // error says whether the connect succeeded.
        if ((events & net::Writable) == 0)
            return;
        if (connection.socket.pendingError() != 0) {
            connection.broken = true;
            return;
        }
        connection.phase = OpenLink::Phase::Handshaking;
        connection.queue(protocol::Hello{protocol::kVersion, kClientName});
        connection.flush();
        return;
    }
    if ((events & net::Readable) != 0) {
        std::array<std::uint8_t, kReadChunk> chunk;
        for (int reads = 0; reads < kReadsPerWake && !connection.broken; ++reads) {
            const std::ptrdiff_t n = connection.socket.receive(chunk.data(), chunk.size());
            if (n == net::Socket::kWouldBlock)
                break;
            if (n <= 0) {
                connection.broken = true;
                break;
            }
            connection.lastReceived = tk::now();
            connection.decoder.feed(chunk.data(), static_cast<std::size_t>(n));
            while (!connection.broken) {
                std::optional<protocol::Message> message = connection.decoder.next();
                if (!message)
                    break;
                handleMessage(connection, std::move(*message));
            }
            if (connection.decoder.error() != protocol::Decoder::Error::None) {
                // A robot of another version is told why before the link ends.
                if (connection.decoder.error() == protocol::Decoder::Error::BadVersion) {
                    connection.queue(protocol::Bye{kWrongVersion});
                    connection.flush();
                }
                connection.broken = true;
            }
            if (static_cast<std::size_t>(n) < chunk.size())
                break;
        }
    }
    if (!connection.broken && (events & net::Writable) != 0)
        connection.flush();
}

void NetworkLink::handleMessage(OpenLink &connection, protocol::Message &&message)
{
    if (connection.phase == OpenLink::Phase::Handshaking) {
        // Only a Welcome brings the link up; a Refused or anything else ends it.
        if (!std::holds_alternative<protocol::Welcome>(message)) {
            connection.broken = true;
            return;
        }
        connection.phase = OpenLink::Phase::Up;
        connection.lastSent = tk::now();
        // The first Ping goes at once, so the pane knows the picture's age soon.
        connection.nextPing = connection.lastSent;
        bool wanted = false;
        {
            const std::lock_guard lock(m_mutex);
            wanted = m_wanted && m_generation == connection.generation;
            m_up = wanted;
        }
        if (wanted)
            m_listener.linkUp();
        return;
    }
    if (auto *reply = std::get_if<protocol::Reply>(&message)) {
        const std::lock_guard lock(m_mutex);
        if (m_awaited == reply->sequence) {
            m_answer = reply->result;
            m_answered.notify_all();
        } else if (reply->sequence == 0 || reply->sequence >= m_nextSequence) {
            // An answer to a request never sent.
            connection.broken = true;
        }
        // Otherwise a late answer to a request given up on: dropped.
        return;
    }
    if (auto *frame = std::get_if<protocol::Frame>(&message)) {
        // Acknowledged before it is decoded: the robot paces its pictures by
        // these, so the link's time, not the decoding's, should set them.
        connection.queue(protocol::FrameAck{frame->sequence});
        connection.flush();
        m_listener.frameArrived(std::move(*frame));
        return;
    }
    if (const auto *ping = std::get_if<protocol::Ping>(&message)) {
        connection.queue(protocol::Pong{ping->origin, protocol::epochMicroseconds()});
        connection.flush();
        return;
    }
    if (const auto *pong = std::get_if<protocol::Pong>(&message)) {
        // A Pong for no Ping of ours is a fault like any impossible message.
        if (!connection.pingSent || pong->origin != protocol::pingOrigin(*connection.pingSent)) {
            connection.broken = true;
            return;
        }
        m_listener.clockSampled(*connection.pingSent, tk::now(), pong->timeUs);
        connection.pingSent.reset();
        return;
    }
    // A Bye ends the link; Hello, Welcome, Refused, Request and FrameAck
    // have no place on a client's established link.
    connection.broken = !std::holds_alternative<protocol::Heartbeat>(message);
}

void NetworkLink::checkTimers(OpenLink &connection)
{
    const Clock::time_point now = tk::now();
    if (connection.phase != OpenLink::Phase::Up) {
        connection.broken = now >= connection.deadline;
        return;
    }
    if (now - connection.lastReceived >= connection.settings.deadLinkTimeout) {
        connection.broken = true;
        return;
    }
    if (!connection.pingSent && now >= connection.nextPing) {
        connection.pingSent = now;
        connection.nextPing = now + protocol::kPingInterval;
        connection.queue(protocol::Ping{protocol::pingOrigin(now)});
        connection.flush();
    }
    if (now - connection.lastSent >= connection.settings.heartbeatInterval && connection.sendBuffer.empty()) {
        connection.queue(protocol::Heartbeat{});
        connection.flush();
    }
}

void NetworkLink::end(std::optional<OpenLink> &connection, bool sayBye)
{
    if (connection->socket.valid())
        connection->closeSocket(sayBye);
    {
        const std::lock_guard lock(m_mutex);
        if (m_generation == connection->generation)
            m_wanted = false;
        m_up = false;
        m_outgoing.clear();
        m_answered.notify_all();
    }
    connection.reset();
    m_listener.linkDown();
}

} // namespace vaibo
