#include "tests/vaiboclient/clienttest.h"

#include "framework/vaibomessages.h"
#include "toolkit/core/windowmessageevent.h"
#include "toolkit/core/windowmessages.h"

#include <algorithm>

int MessageRecorder::count(const char *name) const
{
    return static_cast<int>(std::count(m_received.begin(), m_received.end(), tk::registerWindowMessage(name)));
}

bool MessageRecorder::event(QEvent *event)
{
    if (event->type() != tk::WindowMessageEvent::eventType())
        return QObject::event(event);
    m_received.push_back(static_cast<tk::WindowMessageEvent *>(event)->message());
    return true;
}

void ClientTest::connectOnline()
{
    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    ASSERT_TRUE(window.waitFor(vaibo::kConnectMessage, 1));
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.welcomed(); }));
}
