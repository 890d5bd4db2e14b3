#include "virtualrobot/server/framepacer.h"

#include <algorithm>
#include <cmath>

namespace vr {

namespace {

using namespace std::chrono_literals;

// The link's rate is the best measured in this long: a frame that met a
// late acknowledgement or a jittery hop measures less than the link's rate,
// never more, and a link that slowed down is believed within this time.
constexpr auto kRateWindow = 1s;
// Bare round trips kept; the shortest counts.
constexpr std::size_t kRoundTripsKept = 8;
constexpr auto kPingEvery = 1s;
constexpr auto kAdaptEvery = 250ms;
constexpr int kQualityStep = 10;
constexpr auto kWaitingAfter = 1s;
// Quality goes down while the link carries less than this share of the full
// rate, and up while it would carry this many times the full rate: one step
// up makes pictures about a fifth larger.
constexpr double kLowerBelow = 0.9;
constexpr double kRaiseAbove = 1.6;
// The share of a frame's spacing a round trip may take before it makes room
// for one more frame on its way.
constexpr double kRoundTripGrace = 0.1;
// A shorter time through the link than this is measurement noise.
constexpr auto kShortestPassage = 50us;
// Weight of the newest frame in the average frame size.
constexpr double kSizeWeight = 0.2;

double seconds(FramePacer::Clock::duration time)
{
    return std::chrono::duration<double>(time).count();
}

} // namespace

FramePacer::FramePacer(int framesPerSecond)
    : m_period(std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / std::max(1, framesPerSecond))
{
}

void FramePacer::reset()
{
    *this = FramePacer(static_cast<int>(std::chrono::seconds(1) / m_period));
}

std::size_t FramePacer::mostInFlight() const
{
    // One frame passing the link's slowest stretch, and as many more as are
    // on their way behind it in the link's round trip. A round trip of a
    // small part of a frame's spacing, as on a link without delay, adds none.
    const double passage = m_rate > 0 ? m_averageBytes / m_rate : 0;
    const double spacing = std::max(seconds(m_period), passage);
    return 1 + static_cast<std::size_t>(std::max(0.0, std::ceil(seconds(m_roundTrip) / spacing - kRoundTripGrace)));
}

bool FramePacer::mayCapture(Clock::time_point now) const
{
    if (m_pingSent)
        return false;
    if (m_inFlight.empty())
        return true;
    return m_rate > 0 && m_inFlight.size() < mostInFlight() && now >= m_linkFreeAt;
}

std::optional<FramePacer::Clock::time_point> FramePacer::opensAt(Clock::time_point now) const
{
    if (m_pingSent)
        return std::nullopt;
    if (m_inFlight.empty())
        return now;
    if (m_rate <= 0 || m_inFlight.size() >= mostInFlight())
        return std::nullopt;
    return std::max(now, m_linkFreeAt);
}

void FramePacer::sent(std::uint32_t sequence, std::size_t bytes, Clock::time_point now)
{
    const bool alone = m_inFlight.empty() || (m_rate > 0 && now >= m_linkFreeAt);
    const auto passage = m_rate > 0 ? std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<double>(static_cast<double>(bytes) / m_rate))
                                    : Clock::duration::zero();
    m_linkFreeAt = std::max(m_linkFreeAt, now) + passage;
    m_averageBytes = m_averageBytes <= 0 ? static_cast<double>(bytes)
                                         : (1 - kSizeWeight) * m_averageBytes + kSizeWeight * static_cast<double>(bytes);
    m_inFlight.push_back({sequence, bytes, now, alone});
}

bool FramePacer::acknowledged(std::uint32_t sequence, Clock::time_point now)
{
    if (m_inFlight.empty() || sequence < m_inFlight.front().sequence || sequence > m_inFlight.back().sequence)
        return false;
    while (!m_inFlight.empty() && m_inFlight.front().sequence <= sequence) {
        if (m_inFlight.front().alone)
            measure(m_inFlight.front(), now);
        m_inFlight.pop_front();
    }
    adapt(now);
    return true;
}

void FramePacer::measure(const InFlight &frame, Clock::time_point now)
{
    // The acknowledgement took the frame's passage plus the bare round trip.
    const auto passage = std::max<Clock::duration>(now - frame.sentAt - m_roundTrip, kShortestPassage);
    m_rates.push_back({now, static_cast<double>(frame.bytes) / seconds(passage)});
    while (now - m_rates.front().at > kRateWindow)
        m_rates.pop_front();
    m_rate = std::max_element(m_rates.begin(), m_rates.end(), [](const RateSample &a, const RateSample &b) {
                 return a.bytesPerSecond < b.bytesPerSecond;
             })->bytesPerSecond;
}

void FramePacer::adapt(Clock::time_point now)
{
    if (now - m_lastAdapted < kAdaptEvery || m_rate <= 0 || m_averageBytes <= 0)
        return;
    m_lastAdapted = now;
    const double carried = m_rate / m_averageBytes;
    const double full = 1 / seconds(m_period);
    if (carried < kLowerBelow * full)
        m_quality = std::max(kFloorQuality, m_quality - kQualityStep);
    else if (carried > kRaiseAbove * full)
        m_quality = std::min(kFullQuality, m_quality + kQualityStep);
}

bool FramePacer::pingDue(Clock::time_point now) const
{
    return !m_pingSent && m_inFlight.empty() && now >= m_nextPing;
}

void FramePacer::pingSent(Clock::time_point now)
{
    m_pingSent = now;
    m_nextPing = now + kPingEvery;
}

void FramePacer::pingAnswered(Clock::time_point now)
{
    if (!m_pingSent)
        return;
    m_roundTrips.push_back(std::chrono::duration_cast<std::chrono::microseconds>(now - *m_pingSent));
    if (m_roundTrips.size() > kRoundTripsKept)
        m_roundTrips.pop_front();
    m_roundTrip = *std::min_element(m_roundTrips.begin(), m_roundTrips.end());
    m_pingSent.reset();
}

FramePacer::Reason FramePacer::reason(Clock::time_point now) const
{
    if (!m_inFlight.empty() && now - m_inFlight.front().sentAt > kWaitingAfter)
        return Reason::Waiting;
    const bool carriesFull = m_rate <= 0 || m_averageBytes <= 0 || m_rate / m_averageBytes >= 1 / seconds(m_period);
    return m_quality < kFullQuality || !carriesFull ? Reason::Link : Reason::Full;
}

} // namespace vr
