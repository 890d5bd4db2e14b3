#include "protocol/encoder.h"
#include "protocol/operation.h"
#include "tests/vaiboclient/clienttest.h"
#include "framework/vaibomessages.h"

using namespace std::chrono_literals;
using protocol::Operation;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char *kConnected = vaibo::kConnectMessage;
constexpr const char *kDisconnected = vaibo::kDisconnectMessage;

template<typename T>
int countOf(const std::vector<protocol::Message> &messages)
{
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                           [](const protocol::Message &m) { return std::holds_alternative<T>(m); }));
}

using LinkTest = ClientTest;

} // namespace

TEST_F(LinkTest, AcceptedConnectionPostsConnectAfterTheHandshakeAndRefusesASecondConnect)
{
    connectOnline();
    const auto received = robot.received();
    ASSERT_FALSE(received.empty());
    const auto *hello = std::get_if<protocol::Hello>(&received.front());
    ASSERT_NE(hello, nullptr);
    EXPECT_EQ(hello->version, protocol::kVersion);
    EXPECT_EQ(window.count(kDisconnected), 0);
    EXPECT_LT(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    EXPECT_EQ(robot.connections(), 1);
}

TEST_F(LinkTest, ARobotOfTheOldVersionIsToldWhyAndTheLinkEnds)
{
    auto welcome = protocol::encode(protocol::Welcome{protocol::kVersion, "old robot"});
    welcome[9] = 1; // the version's low byte
    robot.setWelcome(welcome);
    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    ASSERT_TRUE(window.waitFor(kDisconnected, 1));
    EXPECT_EQ(window.count(kConnected), 0);
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return countOf<protocol::Bye>(r.received()) == 1; }));
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
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return countOf<protocol::Ping>(r.received()) == 1; }));
    std::uint64_t origin = 0;
    for (const protocol::Message &message : robot.received()) {
        if (const auto *ping = std::get_if<protocol::Ping>(&message))
            origin = ping->origin;
    }
    robot.send(protocol::Pong{origin + 1, 0});
    EXPECT_TRUE(window.waitFor(kDisconnected, 1)) << "a Pong for another Ping";
}

// A reconnect after a link ends is the bad input cases' last step.
TEST_F(LinkTest, DisconnectSaysByeAndPostsDisconnectOnce)
{
    connectOnline();
    EXPECT_EQ(client.Disconnect(), 0);
    ASSERT_TRUE(window.waitFor(kDisconnected, 1));
    EXPECT_TRUE(robot.waitUntil([](const FakeRobot &r) { return countOf<protocol::Bye>(r.received()) == 1; }));
    EXPECT_NE(client.Disconnect(), 0);
    pump(50ms);
    EXPECT_EQ(window.count(kDisconnected), 1);
}

// Before a link and while one comes up, every call fails at once, since no
// reply can come, and nothing reaches the robot.
TEST_F(LinkTest, EveryOperationFailsWithoutALink)
{
    const auto expectAllFail = [this] {
        const auto start = Clock::now();
        EXPECT_EQ(client.ExternalControl(1), 0);
        EXPECT_EQ(client.RequestNetService(2), 0);
        EXPECT_NE(client.ImageInit(), 0);
        EXPECT_NE(client.ImageOpen(), 0);
        EXPECT_NE(client.SendCmd(33, 1, 0, 0, 0, 0), 0);
        EXPECT_LT(client.GetBatteryLevel(), 0);
        EXPECT_LT(client.SetPosture(0, 0), 0);
        EXPECT_LT(client.MotionStop(), 0);
        EXPECT_LT(client.DoWalking(0, 0, 1000, 0), 0);
        EXPECT_LT(client.DoHeader(0, 0), 0);
        EXPECT_LT(client.PlayContents(3000, 0), 0);
        EXPECT_LT(client.ChangeHeadAngle(10, 5, 3, 0), 0);
        EXPECT_LT(client.ImageClose(), 0);
        EXPECT_EQ(client.GetStateImageTP(), -150);
        EXPECT_LT(Clock::now() - start, kReplyTimeout);
    };
    expectAllFail();
    // Half a Welcome holds the link in its handshake.
    auto halfWelcome = protocol::encode(protocol::Welcome{protocol::kVersion, "slow robot"});
    halfWelcome.resize(4);
    robot.setWelcome(halfWelcome);
    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return countOf<protocol::Hello>(r.received()) == 1; }));
    expectAllFail();
    pump(100ms);
    EXPECT_EQ(countOf<protocol::Request>(robot.received()), 0);
}

