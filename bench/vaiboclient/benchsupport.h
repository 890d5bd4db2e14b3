#pragma once

#include "bench/support/shortrun.h"
#include "vaiboclient/bitmap.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace bench {

/// A decoded picture as a QImage over its pixels, for painting it.
inline QImage imageOf(const vaibo::Bitmap &bitmap)
{
    return QImage(reinterpret_cast<const uchar *>(bitmap.pixels.data()), bitmap.size.width, bitmap.size.height,
                  QImage::Format_RGB32);
}

using Clock = std::chrono::steady_clock;

/// A 208x160 (or other) JPEG that looks like a camera picture: gradients,
/// edges and some noise, encoded as a robot camera would (quality 80, 4:2:0).
std::vector<std::uint8_t> cameraLikeJpeg(int width, int height, int seed);

/// How long each of count runs of the work took, in microseconds; the work
/// gets the run's number.
std::vector<double> timedMicroseconds(int count, const std::function<void(int)> &work);

/// Points the clients connected from now on at the bench robot's port.
void useRobotAt(std::uint16_t port);

/// The value below which the given share (0..1) of the samples lie.
double percentile(std::vector<double> samples, double share);

/// Round trips of a bare TCP ping-pong on loopback (TCP_NODELAY, one thread
/// echoing), in microseconds: the floor under any request over loopback.
std::vector<double> loopbackRoundTrips(std::size_t requestBytes, std::size_t replyBytes, int count);

/// A robot on 127.0.0.1 that welcomes one client, answers every request at
/// once with 0 and, when asked, sends frames at a steady rate, noting when
/// each one left.
class BenchRobot
{
public:
    BenchRobot();
    ~BenchRobot();

    BenchRobot(const BenchRobot &) = delete;
    BenchRobot &operator=(const BenchRobot &) = delete;

    std::uint16_t port() const { return m_port; }

    /// Sends count frames, one per period, each the JPEG followed by its
    /// 4-byte number (decoders ignore bytes after the picture's end).
    void startFrames(std::vector<std::uint8_t> jpeg, std::chrono::microseconds period, int count);
    /// When frame number n was handed to the socket.
    Clock::time_point sentAt(std::uint32_t n) const;
    /// Whether all frames asked for have been sent.
    bool framesDone() const;

private:
    void run();

    int m_listener = -1;
    std::uint16_t m_port = 0;
    mutable std::mutex m_mutex;
    bool m_stopping = false;
    std::vector<std::uint8_t> m_jpeg;
    std::chrono::microseconds m_period{0};
    int m_framesLeft = 0;
    std::vector<Clock::time_point> m_sentAt;
    std::thread m_thread;
};

} // namespace bench
