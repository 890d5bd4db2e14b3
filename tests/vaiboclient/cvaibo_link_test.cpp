#include "framework/vaibomessages.h"
#include "protocol/encoder.h"
#include "protocol/operation.h"
#include "tests/vaiboclient/clienttest.h"

using namespace std::chrono_literals;
using protocol::Operation;
using Clock = std::chrono::steady_clock;

using LinkTest = ClientTest;

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
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.count<protocol::Hello>() == 1; }));
    expectAllFail();
    pump(100ms);
    EXPECT_EQ(robot.count<protocol::Request>(), 0);
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
