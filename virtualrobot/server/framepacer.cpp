#include "virtualrobot/server/framepacer.h"

#include "protocol/timing.h"

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

std::size_t FramePacer::mostInFlight() const
{
    // One frame passing the link's slowest stretch, and as many more as are
    // on their way behind it in the link's round trip. A round trip of a
    // small part of a frame's spacing, as on a link without delay, adds none.
    const double passage = m_link.rate > 0 ? m_link.averageBytes / m_link.rate : 0;
    const double spacing = std::max(seconds(m_period), passage);
    return 1 + static_cast<std::size_t>(
                   std::max(0.0, std::ceil(seconds(m_link.roundTrip) / spacing - kRoundTripGrace)));
}

std::optional<double> FramePacer::carried() const
{
    if (m_link.rate <= 0 || m_link.averageBytes <= 0)
        return std::nullopt;
    return m_link.rate / m_link.averageBytes;
}

std::optional<FramePacer::Clock::time_point> FramePacer::opensAt(Clock::time_point now) const
{
    if (m_link.pingSent)
        return std::nullopt;
    if (m_link.inFlight.empty())
        return now;
    if (m_link.rate <= 0 || m_link.inFlight.size() >= mostInFlight())
        return std::nullopt;
    return std::max(now, m_link.freeAt);
}

bool FramePacer::mayCapture(Clock::time_point now) const
{
    const std::optional<Clock::time_point> opens = opensAt(now);
    return opens && *opens <= now;
}

void FramePacer::sent(std::uint32_t sequence, std::size_t bytes, Clock::time_point now)
{
    Link &link = m_link;
    const bool alone = link.inFlight.empty() || (link.rate > 0 && now >= link.freeAt);
    const auto passage = link.rate > 0 ? std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(static_cast<double>(bytes) / link.rate))
                                       : Clock::duration::zero();
    link.freeAt = std::max(link.freeAt, now) + passage;
    link.averageBytes = link.averageBytes <= 0
                            ? static_cast<double>(bytes)
                            : (1 - kSizeWeight) * link.averageBytes + kSizeWeight * static_cast<double>(bytes);
    link.inFlight.push_back({sequence, bytes, now, alone});
}

bool FramePacer::acknowledged(std::uint32_t sequence, Clock::time_point now)
{
    auto &inFlight = m_link.inFlight;
    if (inFlight.empty() || sequence < inFlight.front().sequence || sequence > inFlight.back().sequence)
        return false;
    while (!inFlight.empty() && inFlight.front().sequence <= sequence) {
        if (inFlight.front().alone)
            measure(inFlight.front(), now);
        inFlight.pop_front();
    }
    adapt(now);
    return true;
}

void FramePacer::measure(const InFlight &frame, Clock::time_point now)
{
    // The acknowledgement took the frame's passage plus the bare round trip.
    const auto passage = std::max<Clock::duration>(now - frame.sentAt - m_link.roundTrip, kShortestPassage);
    auto &rates = m_link.rates;
    rates.push_back({now, static_cast<double>(frame.bytes) / seconds(passage)});
    while (now - rates.front().at > kRateWindow)
        rates.pop_front();
    m_link.rate = std::max_element(rates.begin(), rates.end(), [](const RateSample &a, const RateSample &b) {
                      return a.bytesPerSecond < b.bytesPerSecond;
                  })->bytesPerSecond;
}

void FramePacer::adapt(Clock::time_point now)
{
    const std::optional<double> framesCarried = carried();
    if (now - m_link.lastAdapted < kAdaptEvery || !framesCarried)
        return;
    m_link.lastAdapted = now;
    const double full = 1 / seconds(m_period);
    if (*framesCarried < kLowerBelow * full)
        m_link.quality = std::max(kFloorQuality, m_link.quality - kQualityStep);
    else if (*framesCarried > kRaiseAbove * full)
        m_link.quality = std::min(kFullQuality, m_link.quality + kQualityStep);
}

bool FramePacer::pingDue(Clock::time_point now) const
{
    return !m_link.pingSent && m_link.inFlight.empty() && now >= m_link.nextPing;
}

std::uint64_t FramePacer::pingSent(Clock::time_point now)
{
    m_link.pingSent = now;
    m_link.nextPing = now + kPingEvery;
    return protocol::pingOrigin(now);
}

bool FramePacer::pingAnswered(std::uint64_t origin, Clock::time_point now)
{
    if (!m_link.pingSent || origin != protocol::pingOrigin(*m_link.pingSent))
        return false;
    auto &trips = m_link.roundTrips;
    trips.push_back(std::chrono::duration_cast<std::chrono::microseconds>(now - *m_link.pingSent));
    if (trips.size() > kRoundTripsKept)
        trips.pop_front();
    m_link.roundTrip = *std::min_element(trips.begin(), trips.end());
    m_link.pingSent.reset();
    return true;
}

FramePacer::Reason FramePacer::reason(Clock::time_point now) const
{
    const auto &inFlight = m_link.inFlight;
    if (!inFlight.empty() && now - inFlight.front().sentAt > kWaitingAfter)
        return Reason::Waiting;
    const std::optional<double> framesCarried = carried();
    const bool carriesFull = !framesCarried || *framesCarried >= 1 / seconds(m_period);
    return m_link.quality < kFullQuality || !carriesFull ? Reason::Link : Reason::Full;
}

} // namespace vr
