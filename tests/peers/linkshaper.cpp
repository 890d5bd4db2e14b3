#include "tests/peers/linkshaper.h"

#include <algorithm>
#include <array>
#include <deque>
#include <random>
#include <vector>

namespace peers {

namespace {

using Clock = std::chrono::steady_clock;

// Bytes go through the bucket a packet at a time, so the two directions
// take turns the way packets on one channel do.
constexpr std::size_t kPacketBytes = 1448;
constexpr auto kLongestWait = std::chrono::milliseconds(5);
constexpr std::uint32_t kLoopback = 0x7F000001;

struct Packet
{
    std::vector<std::uint8_t> bytes;
    std::size_t written = 0;
    Clock::time_point deliverAt;
};

void setUp(net::Socket &socket)
{
    // A small receive buffer keeps what waits for the bucket here, in the
    // bounded queue, rather than in the kernel.
    socket.setReceiveBuffer(16 * 1024);
    socket.setNonBlocking();
}

} // namespace

// The relay's link: what it holds each way, and the bucket. Guarded by the
// shaper's mutex.
struct LinkShaper::State
{
    LinkShape shape;
    double tokens = 0;
    Clock::time_point refilled = Clock::now();
    Clock::time_point stalledUntil{};
    // Waiting for the bucket, both directions in arrival order.
    std::deque<std::pair<Direction, Packet>> waiting;
    std::size_t waitingBytes = 0;
    // Through the bucket, on their way.
    std::array<std::deque<Packet>, 2> travelling;
    std::array<std::size_t, 2> held{};
    std::mt19937 random{20207};

    void refill(Clock::time_point now)
    {
        const double rate = shape.bitsPerSecond / 8;
        tokens = std::min(static_cast<double>(shape.burstBytes),
                          tokens + rate * std::chrono::duration<double>(now - refilled).count());
        refilled = now;
    }

    Clock::time_point arrivalAfterDelay(Direction direction, Clock::time_point now)
    {
        auto delay = shape.delay;
        if (shape.jitter.count() > 0) {
            std::uniform_int_distribution<std::int64_t> spread(-shape.jitter.count(), shape.jitter.count());
            delay = std::max(std::chrono::microseconds(0), delay + std::chrono::microseconds(spread(random)));
        }
        // TCP keeps each direction in order, whatever the jitter.
        const auto &queue = travelling[static_cast<std::size_t>(direction)];
        const Clock::time_point at = now + delay;
        return queue.empty() ? at : std::max(at, queue.back().deliverAt);
    }

    void transmit(Clock::time_point now)
    {
        refill(now);
        while (!waiting.empty()) {
            auto &[direction, packet] = waiting.front();
            const auto size = static_cast<double>(packet.bytes.size());
            if (shape.bitsPerSecond > 0 && tokens < size)
                return;
            if (shape.bitsPerSecond > 0)
                tokens -= size;
            waitingBytes -= packet.bytes.size();
            packet.deliverAt = arrivalAfterDelay(direction, now);
            travelling[static_cast<std::size_t>(direction)].push_back(std::move(packet));
            waiting.pop_front();
        }
    }

    Clock::time_point nextEvent(Clock::time_point now) const
    {
        Clock::time_point next = now + kLongestWait;
        if (now < stalledUntil)
            return std::min(next, stalledUntil);
        for (const auto &queue : travelling) {
            if (!queue.empty())
                next = std::min(next, queue.front().deliverAt);
        }
        return next;
    }
};

LinkShaper::LinkShaper(std::uint16_t targetPort, const LinkShape &shape)
    : m_targetPort(targetPort)
    , m_state(std::make_unique<State>())
{
    m_state->shape = shape;
    m_state->tokens = static_cast<double>(shape.burstBytes);
    m_listener = net::Socket::listenOnLoopback(m_port);
    m_thread = std::thread(&LinkShaper::run, this);
}

LinkShaper::~LinkShaper()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_thread.join();
}

void LinkShaper::reshape(const LinkShape &shape)
{
    const std::lock_guard lock(m_mutex);
    m_state->refill(Clock::now());
    m_state->shape = shape;
}

