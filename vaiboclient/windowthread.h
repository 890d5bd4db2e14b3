#pragma once

#include "toolkit/core/win32types.h"

#include <functional>
#include <memory>

namespace vaibo {

/// Runs work on the thread of a window, behind whatever has already been
/// posted to that thread, the window's own messages included. Made on the
/// window's thread; what has not run when it goes never runs.
class WindowThread
{
public:
    explicit WindowThread(HWND window);
    ~WindowThread();

    WindowThread(const WindowThread &) = delete;
    WindowThread &operator=(const WindowThread &) = delete;

    /// Queues work from any thread.
    void post(std::function<void()> work);

private:
    class Queue; // the toolkit's own event queue
    std::unique_ptr<Queue> m_queue;
};

} // namespace vaibo
