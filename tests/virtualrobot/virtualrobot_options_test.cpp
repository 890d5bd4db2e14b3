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

std::optional<vr::ControlCommand> control(const QString &line, QString &error)
{
    return vr::parseControlLine(line, error);
}

} // namespace

TEST(VirtualRobotOptions, DefaultsListenOnLoopbackAtTheProtocolsPort)
{
    const auto parsed = parse({});
    ASSERT_EQ(parsed.outcome, ParsedOptions::Outcome::Run) << parsed.text.toStdString();
    EXPECT_EQ(parsed.config.address, QHostAddress(QHostAddress::LocalHost));
    EXPECT_EQ(parsed.config.port, 20207);
    EXPECT_TRUE(parsed.config.tracePath.isEmpty());
    EXPECT_FALSE(parsed.config.link.refuseConnections);
    EXPECT_FALSE(parsed.config.link.dropAfter.has_value());
}

TEST(VirtualRobotOptions, ReadsEveryOption)
{
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

TEST(VirtualRobotOptions, BadOptionsAndValuesAreErrorsThatSayWhy)
{
    const std::vector<std::pair<std::vector<const char *>, const char *>> cases = {
        {{"--bogus"}, "bogus"},
        {{"--port"}, "port"},
        {{"--port", "70000"}, "--port"},
        {{"--port", "x"}, "--port"},
        {{"--listen", "robot.local"}, "--listen"},
        {{"--battery", "101"}, "--battery"},
        {{"--drain", "1"}, "--drain"},
        {{"--drain", "-1,2"}, "--drain"},
        {{"--result", "Fly=1"}, "Fly"},
        {{"--result", "SetPosture=soon"}, "soon"},
        {{"--delay", "SetPosture=-3"}, "--delay"},
        {{"--drop-after-ms", "-1"}, "--drop-after-ms"},
        {{"--drop-after-frames", "many"}, "--drop-after-frames"},
        {{"--malformed-reply", "Fly"}, "Fly"},
        {{"stray"}, "stray"},
    };
    for (const auto &[arguments, mentioned] : cases) {
        const auto parsed = parse(arguments);
        EXPECT_EQ(parsed.outcome, ParsedOptions::Outcome::Error) << arguments.front();
        EXPECT_TRUE(parsed.text.contains(QString::fromUtf8(mentioned))) << parsed.text.toStdString();
    }
}

TEST(VirtualRobotOptions, HelpExplainsEveryOptionAndTheControlInput)
{
    const auto parsed = parse({"--help"});
    ASSERT_EQ(parsed.outcome, ParsedOptions::Outcome::ShowHelp);
    for (const char *option :
         {"--listen", "--port", "--trace", "--battery", "--drain", "--result", "--delay", "--refuse-connections",
          "--drop-after-ms", "--drop-after-frames", "--hang-after-ms", "--malformed-after-frames", "--malformed-reply"})
        EXPECT_TRUE(parsed.text.contains(QLatin1String(option))) << option;
    for (const char *command : {"drop", "battery PERCENT", "pause", "resume", "burst N", "quit"})
        EXPECT_TRUE(parsed.text.contains(QLatin1String(command))) << command;
}

TEST(VirtualRobotControlInput, ReadsEachCommand)
{
    using Kind = vr::ControlCommand::Kind;
    QString error;
    EXPECT_EQ(control(QStringLiteral("drop"), error)->kind, Kind::Drop);
    const auto battery = control(QStringLiteral("  battery 42 "), error);
    ASSERT_TRUE(battery.has_value());
    EXPECT_EQ(battery->kind, Kind::Battery);
    EXPECT_EQ(battery->number, 42);
    EXPECT_EQ(control(QStringLiteral("PAUSE"), error)->kind, Kind::Pause);
    EXPECT_EQ(control(QStringLiteral("burst 10"), error)->number, 10);
    EXPECT_TRUE(control(QStringLiteral("refuse on"), error)->flag);
    EXPECT_FALSE(control(QStringLiteral("refuse off"), error)->flag);
    const auto rule = control(QStringLiteral("result SetPosture=-1,ok"), error);
    ASSERT_TRUE(rule.has_value());
    EXPECT_EQ(rule->kind, Kind::Result);
    EXPECT_EQ(rule->text, QStringLiteral("SetPosture=-1,ok"));
    EXPECT_EQ(control(QStringLiteral("bye"), error)->text, QString());
    EXPECT_EQ(control(QStringLiteral("bye going home"), error)->text, QStringLiteral("going home"));
    EXPECT_EQ(control(QStringLiteral("quit"), error)->kind, Kind::Quit);
}

TEST(VirtualRobotControlInput, BadLinesSayWhatIsWrong)
{
    QString error;
    EXPECT_FALSE(control(QStringLiteral("   "), error).has_value());
    EXPECT_TRUE(error.isEmpty());
    for (const char *line : {"fly", "battery", "battery lots", "battery -3", "burst", "refuse maybe", "drop now",
                             "result"}) {
        EXPECT_FALSE(control(QLatin1String(line), error).has_value()) << line;
        EXPECT_FALSE(error.isEmpty()) << line;
    }
    control(QStringLiteral("battery"), error);
    EXPECT_EQ(error, QStringLiteral("usage: battery PERCENT"));
}
