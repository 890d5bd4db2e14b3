#include "tests/peers/testclient.h"
#include "virtualrobot/server/robotserver.h"
#include "virtualrobot/window/mapview.h"
#include "virtualrobot/window/robotwindow.h"

#include <QTest>

#include <gtest/gtest.h>

using protocol::Operation;

namespace {

// The robot's window over a robot on an ephemeral loopback port, with one
// controller.
class VirtualRobotWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_config.port = 0;
        m_robot = std::make_unique<vr::RobotServer>(m_config);
        QString error;
        ASSERT_TRUE(m_robot->listen(error)) << error.toStdString();
        ASSERT_TRUE(m_controller.connectTo(m_robot->port()));
        ASSERT_TRUE(m_controller.handshake());
        m_window = std::make_unique<vr::RobotWindow>(*m_robot);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QImage map() const { return m_window->findChild<vr::MapView *>()->grab().toImage(); }

    vr::ServerConfig m_config;
    std::unique_ptr<vr::RobotServer> m_robot;
    TestClient m_controller;
    std::unique_ptr<vr::RobotWindow> m_window;
};

} // namespace

TEST_F(VirtualRobotWindow, TheMapFollowsAWalkAndTheLogShowsTheNewestOperationFirst)
{
    const QImage before = map();
    EXPECT_EQ(m_controller.call(Operation::DoWalking, {0, 0, 1000, 0}), 0);
    QTest::qWait(1000);
    EXPECT_NE(map(), before);

    EXPECT_EQ(m_controller.call(Operation::MotionStop), 0);
    const std::deque<vr::AnsweredOperation> operations = m_robot->linkView().operations;
    ASSERT_EQ(operations.size(), 2u);
    EXPECT_EQ(operations[0].name, QStringLiteral("MotionStop"));
    EXPECT_EQ(operations[1].name, QStringLiteral("DoWalking"));
    EXPECT_EQ(operations[1].arguments, (std::vector<int>{0, 0, 1000, 0}));
}
