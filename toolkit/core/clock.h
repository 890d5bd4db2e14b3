#pragma once

#include <chrono>

namespace tk {

/// Where the time is read for timeouts and picture ages. The default one is
/// the machine's steady clock; tests install one that they step, so that
/// nothing waits in real time for time to pass.
class Clock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
};

/// The installed clock's time; safe from any thread.
Clock::TimePoint now();

/// Installs a clock for the whole process (nullptr restores the real one)
/// and returns the one it replaced.
Clock *setClock(Clock *clock);

} // namespace tk
