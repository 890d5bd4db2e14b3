#include "virtualrobot/server/control.h"
#include "virtualrobot/server/options.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(VirtualRobotOptions, DefaultsListenOnLoopbackAtTheProtocolsPortHealthy)
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
    for (const char *text :
         {"--listen", "--port", "--trace", "--battery", "--drain", "--result", "--delay", "--refuse-connections",
          "--drop-after-ms", "--drop-after-frames", "--hang-after-ms", "--malformed-after-frames", "--malformed-reply",
          "drop", "battery PERCENT", "pause", "resume", "burst N", "quit"})
        EXPECT_TRUE(parsed.text.contains(QLatin1String(text))) << text;
}

TEST(VirtualRobotControlInput, ReadsEachCommand)
{
    using Kind = vr::ControlCommand::Kind;
    using Expected = std::tuple<const char *, Kind, int, bool, const char *>;
    for (const auto &[line, kind, number, flag, text] :
         {Expected{"drop", Kind::Drop, 0, false, ""}, Expected{"  battery 42 ", Kind::Battery, 42, false, ""},
          Expected{"PAUSE", Kind::Pause, 0, false, ""}, Expected{"burst 10", Kind::Burst, 10, false, ""},
          Expected{"refuse on", Kind::Refuse, 0, true, ""}, Expected{"refuse off", Kind::Refuse, 0, false, ""},
          Expected{"result SetPosture=-1,ok", Kind::Result, 0, false, "SetPosture=-1,ok"},
          Expected{"bye", Kind::Bye, 0, false, ""}, Expected{"bye going home", Kind::Bye, 0, false, "going home"},
          Expected{"quit", Kind::Quit, 0, false, ""}}) {
        QString error;
        const auto command = vr::parseControlLine(QLatin1String(line), error);
        ASSERT_TRUE(command.has_value()) << line << ": " << error.toStdString();
        EXPECT_EQ(command->kind, kind) << line;
        EXPECT_EQ(command->number, number) << line;
        EXPECT_EQ(command->flag, flag) << line;
        EXPECT_EQ(command->text, QLatin1String(text)) << line;
    }
}

TEST(VirtualRobotControlInput, BadLinesSayWhatIsWrong)
{
    QString error;
    EXPECT_FALSE(vr::parseControlLine(QStringLiteral("   "), error).has_value());
    EXPECT_TRUE(error.isEmpty());
    for (const char *line : {"fly", "battery", "battery lots", "battery -3", "burst", "refuse maybe", "drop now",
                             "result"}) {
        EXPECT_FALSE(vr::parseControlLine(QLatin1String(line), error).has_value()) << line;
        EXPECT_FALSE(error.isEmpty()) << line;
    }
    vr::parseControlLine(QStringLiteral("battery"), error);
    EXPECT_EQ(error, QStringLiteral("usage: battery PERCENT"));
}