TEST_F(LinkTest, OperationsCarryTheirCodeAndArgumentsAndReturnTheRobotsResult)
{
    // A result made of the code and the arguments shows a swapped one.
    robot.setAnswer([](const protocol::Request &request) {
        std::int32_t result = request.operation * 1000;
        for (std::size_t i = 0; i < request.arguments.size(); ++i)
            result += request.arguments[i] * static_cast<std::int32_t>(i + 1);
        return result;
    });
    connectOnline();
    EXPECT_EQ(client.ExternalControl(1), 1001);
    EXPECT_EQ(client.SendCmd(35, 1, 1, 3, 0, 0), 6000 + 35 + 2 + 3 + 12);
    EXPECT_EQ(client.GetBatteryLevel(), 7000);
    EXPECT_EQ(client.SetPosture(2, 0), 8002);
    EXPECT_EQ(client.DoWalking(7, 90, 0, 0), 10007 + 180);
    EXPECT_EQ(client.PlayContents(2894, 1), 12000 + 2894 + 2);
    EXPECT_EQ(client.ChangeHeadAngle(-90, 15, 3, 0), 13000 - 90 + 30 + 9);
    robot.setAnswer([](const protocol::Request &) { return -7; });
    EXPECT_EQ(client.ExternalControl(1), -7);
}

TEST_F(LinkTest, SilentRobotMakesEveryCallFailWithinTheBound)
{
    robot.setAnswer([](const protocol::Request &) { return std::nullopt; });
    connectOnline();
    // A failed call answers what that operation answers without a link.
    const std::vector<std::function<bool()>> calls{
        [&] { return client.ExternalControl(1) == 0; },
        [&] { return client.PlayContents(3000, 0) < 0; },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const auto start = Clock::now();
        EXPECT_TRUE(calls[i]()) << i;
        EXPECT_GE(Clock::now() - start, kReplyTimeout - 5ms) << i;
        EXPECT_LT(Clock::now() - start, kReplyTimeout + 1s) << i;
    }
    EXPECT_EQ(window.count(kDisconnected), 0);
}

TEST_F(LinkTest, SilentLinkIsDeclaredDeadAfterTheTimeout)
{
    connectOnline();
    robot.setHeartbeat(std::nullopt);
    const auto start = Clock::now();
    ASSERT_TRUE(window.waitFor(kDisconnected, 1, 2s));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, kDeadLink - 60ms);
    EXPECT_LT(waited, kDeadLink + 1s);
}

// Each bad input from the robot closes the link cleanly: the call in flight
// fails, the panel hears Disconnect once, and a new link works.
class BadInputTest : public ClientTest, public ::testing::WithParamInterface<std::vector<std::uint8_t>>
{
};

TEST_P(BadInputTest, ClosesTheLinkCleanly)
{
    connectOnline();
    robot.sendRaw(GetParam());
    ASSERT_TRUE(window.waitFor(kDisconnected, 1, 1s));
    EXPECT_EQ(window.count(kDisconnected), 1);
    EXPECT_LT(client.MotionStop(), 0);
    EXPECT_NE(client.Disconnect(), 0);
    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    EXPECT_TRUE(window.waitFor(kConnected, 2));
    EXPECT_EQ(robot.connections(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Robot, BadInputTest,
    ::testing::Values(std::vector<std::uint8_t>{'G', 'E', 'T', ' ', '/', '\r', '\n'}, protocol::encode(protocol::Reply{99, 1}),
                      protocol::encode(protocol::Welcome{protocol::kVersion, "again"}),
                      protocol::encode(protocol::FrameAck{1}), protocol::encode(protocol::Pong{12345, 0}),
                      protocol::encode(protocol::Bye{"going"})));
