#include "windowmessageevent.h"
#include "windowmessages.h"

#include <QCoreApplication>

namespace tk {

UINT detail::newMessageId(const char *, std::size_t registeredBefore)
{
    const UINT id = kFirstRegisteredMessage + static_cast<UINT>(registeredBefore);
    return id > 0xFFFF ? 0 : id;
}

WindowMessageEvent::WindowMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
    : QEvent(eventType())
    , m_message(message)
    , m_wParam(wParam)
    , m_lParam(lParam)
{}

QEvent::Type WindowMessageEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == nullptr || QCoreApplication::instance() == nullptr)
        return false;
    QCoreApplication::postEvent(window, new WindowMessageEvent(message, wParam, lParam));
    return true;
}

} // namespace tk
