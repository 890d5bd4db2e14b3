#include "clock.h"

#include <atomic>

namespace tk {

namespace {

class SteadyClock final : public Clock
{
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
};

SteadyClock g_steadyClock;
std::atomic<Clock *> g_clock{&g_steadyClock};

} // namespace

Clock::TimePoint now()
{
    return g_clock.load()->now();
}

Clock *setClock(Clock *clock)
{
    return g_clock.exchange(clock != nullptr ? clock : &g_steadyClock);
}

} // namespace tk
