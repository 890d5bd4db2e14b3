#include "tests/vaiboclient/clienttest.h"

#include "framework/vaibomessages.h"
#include "toolkit/core/windowmessageevent.h"
#include "toolkit/core/windowmessages.h"

std::vector<LPARAM> MessageRecorder::parameters(const char *name) const
{
    const UINT id = tk::registerWindowMessage(name);
    std::vector<LPARAM> found;
    for (const Received &received : m_received) {
        if (received.message == id)
            found.push_back(received.lParam);
    }
    return found;
}

bool MessageRecorder::event(QEvent *event)
{
    if (event->type() != tk::WindowMessageEvent::eventType())
        return QObject::event(event);
    const auto *message = static_cast<tk::WindowMessageEvent *>(event);
    m_received.push_back({message->message(), message->wParam(), message->lParam()});
    if (onMessage)
        onMessage(m_received.back());
    return true;
}

void ClientTest::SetUp()
{
    vaibo::setSettings({.port = robot.port(),
                        .connectTimeout = kConnectTimeout,
                        .replyTimeout = kReplyTimeout,
                        .heartbeatInterval = kHeartbeat,
                        .deadLinkTimeout = kDeadLink});
}

void ClientTest::TearDown()
{
    vaibo::setSettings({});
}

void ClientTest::connectOnline()
{
    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    ASSERT_TRUE(window.waitFor(vaibo::kConnectMessage, 1));
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.welcomed(); }));
}
