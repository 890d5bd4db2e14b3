#include "virtualrobot/model/robotmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace std::chrono_literals;
using vr::Operation;
using vr::Posture;
using vr::RobotModel;

namespace {

constexpr double kDegree = 3.141592653589793 / 180;

// Drives a model on a clock of its own, the way a controller's calls would.
class VirtualRobotModel : public ::testing::Test
{
protected:
    int call(Operation operation, std::vector<int> arguments = {})
    {
        return m_robot.perform(operation, arguments, m_now);
    }
    void wait(RobotModel::Millis span)
    {
        m_now += span;
        m_robot.advance(m_now);
    }
    double distanceToBall() const
    {
        const auto pose = m_robot.pose();
        const auto ball = m_robot.scene().ball.position;
        return std::hypot(ball.x - pose.x, ball.y - pose.y);
    }

    RobotModel m_robot;
    RobotModel::Millis m_now{0};
};

} // namespace

TEST_F(VirtualRobotModel, TakesRemoteControlAndPlaysPicturesOnlyWhenTold)
{
    EXPECT_EQ(call(Operation::ExternalControl, {1}), 1);
    EXPECT_TRUE(m_robot.remoteControl());
    EXPECT_EQ(call(Operation::ImageInit), 0);
    EXPECT_EQ(call(Operation::ImageOpen), 0);
    EXPECT_NE(call(Operation::RequestNetService, {2}), 0);
    EXPECT_FALSE(m_robot.cameraOn());
    EXPECT_EQ(call(Operation::SendCmd, {33, 1, 0, 0, 0, 0}), 0);
    EXPECT_TRUE(m_robot.cameraOn());
    EXPECT_EQ(call(Operation::GetBatteryLevel), 90);
    EXPECT_EQ(call(Operation::ImageClose), 0);
    EXPECT_FALSE(m_robot.cameraOn());
    call(Operation::SendCmd, {33, 1, 0, 0, 0, 0});
    call(Operation::SendCmd, {34});
    EXPECT_FALSE(m_robot.cameraOn()) << "the stop command ends the pictures too";
}

TEST_F(VirtualRobotModel, RefusesWhatItCannotDo)
{
    EXPECT_EQ(call(Operation::ExternalControl, {5}), -1);
    EXPECT_EQ(call(Operation::RequestNetService, {7}), 0);
    EXPECT_EQ(call(Operation::SendCmd, {99}), -1);
    EXPECT_EQ(call(Operation::SetPosture, {3, 0}), -1);
    EXPECT_EQ(call(Operation::DoWalking, {2, 0, 1000, 0}), -1);
    EXPECT_EQ(call(Operation::DoWalking, {0, 0, -5, 0}), -1);
    EXPECT_EQ(call(Operation::PlayContents, {0, 0}), -1);
    EXPECT_FALSE(m_robot.moving());
}

TEST_F(VirtualRobotModel, WalksForwardAMetreFasterThanBackAndStopsAtOnceWhenTold)
{
    const auto start = m_robot.pose();
    call(Operation::DoWalking, {0, 0, 1000, 0});
    wait(3s);
    EXPECT_TRUE(m_robot.walking());
    const double forward = m_robot.pose().x - start.x;
    EXPECT_GT(forward, 300);
    EXPECT_LT(forward, 700);
    wait(5s);
    EXPECT_FALSE(m_robot.walking());
    EXPECT_NEAR(m_robot.pose().x, start.x + 1000, 1e-6);
    EXPECT_NEAR(m_robot.pose().y, start.y, 1e-6);

    call(Operation::DoWalking, {1, 0, 1000, 0});
    wait(3s);
    EXPECT_GT(start.x + 1000 - m_robot.pose().x, 0);
    EXPECT_LT(start.x + 1000 - m_robot.pose().x, forward);
    call(Operation::MotionStop);
    const double stopped = m_robot.pose().x;
    wait(2s);
    EXPECT_FALSE(m_robot.moving());
    EXPECT_EQ(m_robot.pose().x, stopped);
}

