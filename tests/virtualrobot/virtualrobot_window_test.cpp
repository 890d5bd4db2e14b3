#include "tests/peers/testclient.h"
#include "virtualrobot/server/robotserver.h"
#include "virtualrobot/window/mapview.h"
#include "virtualrobot/window/robotwindow.h"

#include <QListWidget>
#include <QPushButton>
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
    // A point of the room, or of the map beside it, in the window.
    QPoint onMap(vr::Vec2 at) const
    {
        const auto *view = m_window->findChild<vr::MapView *>();
        return view->mapTo(m_window.get(), view->onScreen(at).toPoint());
    }
    // A person's drag on the map, through the window.
    void drag(Qt::MouseButton button, vr::Vec2 from, vr::Vec2 to)
    {
        QTest::mousePress(m_window->windowHandle(), button, {}, onMap(from));
        QTest::mouseMove(m_window->windowHandle(), onMap({(from.x + to.x) / 2, (from.y + to.y) / 2}));
        QTest::mouseRelease(m_window->windowHandle(), button, {}, onMap(to));
    }
    void click(const QString &text)
    {
        for (auto *button : m_window->findChildren<QPushButton *>()) {
            if (button->text() == text)
                return QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                                         button->mapTo(m_window.get(), button->rect().center()));
        }
        ADD_FAILURE() << "no button " << text.toStdString();
    }

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
    m_robot->controlLine(QStringLiteral("skip 1000"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return map() != before; }, 300));

    EXPECT_EQ(m_controller.call(Operation::MotionStop), 0);
    const auto *log = m_window->findChild<QListWidget *>();
    ASSERT_TRUE(QTest::qWaitFor([log] { return log->count() == 2; }, 300));
    EXPECT_EQ(log->item(0)->text(), QStringLiteral("MotionStop() → 0"));
    EXPECT_EQ(log->item(1)->text(), QStringLiteral("DoWalking(0, 0, 1000, 0) → 0"));
}

TEST_F(VirtualRobotWindow, APersonArrangesTheRoomOnTheMapAndARefusedDropMovesNothing)
{
    const vr::RobotModel &model = m_robot->model();
    const vr::Vec2 ball = model.scene().ball.position;
    drag(Qt::LeftButton, ball, {2000, 600});
    // One pixel of the map is about ten millimetres of the room.
    EXPECT_NEAR(model.scene().ball.position.x, 2000, 15);
    EXPECT_NEAR(model.scene().ball.position.y, 600, 15);
    drag(Qt::LeftButton, {2000, 600}, {-200, 600});
    EXPECT_NEAR(model.scene().ball.position.x, 2000, 15) << "dropped beside the room";

    const vr::Pose robot = model.pose();
    drag(Qt::RightButton, {robot.x, robot.y}, {robot.x, robot.y + 500});
    EXPECT_NEAR(model.pose().heading, 90, 2) << "turned to face north";
    click(QStringLiteral("骨を前に置く"));
    EXPECT_NEAR(model.scene().bone.position.y, robot.y + 230, 1);
    click(QStringLiteral("元に戻す"));
    EXPECT_DOUBLE_EQ(model.pose().heading, vr::kRobotStart.heading);
}
