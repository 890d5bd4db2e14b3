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

void EndToEndTest::startRobot(const QStringList &options)
{
    robot = std::make_unique<RobotProcess>();
    ASSERT_TRUE(robot->start(options)) << robot->error().toStdString();
    settings.port = robot->port();
    vaibo::setSettings(settings);
}

void EndToEndTest::openPanel()
{
    panel = std::make_unique<LivePanel>();
    ASSERT_TRUE(panel->open());
    ASSERT_EQ(panel->linkIndicator(), res::kOffline);
}

void EndToEndTest::connectPanel(const QStringList &options)
{
    ASSERT_NO_FATAL_FAILURE(startRobot(options));
    ASSERT_NO_FATAL_FAILURE(openPanel());
    ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
}

void EndToEndTest::connectThrough(LivePanel &target)
{
    const std::size_t shown = target.statusHistory.size();
    target.click(IDC_CONNECT);
    // On loopback the outcome may already have been handled within the click.
    ASSERT_GT(target.statusHistory.size(), shown);
    ASSERT_EQ(target.statusHistory[shown], res::kConnectRequested);
    ASSERT_TRUE(waitUntil([&] { return target.linkIndicator() == res::kOnline; }))
        << "status: " << target.status();
}

std::vector<RobotOperation> EndToEndTest::operationsFrom(std::size_t first) const
{
    std::vector<RobotOperation> all = robot->operations();
    all.erase(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(first, all.size())));
    return all;
}

void EndToEndTest::command(const QString &line)
{
    const int controls = robot->count(QStringLiteral("control"));
    robot->command(line);
    ASSERT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("control")) > controls; }));
}

QString EndToEndTest::closeReason() const
{
    const std::vector<QJsonObject> closes = robot->trace(QStringLiteral("close"));
    return closes.empty() ? QString() : closes.front().value(QStringLiteral("reason")).toString();
}

bool EndToEndTest::waitForDisconnected(LivePanel &target, int timeoutMs)
{
    return waitUntil(
        [&] { return target.linkIndicator() == res::kOffline && target.status() == res::kDisconnected; },
        timeoutMs);
}

bool EndToEndTest::waitForPicture()
{
    return waitUntil([&] { return panel->window().imageBuffer().capacity() > 0; });
}

double changedShare(const QImage &before, const QImage &after)
{
    if (before.size() != after.size() || before.isNull())
        return 1.0;
    const QImage a = before.convertToFormat(QImage::Format_RGB32);
    const QImage b = after.convertToFormat(QImage::Format_RGB32);
    const int rows = a.height() * 3 / 5;
    long changed = 0;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return static_cast<double>(changed) / (static_cast<double>(rows) * a.width());
}