TEST_F(VirtualRobotModel, TurnsByTheDegreesSentLeftPositive)
{
    using Turn = std::tuple<int, int, int>;
    for (const auto &[walk, degrees, heading] : {Turn{4, 90, 90}, Turn{7, 180, -90}, Turn{7, 45, -135}}) {
        call(Operation::DoWalking, {walk, degrees, 0, 0});
        wait(10s);
        EXPECT_NEAR(m_robot.pose().heading, heading, 1e-6) << walk << " " << degrees;
    }
}

TEST_F(VirtualRobotModel, AWallEndsTheWalk)
{
    call(Operation::DoWalking, {0, 0, 0, 0});
    wait(60s);
    EXPECT_FALSE(m_robot.walking());
    EXPECT_LT(m_robot.pose().x, vr::room::kWidth);
    EXPECT_GT(m_robot.pose().x, vr::room::kWidth - 300);
}

TEST_F(VirtualRobotModel, ASittingRobotStandsUpBeforeWalking)
{
    call(Operation::SetPosture, {1, 0});
    wait(3s);
    const double x = m_robot.pose().x;
    call(Operation::DoWalking, {0, 0, 1000, 0});
    EXPECT_EQ(m_robot.posture(), Posture::Stand);
    wait(500ms);
    EXPECT_EQ(m_robot.pose().x, x);
    wait(2s);
    EXPECT_GT(m_robot.pose().x, x);
}

TEST_F(VirtualRobotModel, PosturesChangeTheCameraHeightGradually)
{
    const double standing = m_robot.scene().camera.z;
    call(Operation::SetPosture, {2, 0});
    wait(300ms);
    const double halfway = m_robot.scene().camera.z;
    EXPECT_TRUE(m_robot.moving());
    wait(3s);
    EXPECT_FALSE(m_robot.moving());
    EXPECT_LT(m_robot.scene().camera.z, halfway);
    EXPECT_LT(halfway, standing);
    call(Operation::SetPosture, {1, 0});
    wait(3s);
    EXPECT_GT(m_robot.scene().camera.z, standing);
    EXPECT_GT(m_robot.scene().camera.pitch, 0);
}

TEST_F(VirtualRobotModel, HeadFollowsTheAnglesSentWithinItsRange)
{
    call(Operation::ChangeHeadAngle, {30, -20, 3, 0});
    wait(1s);
    EXPECT_DOUBLE_EQ(m_robot.headPan(), 30);
    EXPECT_DOUBLE_EQ(m_robot.headTilt(), -20);
    EXPECT_NEAR(m_robot.scene().camera.yaw, 30, 1e-9);
    EXPECT_NEAR(m_robot.scene().camera.pitch, -20, 1e-9);
    call(Operation::ChangeHeadAngle, {-150, 40, 3, 0});
    wait(1s);
    EXPECT_DOUBLE_EQ(m_robot.headPan(), -90);
    EXPECT_DOUBLE_EQ(m_robot.headTilt(), 15);
    call(Operation::ChangeHeadAngle, {0, -80, 3, 0});
    wait(1s);
    EXPECT_DOUBLE_EQ(m_robot.headTilt(), -45);
}

TEST_F(VirtualRobotModel, ContentsPlayForAFewSeconds)
{
    // Numbers far beyond the catalogue's come off the wire too.
    for (const int mwcid : {2126, 300000, std::numeric_limits<int>::max()}) {
        call(Operation::PlayContents, {mwcid, 0});
        EXPECT_EQ(m_robot.playingContent(), mwcid);
        wait(1500ms);
        EXPECT_EQ(m_robot.playingContent(), mwcid);
        wait(6s);
        EXPECT_FALSE(m_robot.playingContent().has_value());
        EXPECT_FALSE(m_robot.moving());
    }
}

TEST_F(VirtualRobotModel, BatteryDrainsFasterWhileMovingAndWhenEmptyStopsTheRobot)
{
    RobotModel idle;
    idle.advance(10min);
    call(Operation::DoWalking, {4, 0, 0, 0});
    wait(10min);
    EXPECT_LT(idle.battery(), 90);
    EXPECT_LT(m_robot.battery(), idle.battery());
    EXPECT_EQ(call(Operation::GetBatteryLevel), static_cast<int>(std::lround(m_robot.battery())));

    call(Operation::DoWalking, {4, 0, 0, 0});
    m_robot.setBatteryLevel(0);
    EXPECT_FALSE(m_robot.walking());
    EXPECT_EQ(call(Operation::GetBatteryLevel), 0);
    EXPECT_EQ(call(Operation::DoWalking, {0, 0, 1000, 0}), -1);
    EXPECT_EQ(call(Operation::SetPosture, {1, 0}), -1);
    m_robot.setBatteryLevel(42);
    EXPECT_EQ(call(Operation::GetBatteryLevel), 42);
    EXPECT_EQ(call(Operation::DoWalking, {0, 0, 1000, 0}), 0);
}

