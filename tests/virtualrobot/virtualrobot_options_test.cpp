#include "virtualrobot/server/control.h"
#include "virtualrobot/server/options.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vr::ParsedOptions;

namespace {

ParsedOptions parse(const std::vector<const char *> &arguments)
{
    QStringList line{QStringLiteral("korvan-virtual-robot")};
    for (const char *argument : arguments)
        line << QString::fromUtf8(argument);
    return vr::parseOptions(line);
}

} // namespace

TEST(VirtualRobotOptions, ReadsEveryOptionAndDefaultsToAHealthyRobotOnLoopback)
{
    const auto defaults = parse({});
    ASSERT_EQ(defaults.outcome, ParsedOptions::Outcome::Run) << defaults.text.toStdString();
    EXPECT_EQ(defaults.config.address, QHostAddress(QHostAddress::LocalHost));
    EXPECT_EQ(defaults.config.port, 20207);
    EXPECT_FALSE(defaults.config.link.refuseConnections);
    EXPECT_FALSE(defaults.config.link.dropAfter.has_value());

    auto parsed = parse({"--listen", "127.0.0.2", "--port", "0", "--trace", "/tmp/t.jsonl", "--battery", "33",
                         "--drain", "1.5,4", "--result", "SetPosture=-1,ok", "--result", "ExternalControl=0",
                         "--delay", "all=10", "--delay", "DoWalking=200", "--refuse-connections", "--drop-after-ms",
                         "500", "--drop-after-frames", "7", "--hang-after-ms", "900", "--malformed-after-frames", "3",
                         "--malformed-reply", "playcontents"});
    ASSERT_EQ(parsed.outcome, ParsedOptions::Outcome::Run) << parsed.text.toStdString();
    auto &config = parsed.config;
    EXPECT_EQ(config.address, QHostAddress(QStringLiteral("127.0.0.2")));
    EXPECT_EQ(config.port, 0);
    EXPECT_EQ(config.tracePath, QStringLiteral("/tmp/t.jsonl"));
    EXPECT_EQ(config.robot.batteryPercent, 33);
    EXPECT_EQ(config.robot.idleDrainPerMinute, 1.5);
    EXPECT_EQ(config.robot.movingDrainPerMinute, 4);
    EXPECT_EQ(config.faults.takeAnswer(vr::Operation::SetPosture), -1);
    EXPECT_FALSE(config.faults.takeAnswer(vr::Operation::SetPosture).has_value());
    EXPECT_EQ(config.faults.takeAnswer(vr::Operation::ExternalControl), 0);
    EXPECT_EQ(config.faults.delay(vr::Operation::DoWalking), 200ms);
    EXPECT_EQ(config.faults.delay(vr::Operation::MotionStop), 10ms);
    EXPECT_TRUE(config.link.refuseConnections);
    EXPECT_EQ(config.link.dropAfter, 500ms);
    EXPECT_EQ(config.link.dropAfterFrames, 7);
    EXPECT_EQ(config.link.hangAfter, 900ms);
    EXPECT_EQ(config.link.malformedAfterFrames, 3);
    EXPECT_EQ(config.link.malformedReply, vr::Operation::PlayContents);
}
