#include "vaiboclient/clocksync.h"

#include <algorithm>

namespace vaibo {

namespace {

std::int64_t microsecondsOf(ClockSync::Clock::time_point at)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
}

} // namespace

void ClockSync::sample(Clock::time_point sent, Clock::time_point received, std::uint64_t robotUs)
{
    const auto roundTrip = std::chrono::duration_cast<std::chrono::microseconds>(received - sent);
    const std::int64_t midpoint = microsecondsOf(sent) + roundTrip.count() / 2;
    m_newest = m_count == 0 ? 0 : (m_newest + 1) % kKept;
    m_exchanges[m_newest] = {roundTrip, static_cast<std::int64_t>(robotUs) - midpoint};
    m_count = std::min(m_count + 1, kKept);
}

void ClockSync::reset()
{
    m_count = 0;
    m_newest = 0;
}

std::optional<std::chrono::microseconds> ClockSync::roundTrip() const
{
    if (m_count == 0)
        return std::nullopt;
    return m_exchanges[m_newest].roundTrip;
}

std::optional<ClockSync::Clock::time_point> ClockSync::toLocal(std::uint64_t robotUs) const
{
    if (m_count == 0)
        return std::nullopt;
    const auto kept = m_exchanges.begin() + static_cast<std::ptrdiff_t>(m_count);
    const Exchange &best = *std::min_element(m_exchanges.begin(), kept, [](const Exchange &a, const Exchange &b) {
        return a.roundTrip < b.roundTrip;
    });
    return Clock::time_point(std::chrono::microseconds(static_cast<std::int64_t>(robotUs) - best.offsetUs));
}

} // namespace vaibo
