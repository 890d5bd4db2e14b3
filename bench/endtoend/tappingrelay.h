#pragma once

#include <QImage>
#include <QRect>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace e2ebench {

using Clock = std::chrono::steady_clock;

/// Sits on 127.0.0.1 between the panel's client and the virtual robot and
/// notes, on this process's steady clock, when each request from the client
/// came in (where the robot would receive it) and when each camera frame
/// left for the client. Every frame is numbered twice: the number is drawn
/// into the picture as a row of black and white blocks (readMarker finds it
/// in what was painted), and its four bytes follow the JPEG's end (decoders
/// ignore them), so the bytes a panel fetched name their frame too.
class TappingRelay
{
public:
    explicit TappingRelay(std::uint16_t robotPort);
    ~TappingRelay();

    TappingRelay(const TappingRelay &) = delete;
    TappingRelay &operator=(const TappingRelay &) = delete;

    /// The port the client is to connect to.
    std::uint16_t port() const { return m_port; }

    /// When the frame with this number left for the client.
    std::optional<Clock::time_point> frameSentAt(std::uint32_t number) const;
    std::uint32_t framesSent() const;
    /// The newest frame sent whose number ends in a marker's bits.
    std::optional<std::uint32_t> frameOfMarker(std::uint32_t marker) const;
    /// When each request of the client had arrived, in order.
    std::vector<Clock::time_point> requestArrivals() const;
    /// One frame's JPEG as the client gets it.
    std::vector<std::uint8_t> sampleJpeg() const;

private:
    struct Session;

    bool stopping() const;
    void run();
    void serve(Session &session);
    void forwardRequests(Session &session, const std::uint8_t *data, std::size_t size, Clock::time_point arrival);
    void forwardFromRobot(Session &session, const std::uint8_t *data, std::size_t size);
    std::vector<std::uint8_t> marked(const std::vector<std::uint8_t> &jpeg, std::uint32_t number);

    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::uint16_t m_robotPort = 0;
    void *m_decompressor = nullptr;
    void *m_compressor = nullptr;

    mutable std::mutex m_mutex;
    bool m_stopping = false;
    std::vector<Clock::time_point> m_frameSent;
    std::vector<Clock::time_point> m_requestArrivals;
    std::vector<std::uint8_t> m_sample;
    std::thread m_thread;
};

/// The frame number drawn into a picture that was painted, scaled, into the
/// rectangle of image; nothing when no marker is there.
std::optional<std::uint32_t> readMarker(const QImage &image, const QRect &picture);

/// The frame number behind the JPEG's end in the bytes of one frame.
std::optional<std::uint32_t> trailingNumber(const std::uint8_t *bytes, std::size_t size);

} // namespace e2ebench