TEST_F(VirtualRobotModel, LosingTheControllerStopsEverything)
{
    call(Operation::ExternalControl, {1});
    call(Operation::SendCmd, {33, 1, 0, 0, 0, 0});
    call(Operation::DoWalking, {0, 0, 1000, 0});
    wait(1s);
    m_robot.controllerLost(m_now);
    const auto where = m_robot.pose();
    wait(5s);
    EXPECT_FALSE(m_robot.walking());
    EXPECT_FALSE(m_robot.cameraOn());
    EXPECT_FALSE(m_robot.remoteControl());
    EXPECT_EQ(m_robot.pose().x, where.x);
}

TEST_F(VirtualRobotModel, PlannedResultsStandInForTheOperation)
{
    m_robot.faults().addAnswerRule("SetPosture=-1,ok");
    EXPECT_EQ(call(Operation::SetPosture, {2, 0}), -1);
    EXPECT_EQ(m_robot.posture(), Posture::Stand);
    EXPECT_EQ(call(Operation::SetPosture, {2, 0}), 0);
    EXPECT_EQ(m_robot.posture(), Posture::LieDown);
    m_robot.faults().addAnswerRule("ExternalControl=0");
    EXPECT_EQ(call(Operation::ExternalControl, {1}), 0);
    EXPECT_FALSE(m_robot.remoteControl());
}

TEST_F(VirtualRobotModel, AFrontKickSendsOnlyANearbyBallRolling)
{
    const auto ball = m_robot.scene().ball.position;
    call(Operation::PlayContents, {3141, 0});
    wait(6s);
    EXPECT_EQ(m_robot.scene().ball.position.x, ball.x) << "out of reach at the start";
    EXPECT_EQ(m_robot.scene().ball.position.y, ball.y);

    // Face the ball and walk up to it; the body shoves it a little.
    const auto pose = m_robot.pose();
    const double bearing = std::atan2(ball.y - pose.y, ball.x - pose.x) / kDegree;
    call(Operation::DoWalking, {7, static_cast<int>(std::lround(-bearing)), 0, 0});
    wait(2s);
    call(Operation::DoWalking, {0, 0, static_cast<int>(distanceToBall()) - 250, 0});
    wait(10s);
    ASSERT_LT(distanceToBall(), 350);
    call(Operation::PlayContents, {3142, 0});
    wait(1200ms);
    // Rolling fast, to the left of where the robot faces.
    const auto velocity = m_robot.scene().ball.velocity;
    EXPECT_GT(std::hypot(velocity.x, velocity.y), 1000);
    const double course = std::atan2(velocity.y, velocity.x) / kDegree;
    EXPECT_GT(course, m_robot.pose().heading + 10);
    EXPECT_LT(course, m_robot.pose().heading + 40);
}

TEST_F(VirtualRobotModel, TakesTheBoneInFrontAndCarriesIt)
{
    call(Operation::PlayContents, {2894, 1});
    wait(3s);
    EXPECT_FALSE(m_robot.holdingBone());
    call(Operation::DoWalking, {0, 0, 700, 0});
    wait(6s);
    call(Operation::PlayContents, {2894, 1});
    wait(3s);
    ASSERT_TRUE(m_robot.holdingBone());
    EXPECT_GT(m_robot.scene().bone.height, vr::room::kBoneKnobRadius);
    call(Operation::DoWalking, {4, 90, 0, 0});
    wait(3s);
    EXPECT_GT(m_robot.scene().bone.position.y, m_robot.pose().y + 100);
    call(Operation::PlayContents, {3129, 0});
    wait(3s);
    EXPECT_FALSE(m_robot.holdingBone());
    EXPECT_DOUBLE_EQ(m_robot.scene().bone.height, vr::room::kBoneKnobRadius);
}
