#include "sleep.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace tk {

namespace {

class ThreadSleeper final : public Sleeper
{
public:
    void sleep(unsigned milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

ThreadSleeper g_threadSleeper;
std::atomic<Sleeper *> g_sleeper{&g_threadSleeper};

} // namespace

void sleep(unsigned milliseconds)
{
    g_sleeper.load()->sleep(milliseconds);
}

Sleeper *setSleeper(Sleeper *sleeper)
{
    return g_sleeper.exchange(sleeper != nullptr ? sleeper : &g_threadSleeper);
}

} // namespace tk
