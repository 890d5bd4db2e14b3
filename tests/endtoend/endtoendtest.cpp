#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"
#include "res/strings.h"

void EndToEndTest::TearDown()
{
    // The panel's client closes its link before the robot goes.
    panel.reset();
    robot.reset();
    m_sleeper.reset();
    vaibo::setSettings({});
    m_directory.reset();
}

void EndToEndTest::connectPanel(const QStringList &options)
{
    robot = std::make_unique<RobotProcess>();
    ASSERT_TRUE(robot->start(options)) << robot->error().toStdString();
    vaibo::setSettings({.port = robot->port()});
    panel = std::make_unique<LivePanel>();
    ASSERT_TRUE(panel->open());
    ASSERT_EQ(panel->text(IDC_LINK_INDICATOR), res::kOffline);
    ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
}

void EndToEndTest::connectThrough(LivePanel &target)
{
    const std::size_t shown = target.statusHistory.size();
    target.click(IDC_CONNECT);
    // On loopback the outcome may already have been handled within the click.
    ASSERT_GT(target.statusHistory.size(), shown);
    ASSERT_EQ(target.statusHistory[shown], res::kConnectRequested);
    ASSERT_TRUE(waitUntil([&] { return target.text(IDC_LINK_INDICATOR) == res::kOnline; }))
        << "status: " << target.statusText();
}

QString EndToEndTest::closeReason() const
{
    const std::vector<QJsonObject> closes = robot->trace(QStringLiteral("close"));
    return closes.empty() ? QString() : closes.front().value(QStringLiteral("reason")).toString();
}

bool EndToEndTest::waitForDisconnected(LivePanel &target, int timeoutMs)
{
    return waitUntil(
        [&] { return target.text(IDC_LINK_INDICATOR) == res::kOffline && target.statusText() == res::kDisconnected; },
        timeoutMs);
}
