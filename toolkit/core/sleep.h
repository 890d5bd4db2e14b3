#pragma once

namespace tk {

/// Where deliberate pauses of the calling thread go. The default one really
/// sleeps; tests install one that records the pause and returns at once.
class Sleeper
{
public:
    virtual ~Sleeper() = default;
    virtual void sleep(unsigned milliseconds) = 0;
};

/// Pauses the calling thread through the installed sleeper.
void sleep(unsigned milliseconds);

/// Installs a sleeper for the whole process (nullptr restores the real one)
/// and returns the one it replaced.
Sleeper *setSleeper(Sleeper *sleeper);

} // namespace tk
