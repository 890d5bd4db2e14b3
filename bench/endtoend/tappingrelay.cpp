#include "bench/endtoend/tappingrelay.h"

#include "bench/support/loopback.h"
#include "protocol/decoder.h"
#include "protocol/encoder.h"

#include <poll.h>
#include <sys/socket.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <array>

namespace e2ebench {

namespace {

// The marker: a row of blocks across the picture, one per bit, most
// significant first, then one block that is always white.
constexpr int kMarkerBits = 12;
constexpr int kMarkerColumns = kMarkerBits + 1;
constexpr double kMarkerTop = 0.1;
constexpr double kMarkerBottom = 0.2;
constexpr int kQuality = 80;
constexpr int kPollMs = 50;

} // namespace

struct TappingRelay::Session
{
    int client = -1;
    int robot = -1;
    protocol::Decoder fromClient;
    protocol::Decoder fromRobot;

    ~Session()
    {
        if (client >= 0)
            ::close(client);
        if (robot >= 0)
            ::close(robot);
    }
};

TappingRelay::TappingRelay(std::uint16_t robotPort)
    : m_robotPort(robotPort)
    , m_decompressor(tjInitDecompress())
    , m_compressor(tjInitCompress())
{
    m_listener = listenOnLoopback(m_port);
    m_thread = std::thread(&TappingRelay::run, this);
}

TappingRelay::~TappingRelay()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_thread.join();
    ::close(m_listener);
    tjDestroy(m_decompressor);
    tjDestroy(m_compressor);
}

std::optional<Clock::time_point> TappingRelay::frameSentAt(std::uint32_t number) const
{
    const std::lock_guard lock(m_mutex);
    if (number == 0 || number > m_frameSent.size())
        return std::nullopt;
    return m_frameSent[number - 1];
}

std::uint32_t TappingRelay::framesSent() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<std::uint32_t>(m_frameSent.size());
}

std::optional<std::uint32_t> TappingRelay::frameOfMarker(std::uint32_t marker) const
{
    constexpr std::uint32_t kMask = (1U << kMarkerBits) - 1;
    for (std::uint32_t number = framesSent(); number > 0; --number) {
        if ((number & kMask) == marker)
            return number;
    }
    return std::nullopt;
}

std::vector<Clock::time_point> TappingRelay::requestArrivals() const
{
    const std::lock_guard lock(m_mutex);
    return m_requestArrivals;
}

std::vector<std::uint8_t> TappingRelay::sampleJpeg() const
{
    const std::lock_guard lock(m_mutex);
    return m_sample;
}

bool TappingRelay::stopping() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopping;
}

void TappingRelay::run()
{
    for (;;) {
        if (stopping())
            return;
        pollfd listening{m_listener, POLLIN, 0};
        if (::poll(&listening, 1, kPollMs) <= 0)
            continue;
        Session session;
        session.client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        session.robot = connectToLoopback(m_robotPort);
        if (session.client < 0 || session.robot < 0)
            continue;
        setNoDelay(session.client);
        setNoDelay(session.robot);
        serve(session);
    }
}

void TappingRelay::serve(Session &session)
{
    std::array<std::uint8_t, 64 * 1024> buffer{};
    for (;;) {
        if (stopping())
            return;
        std::array<pollfd, 2> ends{pollfd{session.client, POLLIN, 0}, pollfd{session.robot, POLLIN, 0}};
        if (::poll(ends.data(), ends.size(), kPollMs) <= 0)
            continue;
        if (ends[0].revents != 0) {
            const ssize_t n = ::recv(session.client, buffer.data(), buffer.size(), 0);
            const auto arrival = Clock::now();
            if (n <= 0)
                return;
            forwardRequests(session, buffer.data(), static_cast<std::size_t>(n), arrival);
        }
        if (ends[1].revents != 0) {
            const ssize_t n = ::recv(session.robot, buffer.data(), buffer.size(), 0);
            if (n <= 0)
                return;
            forwardFromRobot(session, buffer.data(), static_cast<std::size_t>(n));
        }
    }
}