void LinkShaper::stall(std::chrono::milliseconds time)
{
    const std::lock_guard lock(m_mutex);
    m_state->stalledUntil = Clock::now() + time;
}

std::size_t LinkShaper::heldBytes(Direction direction) const
{
    const std::lock_guard lock(m_mutex);
    return m_state->held[static_cast<std::size_t>(direction)];
}

void LinkShaper::run()
{
    // ends[0] is the side that connected to the relay, ends[1] the target;
    // bytes read from ends[i] go ToTarget when i is 0.
    std::array<net::Socket, 2> ends;
    // An end that closed: what it sent still crosses before the link ends.
    std::array<bool, 2> closed{false, false};
    const auto closeLink = [&] {
        closed = {false, false};
        for (net::Socket &end : ends)
            end.close();
        const std::lock_guard lock(m_mutex);
        m_state->waiting.clear();
        m_state->waitingBytes = 0;
        m_state->travelling = {};
        m_state->held = {};
    };
    for (;;) {
        Clock::time_point wakeAt;
        bool roomToRead = false;
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
            const auto now = Clock::now();
            wakeAt = m_state->nextEvent(now);
            roomToRead = m_state->waitingBytes < m_state->shape.queueBytes;
        }
        std::array<net::Watch, 3> watches{
            {{&m_listener, net::Readable}, {&ends[0], net::Readable}, {&ends[1], net::Readable}}};
        for (std::size_t i = 1; i < watches.size(); ++i) {
            if (!roomToRead || closed[i - 1])
                watches[i].wanted = net::None;
        }
        const auto wait = std::max<Clock::duration>(wakeAt - Clock::now(), Clock::duration::zero());
        net::poll(watches, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
        if (watches[0].ready != net::None) {
            net::Socket accepted = m_listener.accept();
            if (accepted.valid()) {
                closeLink();
                ends[0] = std::move(accepted);
                ends[1] = net::Socket::tcp(false);
                if (!ends[1].valid() || ends[1].connect(kLoopback, m_targetPort) != net::Socket::Connect::Done) {
                    closeLink();
                } else {
                    setUp(ends[0]);
                    setUp(ends[1]);
                }
            }
        }
        for (std::size_t i = 0; i < 2 && ends[i].valid(); ++i) {
            if (closed[i] || watches[i + 1].ready == net::None)
                continue;
            std::array<std::uint8_t, kPacketBytes> packet;
            const std::ptrdiff_t n = ends[i].receive(packet.data(), packet.size());
            if (n == 0 || n == net::Socket::kBroken) {
                closed[i] = true;
                continue;
            }
            if (n < 0)
                continue;
            const auto direction = i == 0 ? Direction::ToTarget : Direction::FromTarget;
            const std::lock_guard lock(m_mutex);
            m_state->waiting.push_back({direction, Packet{{packet.begin(), packet.begin() + n}, 0, {}}});
            m_state->waitingBytes += static_cast<std::size_t>(n);
            m_state->held[static_cast<std::size_t>(direction)] += static_cast<std::size_t>(n);
        }
        bool ended = false;
        {
            const std::lock_guard lock(m_mutex);
            const auto now = Clock::now();
            if (now >= m_state->stalledUntil && ends[0].valid()) {
                m_state->transmit(now);
                for (std::size_t d = 0; d < 2; ++d) {
                    auto &queue = m_state->travelling[d];
                    net::Socket &to = ends[d == 0 ? 1 : 0];
                    while (!queue.empty() && queue.front().deliverAt <= now) {
                        Packet &front = queue.front();
                        const std::ptrdiff_t n =
                            to.send(front.bytes.data() + front.written, front.bytes.size() - front.written);
                        if (n <= 0)
                            break;
                        front.written += static_cast<std::size_t>(n);
                        m_state->held[d] -= static_cast<std::size_t>(n);
                        if (front.written < front.bytes.size())
                            break;
                        queue.pop_front();
                    }
                }
            }
            for (std::size_t i = 0; i < 2; ++i)
                ended = ended || (closed[i] && m_state->held[i] == 0);
        }
        // Once what a closed end sent has crossed, the link ends both ways.
        if (ended)
            closeLink();
    }
    closeLink();
}

} // namespace peers
