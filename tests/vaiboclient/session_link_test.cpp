#include "protocol/encoder.h"
#include "protocol/operation.h"
#include "tests/vaiboclient/sessiontest.h"

#include <thread>

using namespace std::chrono_literals;
using protocol::Operation;
using Clock = std::chrono::steady_clock;

using LinkTest = SessionTest;

TEST_F(LinkTest, AcceptedConnectionComesUpAfterTheHandshakeAndRefusesASecondConnect)
{
    connectOnline();
    const auto received = robot.received();
    ASSERT_FALSE(received.empty());
    const auto *hello = std::get_if<protocol::Hello>(&received.front());
    ASSERT_NE(hello, nullptr);
    EXPECT_EQ(hello->version, protocol::kVersion);
    EXPECT_EQ(owner.downs(), 0);
    EXPECT_EQ(session.connect("127.0.0.1"), vaibo::failure::kConnectBusy);
    EXPECT_EQ(robot.connections(), 1);
}

TEST_F(LinkTest, NobodyListeningEndsTheAttemptAtOnce)
{
    // The fake robot's port, once it is gone, is one where nobody listens.
    vaibo::Settings settings = vaibo::settings();
    settings.port = FakeRobot().port();
    settings.connectTimeout = 5s;
    vaibo::setSettings(settings);
    const auto start = Clock::now();
    ASSERT_EQ(session.connect("127.0.0.1"), 0);
    ASSERT_TRUE(waitDown(1, 4s));
    EXPECT_LT(Clock::now() - start, 2s) << "the refusal, not the connect timeout, ended it";
    EXPECT_EQ(owner.ups(), 0);
}

TEST_F(LinkTest, ARobotOfTheOldVersionIsToldWhyAndTheLinkEnds)
{
    auto welcome = protocol::encode(protocol::Welcome{protocol::kVersion, "old robot"});
    welcome[9] = 1; // the version's low byte
    robot.setWelcome(welcome);
    ASSERT_EQ(session.connect("127.0.0.1"), 0);
    ASSERT_TRUE(waitDown(1));
    EXPECT_EQ(owner.ups(), 0);
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.count<protocol::Bye>() == 1; }));
    for (const protocol::Message &message : robot.received()) {
        if (const auto *bye = std::get_if<protocol::Bye>(&message)) {
            EXPECT_EQ(bye->reason, "version: this client speaks protocol " + std::to_string(protocol::kVersion));
        }
    }
}

TEST_F(LinkTest, APongMustAnswerThePingOutstanding)
{
    robot.setAnswersPings(false);
    connectOnline();
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.count<protocol::Ping>() == 1; }));
    std::uint64_t origin = 0;
    for (const protocol::Message &message : robot.received()) {
        if (const auto *ping = std::get_if<protocol::Ping>(&message))
            origin = ping->origin;
    }
    robot.send(protocol::Pong{origin + 1, 0});
    EXPECT_TRUE(waitDown(1)) << "a Pong for another Ping";
}

// A reconnect after a link ends is the bad input cases' last step.
TEST_F(LinkTest, DisconnectSaysByeAndEndsTheLinkOnce)
{
    connectOnline();
    EXPECT_EQ(session.disconnect(), 0);
    ASSERT_TRUE(waitDown(1));
    EXPECT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.count<protocol::Bye>() == 1; }));
    EXPECT_EQ(session.disconnect(), vaibo::failure::kDisconnect);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(owner.downs(), 1);
}

TEST_F(LinkTest, SilentRobotMakesACallFailWithinTheBound)
{
    robot.setAnswer([](const protocol::Request &) { return std::nullopt; });
    connectOnline();
    const auto start = Clock::now();
    EXPECT_EQ(session.call(Operation::PlayContents, {3000, 0}, -77), -77);
    EXPECT_GE(Clock::now() - start, kReplyTimeout - 5ms);
    EXPECT_LT(Clock::now() - start, kReplyTimeout + 1s);
    EXPECT_EQ(owner.downs(), 0);
}

TEST_F(LinkTest, SilentLinkIsDeclaredDeadAfterTheTimeout)
{
    connectOnline();
    robot.setHeartbeat(std::nullopt);
    const auto start = Clock::now();
    ASSERT_TRUE(waitDown(1, 2s));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, kDeadLink - 60ms);
    EXPECT_LT(waited, kDeadLink + 1s);
}

// Each bad input from the robot closes the link cleanly: the call in flight
// fails, the owner hears of the end once, and a new link works.
class BadInputTest : public SessionTest, public ::testing::WithParamInterface<std::vector<std::uint8_t>>
{};

TEST_P(BadInputTest, ClosesTheLinkCleanly)
{
    connectOnline();
    robot.sendRaw(GetParam());
    ASSERT_TRUE(waitDown(1, 1s));
    EXPECT_EQ(owner.downs(), 1);
    EXPECT_EQ(session.call(Operation::MotionStop, {}, -77), -77);
    EXPECT_NE(session.disconnect(), 0);
    ASSERT_NO_FATAL_FAILURE(connectOnline(2));
    EXPECT_EQ(robot.connections(), 2);
}

INSTANTIATE_TEST_SUITE_P(Robot, BadInputTest,
                         ::testing::Values(std::vector<std::uint8_t>{'G', 'E', 'T', ' ', '/', '\r', '\n'},
                                           protocol::encode(protocol::Reply{99, 1}),
                                           protocol::encode(protocol::Welcome{protocol::kVersion, "again"}),
                                           protocol::encode(protocol::FrameAck{1}),
                                           protocol::encode(protocol::Pong{12345, 0}),
                                           protocol::encode(protocol::Bye{"going"}),
                                           std::vector<std::uint8_t>(300000, 0xFF)));

TEST_F(LinkTest, ARobotThatVanishesEndsTheLinkAndTheCallInFlight)
{
    // Only the end of the connection can end the call this soon.
    vaibo::setSettings({.port = robot.port(), .replyTimeout = 5s, .deadLinkTimeout = 10s});
    robot.setAnswer([](const protocol::Request &) { return std::nullopt; });
    connectOnline();
    std::thread vanish([&] {
        std::this_thread::sleep_for(100ms);
        robot.hangUp();
    });
    const auto start = Clock::now();
    EXPECT_EQ(session.call(Operation::MotionStop, {}, -77), -77);
    EXPECT_LT(Clock::now() - start, 2s);
    vanish.join();
    EXPECT_TRUE(waitDown(1));
}
