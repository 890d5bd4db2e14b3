#include "vaiboclient/framestore.h"

#include <algorithm>
#include <cstring>

namespace vaibo {

namespace {

constexpr auto kRateWindow = std::chrono::seconds(1);
// Arrival times kept for the rate; a flood cannot grow the list past this.
constexpr std::size_t kMaxArrivals = 512;

} // namespace

std::optional<std::size_t> FrameStore::offer(std::vector<std::uint8_t> bytes, Bitmap picture, Clock::time_point arrival,
                                             std::uint64_t capturedUs)
{
    const std::lock_guard lock(m_mutex);
    m_recentArrivals.push_back(arrival);
    while (m_recentArrivals.size() > kMaxArrivals || arrival - m_recentArrivals.front() > kRateWindow)
        m_recentArrivals.pop_front();
    if (!picture.isNull()) {
        m_picture = std::make_shared<const Bitmap>(std::move(picture));
        m_pictureArrival = arrival;
        m_pictureCapturedUs = capturedUs;
    }
    if (m_pending) {
        m_waiting = std::move(bytes);
        return std::nullopt;
    }
    m_announced = std::move(bytes);
    m_pending = true;
    return m_announced.size();
}

std::optional<std::size_t> FrameStore::announcementHandled()
{
    const std::lock_guard lock(m_mutex);
    if (!m_waiting) {
        m_pending = false;
        return std::nullopt;
    }
    m_announced = std::move(*m_waiting);
    m_waiting.reset();
    return m_announced.size();
}

int FrameStore::copyAnnounced(unsigned char *buffer, int size) const
{
    if (buffer == nullptr || size <= 0)
        return -1;
    const std::lock_guard lock(m_mutex);
    if (m_announced.empty())
        return -1;
    const std::size_t count = std::min(m_announced.size(), static_cast<std::size_t>(size));
    std::memcpy(buffer, m_announced.data(), count);
    return static_cast<int>(count);
}

FrameStore::Picture FrameStore::picture(Clock::time_point now) const
{
    const std::lock_guard lock(m_mutex);
    const auto recent = std::count_if(m_recentArrivals.begin(), m_recentArrivals.end(),
                                      [now](Clock::time_point t) { return now - t <= kRateWindow; });
    const bool live = m_linkUp && m_pictureArrival >= m_linkUpSince;
    // A clock estimate a little off must not put the capture after the
    // picture's arrival.
    const Clock::time_point captured =
        std::min(m_clock.toLocal(m_pictureCapturedUs).value_or(m_pictureArrival), m_pictureArrival);
    return {m_picture, captured, m_clock.roundTrip(), static_cast<int>(recent), m_linkUp, live};
}

void FrameStore::clockSampled(Clock::time_point sent, Clock::time_point received, std::uint64_t robotUs)
{
    const std::lock_guard lock(m_mutex);
    m_clock.sample(sent, received, robotUs);
}

void FrameStore::setLinkUp(bool up, Clock::time_point now)
{
    const std::lock_guard lock(m_mutex);
    m_linkUp = up;
    m_linkUpSince = now;
    if (up)
        m_clock.reset();
}

void FrameStore::setPictureSize(Size size)
{
    const std::lock_guard lock(m_mutex);
    m_pictureSize = size;
}

Size FrameStore::pictureSize() const
{
    const std::lock_guard lock(m_mutex);
    return m_pictureSize;
}

} // namespace vaibo
