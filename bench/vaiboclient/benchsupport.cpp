#include "bench/vaiboclient/benchsupport.h"

#include "bench/support/loopback.h"
#include "protocol/decoder.h"
#include "protocol/encoder.h"
#include "tests/peers/duties.h"
#include "vaiboclient/settings.h"

#include <turbojpeg.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <random>

namespace bench {

namespace {

std::vector<std::uint8_t> encodeJpeg(const std::vector<std::uint8_t> &rgb, int width, int height, int quality)
{
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, quality, 0);
    std::vector<std::uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

} // namespace

std::vector<std::uint8_t> cameraLikeJpeg(int width, int height, int seed)
{
    std::mt19937 random(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> noise(-12, 12);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width * height * 3));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool ball = std::hypot(x - width * 0.6, y - height * 0.55) < height * 0.18;
            const bool floor = y > height * 0.6;
            int r = floor ? 150 - y / 4 : 90 + x / 3;
            int g = floor ? 120 - y / 5 : 100 + y / 2;
            int b = floor ? 90 : 160 - x / 4;
            if (ball) {
                r = 230;
                g = 110;
                b = 40;
            }
            for (int *channel : {&r, &g, &b})
                rgb.push_back(static_cast<std::uint8_t>(std::clamp(*channel + noise(random), 0, 255)));
        }
    }
    return encodeJpeg(rgb, width, height, 80);
}

std::vector<double> timedMicroseconds(int count, const std::function<void(int)> &work)
{
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        work(i);
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return samples;
}

void useRobotAt(std::uint16_t port)
{
    vaibo::Settings settings;
    settings.port = port;
    vaibo::setSettings(settings);
}

double percentile(std::vector<double> samples, double share)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1));
    return samples[at];
}

std::vector<double> loopbackRoundTrips(std::size_t requestBytes, std::size_t replyBytes, int count)
{
    // A TCP pair on loopback, like the client's.
    std::uint16_t port = 0;
    const int listener = listenOnLoopback(port);
    const int client = connectToLoopback(port);
    const int server = ::accept(listener, nullptr, nullptr);
    setNoDelay(client);
    setNoDelay(server);
    std::thread echo([=] {
        std::vector<char> in(requestBytes);
        const std::vector<char> out(replyBytes);
        for (int i = 0; i < count; ++i) {
            ::recv(server, in.data(), in.size(), MSG_WAITALL);
            ::send(server, out.data(), out.size(), 0);
        }
    });
    std::vector<char> request(requestBytes);
    std::vector<char> reply(replyBytes);
    std::vector<double> samples = timedMicroseconds(count, [&](int) {
        ::send(client, request.data(), request.size(), 0);
        ::recv(client, reply.data(), reply.size(), MSG_WAITALL);
    });
    echo.join();
    ::close(client);
    ::close(server);
    ::close(listener);
    return samples;
}

BenchRobot::BenchRobot()
{
    m_listener = listenOnLoopback(m_port);
    m_thread = std::thread(&BenchRobot::run, this);
}

BenchRobot::~BenchRobot()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_thread.join();
    ::close(m_listener);
}

void BenchRobot::startFrames(std::vector<std::uint8_t> jpeg, std::chrono::microseconds period, int count)
{
    const std::lock_guard lock(m_mutex);
    m_jpeg = std::move(jpeg);
    m_period = period;
    m_framesLeft = count;
    m_sentAt.clear();
}

Clock::time_point BenchRobot::sentAt(std::uint32_t n) const
{
    const std::lock_guard lock(m_mutex);
    return n < m_sentAt.size() ? m_sentAt[n] : Clock::time_point{};
}

bool BenchRobot::framesDone() const
{
    const std::lock_guard lock(m_mutex);
    return m_framesLeft == 0;
}

void BenchRobot::run()
{
    int client = -1;
    bool welcomed = false;
    protocol::Decoder decoder;
    Clock::time_point nextFrame = Clock::now();
    Clock::time_point lastSent = Clock::now();
    for (;;) {
        std::vector<std::uint8_t> frameBytes;
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
            if (welcomed && m_framesLeft > 0 && Clock::now() >= nextFrame) {
                protocol::Frame frame;
                frame.sequence = static_cast<std::uint32_t>(m_sentAt.size());
                frame.width = 208;
                frame.height = 160;
                frame.jpeg = m_jpeg;
                for (int shift = 24; shift >= 0; shift -= 8)
                    frame.jpeg.push_back(static_cast<std::uint8_t>(frame.sequence >> shift));
                frameBytes = protocol::encode(frame);
                m_sentAt.push_back(Clock::now());
                --m_framesLeft;
                nextFrame += m_period;
            }
        }
        if (!frameBytes.empty()) {
            sendAll(client, frameBytes);
            lastSent = Clock::now();
        }
        if (client >= 0 && Clock::now() - lastSent > std::chrono::milliseconds(500)) {
            sendAll(client, protocol::encode(protocol::Heartbeat{}));
            lastSent = Clock::now();
        }
        pollfd fd{client >= 0 ? client : m_listener, POLLIN, 0};
        ::poll(&fd, 1, 1);
        if ((fd.revents & POLLIN) == 0)
            continue;
        if (client < 0) {
            client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            setNoDelay(client);
            continue;
        }
        std::array<std::uint8_t, 4096> chunk;
        const ssize_t n = ::recv(client, chunk.data(), chunk.size(), 0);
        if (n <= 0)
            break;
        decoder.feed(chunk.data(), static_cast<std::size_t>(n));
        while (auto message = decoder.next()) {
            if (const auto *request = std::get_if<protocol::Request>(&*message)) {
                sendAll(client, protocol::encode(protocol::Reply{request->sequence, 0}));
            } else if (const auto owed = peers::robotAnswer(*message, "bench robot")) {
                sendAll(client, protocol::encode(*owed));
                if (std::holds_alternative<protocol::Hello>(*message)) {
                    welcomed = true;
                    nextFrame = Clock::now();
                }
            }
        }
    }
    if (client >= 0)
        ::close(client);
}

} // namespace bench
