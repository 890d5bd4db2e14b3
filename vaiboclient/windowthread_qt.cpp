// Work arrives as queued calls to an object on the window's thread; Qt
// delivers the events posted to one thread in order.
#include "vaiboclient/windowthread.h"

#include <QObject>
#include <QThread>

namespace vaibo {

class WindowThread::Queue : public QObject
{};

WindowThread::WindowThread(HWND window) : m_queue(std::make_unique<Queue>())
{
    if (window != nullptr)
        m_queue->moveToThread(window->thread());
}

WindowThread::~WindowThread() = default;

void WindowThread::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(m_queue.get(), std::move(work), Qt::QueuedConnection);
}

} // namespace vaibo
