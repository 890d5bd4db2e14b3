#include "tests/vaiboclient/clienttest.h"

#include "toolkit/core/windowmessages.h"
#include "vaiboclient/vaibomessages.h"

#include <QTest>

int MessageRecorder::count(const char *name) const
{
    return static_cast<int>(parameters(name).size());
}

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

bool MessageRecorder::waitFor(const char *name, int n, std::chrono::milliseconds timeout)
{
    return QTest::qWaitFor([&] { return count(name) >= n; }, static_cast<int>(timeout.count()));
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
    vaibo::Settings settings;
    settings.port = robot.port();
    settings.connectTimeout = kConnectTimeout;
    settings.replyTimeout = kReplyTimeout;
    settings.heartbeatInterval = kHeartbeat;
    settings.deadLinkTimeout = kDeadLink;
    vaibo::setSettings(settings);
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

void ClientTest::pump(std::chrono::milliseconds time)
{
    QTest::qWait(static_cast<int>(time.count()));
}
