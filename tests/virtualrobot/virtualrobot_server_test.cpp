#include "protocol/operation.h"
#include "tests/peers/testclient.h"
#include "virtualrobot/server/robotserver.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace std::chrono_literals;
using protocol::Operation;

namespace {

class VirtualRobotServer : public ::testing::Test
{
protected:
    // A robot on an ephemeral loopback port.
    void start()
    {
        m_config.port = 0;
        m_robot = std::make_unique<vr::RobotServer>(m_config);
        QString error;
        ASSERT_TRUE(m_robot->listen(error)) << error.toStdString();
    }
    // A client that is connected but has not said Hello.
    std::unique_ptr<TestClient> stranger()
    {
        auto client = std::make_unique<TestClient>();
        EXPECT_TRUE(client->connectTo(m_robot->port()));
        return client;
    }
    // A client that has been welcomed.
    std::unique_ptr<TestClient> controller()
    {
        auto client = stranger();
        EXPECT_TRUE(client->handshake());
        return client;
    }
    // Says Hello and expects to be refused for the reason.
    void expectRefused(TestClient &client, const std::string &reasonStart)
    {
        client.send(protocol::Hello{protocol::kVersion, "test"});
        const auto refused = client.receiveA<protocol::Refused>();
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->reason.rfind(reasonStart, 0), 0u) << refused->reason;
        EXPECT_TRUE(client.waitClosed());
    }
    void startPictures(TestClient &client)
    {
        EXPECT_EQ(client.call(Operation::SendCmd, {33, 1, 0, 0, 0, 0}), 0);
    }
    bool waitForController(bool wanted)
    {
        return QTest::qWaitFor([&] { return m_robot->hasController() == wanted; }, 2000);
    }
    QString control(const QString &line)
    {
        QString error;
        const auto command = vr::parseControlLine(line, error);
        EXPECT_TRUE(command.has_value()) << error.toStdString();
        return command ? m_robot->control(*command) : error;
    }

    vr::ServerConfig m_config;
    std::unique_ptr<vr::RobotServer> m_robot;
};

int countFrames(TestClient &client, std::chrono::milliseconds within)
{
    int frames = 0;
    while (client.receiveA<protocol::Frame>(within))
        ++frames;
    return frames;
}

} // namespace

TEST_F(VirtualRobotServer, ASecondControllerIsRefusedAsBusy)
{
    start();
    auto first = controller();
    ASSERT_NO_FATAL_FAILURE(expectRefused(*stranger(), "busy: another controller is connected"));
    EXPECT_EQ(first->call(Operation::GetBatteryLevel), 90);

    first->close();
    ASSERT_TRUE(waitForController(false));
    EXPECT_EQ(controller()->call(Operation::MotionStop), 0);
}

TEST_F(VirtualRobotServer, RefusesEveryControllerWhenToldUntilToldOtherwise)
{
    m_config.link.refuseConnections = true;
    start();
    ASSERT_NO_FATAL_FAILURE(expectRefused(*stranger(), "refused"));
    EXPECT_FALSE(m_robot->hasController());
    control(QStringLiteral("refuse off"));
    EXPECT_TRUE(controller()->connected());
    ASSERT_TRUE(waitForController(false));
    control(QStringLiteral("refuse on"));
    ASSERT_NO_FATAL_FAILURE(expectRefused(*stranger(), "refused"));
}

TEST_F(VirtualRobotServer, AControllerBreakingTheProtocolLosesTheLinkAndTheRobotStops)
{
    start();
    const auto client = controller();
    startPictures(*client);
    EXPECT_EQ(client->call(Operation::DoWalking, {0, 0, 0, 0}), 0);
    ASSERT_TRUE(m_robot->model().walking());
    client->sendRaw(QByteArray("garbage!garbage!"));
    EXPECT_TRUE(client->waitClosed());
    ASSERT_TRUE(waitForController(false));
    EXPECT_FALSE(m_robot->model().walking());
    EXPECT_FALSE(m_robot->model().cameraOn());
}

TEST_F(VirtualRobotServer, PlannedLinkFaultsComeAfterTheirFrames)
{
    // A fresh robot with only the planned link fault, and a controller.
    const auto restart = [&](const std::function<void(vr::LinkFaults &)> &plan) {
        m_config.link = {};
        plan(m_config.link);
        start();
        return controller();
    };
    auto client = restart([](vr::LinkFaults &link) { link.dropAfterFrames = 3; });
    // Each controller gets its own allowance of frames.
    for (int round = 0; round < 2; ++round) {
        if (round > 0)
            client = controller();
        startPictures(*client);
        EXPECT_EQ(countFrames(*client, 1000ms), 3) << "controller " << round + 1;
        EXPECT_TRUE(client->waitClosed());
        EXPECT_TRUE(waitForController(false));
    }

    client = restart([](vr::LinkFaults &link) { link.malformedAfterFrames = 2; });
    startPictures(*client);
    EXPECT_EQ(countFrames(*client, 1000ms), 2);
    EXPECT_EQ(client->error(), protocol::Decoder::Error::Malformed);

}

TEST_F(VirtualRobotServer, AControllerThatFloodsAndNeverReadsLosesTheLinkAndTheNextIsServed)
{
    start();
    auto client = controller();
    startPictures(*client);
    control(QStringLiteral("pause"));
    QString error;
    EXPECT_FALSE(vr::parseControlLine(QStringLiteral("burst %1").arg(vr::kMaxBurst + 1), error).has_value());
    // Nothing is read from here on: the frames stop once the backlog is full.
    EXPECT_TRUE(control(QStringLiteral("burst %1").arg(vr::kMaxBurst)).contains(QStringLiteral("not reading")));
    EXPECT_TRUE(m_robot->hasController());

    for (std::uint32_t sequence = 1; sequence <= 100; ++sequence)
        client->send(protocol::Request{sequence, static_cast<std::uint16_t>(Operation::GetBatteryLevel), {}});
    ASSERT_TRUE(waitForController(false));
    client.reset();
    EXPECT_EQ(controller()->call(Operation::GetBatteryLevel), 90);
}

TEST_F(VirtualRobotServer, APeerOfTheOldVersionIsRefusedAndAnAcknowledgementOfAFrameNeverSentEndsTheLink)
{
    start();
    auto old = stranger();
    QByteArray hello = TestClient::bytesOf(protocol::Hello{protocol::kVersion, "old"});
    hello[9] = 1; // the version's low byte
    old->sendRaw(hello);
    const auto refused = old->receiveA<protocol::Refused>();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->reason, "version: this robot speaks protocol " + std::to_string(protocol::kVersion));
    EXPECT_TRUE(old->waitClosed());

    const auto client = controller();
    startPictures(*client);
    const auto frame = client->receiveA<protocol::Frame>();
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(client->call(Operation::MotionStop), 0) << "its acknowledgement was in order";
    client->send(protocol::FrameAck{frame->sequence + 1000});
    EXPECT_TRUE(client->waitClosed());
    EXPECT_TRUE(waitForController(false));
}
