// Work arrives as messages to a message-only window of the window's thread,
// which the thread's message loop delivers in order with the window's own.
#include "vaiboclient/windowthread.h"

namespace vaibo {

namespace {

constexpr UINT kRunMessage = WM_APP;
constexpr const wchar_t *kClassName = L"KorvanWindowThread";

LRESULT CALLBACK runWork(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunMessage)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()> *>(lParam));
    (*work)();
    return 0;
}

ATOM windowClass()
{
    static const ATOM atom = [] {
        WNDCLASSW description{};
        description.lpfnWndProc = &runWork;
        description.hInstance = ::GetModuleHandleW(nullptr);
        description.lpszClassName = kClassName;
        return ::RegisterClassW(&description);
    }();
    return atom;
}

} // namespace

class WindowThread::Queue
{
public:
    Queue()
        : m_window(::CreateWindowExW(0, MAKEINTATOM(windowClass()), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr))
    {}

    ~Queue()
    {
        // Work still queued is dropped, and its memory with it.
        MSG message;
        while (::PeekMessageW(&message, m_window, kRunMessage, kRunMessage, PM_REMOVE))
            delete reinterpret_cast<std::function<void()> *>(message.lParam);
        ::DestroyWindow(m_window);
    }

    Queue(const Queue &) = delete;
    Queue &operator=(const Queue &) = delete;

    void post(std::function<void()> work)
    {
        auto owned = std::make_unique<std::function<void()>>(std::move(work));
        if (::PostMessageW(m_window, kRunMessage, 0, reinterpret_cast<LPARAM>(owned.get())))
            owned.release();
    }

private:
    HWND m_window;
};

WindowThread::WindowThread(HWND) : m_queue(std::make_unique<Queue>()) {}

WindowThread::~WindowThread() = default;

void WindowThread::post(std::function<void()> work)
{
    m_queue->post(std::move(work));
}

} // namespace vaibo