void TappingRelay::forwardRequests(Session &session, const std::uint8_t *data, std::size_t size,
                                   Clock::time_point arrival)
{
    sendAll(session.robot, std::vector<std::uint8_t>(data, data + size));
    session.fromClient.feed(data, size);
    while (const std::optional<protocol::Message> message = session.fromClient.next()) {
        if (std::holds_alternative<protocol::Request>(*message)) {
            const std::lock_guard lock(m_mutex);
            m_requestArrivals.push_back(arrival);
        }
    }
}

void TappingRelay::forwardFromRobot(Session &session, const std::uint8_t *data, std::size_t size)
{
    session.fromRobot.feed(data, size);
    while (std::optional<protocol::Message> message = session.fromRobot.next()) {
        if (auto *frame = std::get_if<protocol::Frame>(&*message)) {
            const std::uint32_t number = framesSent() + 1;
            frame->jpeg = marked(frame->jpeg, number);
            const std::vector<std::uint8_t> bytes = protocol::encode(*frame);
            const auto sent = Clock::now();
            {
                const std::lock_guard lock(m_mutex);
                m_frameSent.push_back(sent);
                if (m_sample.empty())
                    m_sample = frame->jpeg;
            }
            sendAll(session.client, bytes);
        } else {
            sendAll(session.client, protocol::encode(*message));
        }
    }
}

std::vector<std::uint8_t> TappingRelay::marked(const std::vector<std::uint8_t> &jpeg, std::uint32_t number)
{
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    auto *handle = static_cast<tjhandle>(m_decompressor);
    auto *source = const_cast<unsigned char *>(jpeg.data());
    const auto sourceSize = static_cast<unsigned long>(jpeg.size());
    if (tjDecompressHeader3(handle, source, sourceSize, &width, &height, &subsampling, &colourspace) != 0)
        return jpeg;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    if (tjDecompress2(handle, source, sourceSize, rgb.data(), width, 0, height, TJPF_RGB, 0) != 0)
        return jpeg;
    const int top = static_cast<int>(height * kMarkerTop);
    const int bottom = static_cast<int>(height * kMarkerBottom);
    for (int column = 0; column < kMarkerColumns; ++column) {
        const bool white = column == kMarkerBits || ((number >> (kMarkerBits - 1 - column)) & 1U) != 0;
        const int left = width * column / kMarkerColumns;
        const int right = width * (column + 1) / kMarkerColumns;
        for (int y = top; y < bottom; ++y)
            std::fill(rgb.begin() + (y * width + left) * 3, rgb.begin() + (y * width + right) * 3, white ? 255 : 0);
    }
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    if (tjCompress2(static_cast<tjhandle>(m_compressor), rgb.data(), width, 0, height, TJPF_RGB, &out, &outSize,
                    TJSAMP_420, kQuality, 0) != 0) {
        tjFree(out);
        return jpeg;
    }
    std::vector<std::uint8_t> result(out, out + outSize);
    tjFree(out);
    for (int shift = 24; shift >= 0; shift -= 8)
        result.push_back(static_cast<std::uint8_t>(number >> shift));
    return result;
}

std::optional<std::uint32_t> readMarker(const QImage &image, const QRect &picture)
{
    const int y = picture.top() + static_cast<int>(picture.height() * (kMarkerTop + kMarkerBottom) / 2);
    std::uint32_t number = 0;
    for (int column = 0; column < kMarkerColumns; ++column) {
        const int x = picture.left() + picture.width() * (2 * column + 1) / (2 * kMarkerColumns);
        if (!image.valid(x, y))
            return std::nullopt;
        const int grey = qGray(image.pixel(x, y));
        // Only clear black or white counts: a camera picture is no marker.
        if (grey > 64 && grey < 192)
            return std::nullopt;
        const bool white = grey >= 192;
        if (column == kMarkerBits)
            return white ? std::optional(number) : std::nullopt;
        number = (number << 1) | (white ? 1U : 0U);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> trailingNumber(const std::uint8_t *bytes, std::size_t size)
{
    if (bytes == nullptr || size < 6 || bytes[size - 6] != 0xFF || bytes[size - 5] != 0xD9)
        return std::nullopt;
    std::uint32_t number = 0;
    for (std::size_t i = size - 4; i < size; ++i)
        number = (number << 8) | bytes[i];
    return number;
}

} // namespace e2ebench
