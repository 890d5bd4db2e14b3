#include "virtualrobot/model/robotmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

using namespace std::chrono_literals;
using vr::Operation;
using vr::Posture;
using vr::RobotModel;

namespace {

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

    RobotModel m_robot;
    RobotModel::Millis m_now{0};
};

} // namespace

// Arguments one past what the robot takes, then at the edge.
TEST_F(VirtualRobotModel, RefusesWhatItCannotDo)
{
    EXPECT_EQ(call(Operation::ExternalControl, {2}), -1);
    EXPECT_EQ(call(Operation::RequestNetService, {7}), 0);
    EXPECT_EQ(call(Operation::SendCmd, {99}), -1);
    EXPECT_EQ(call(Operation::SetPosture, {3, 0}), -1);
    EXPECT_EQ(call(Operation::DoWalking, {2, 0, 1000, 0}), -1);
    EXPECT_EQ(call(Operation::DoWalking, {0, 0, -1, 0}), -1);
    EXPECT_EQ(call(Operation::DoWalking, {4, -1, 0, 0}), -1);
    EXPECT_EQ(call(Operation::PlayContents, {0, 0}), -1);
    EXPECT_FALSE(m_robot.moving());
    EXPECT_EQ(call(Operation::ExternalControl, {0}), 0);
    EXPECT_EQ(call(Operation::PlayContents, {1, 0}), 0);
    EXPECT_EQ(call(Operation::DoWalking, {4, 0, 0, 0}), 0);
}

TEST_F(VirtualRobotModel, BatteryDrainsFasterWhileMovingAndWhenEmptyStopsTheRobot)
{
    RobotModel idle;
    idle.advance(10min);
    call(Operation::DoWalking, {4, 0, 0, 0});
    wait(10min);
    // Half a percent a minute idle, two while moving, from 90.
    EXPECT_NEAR(idle.battery(), 85, 0.01);
    EXPECT_NEAR(m_robot.battery(), 70, 0.01);
    EXPECT_EQ(call(Operation::GetBatteryLevel), static_cast<int>(std::lround(m_robot.battery())));

    call(Operation::DoWalking, {4, 0, 0, 0});
    m_robot.setBatteryLevel(0);
    EXPECT_FALSE(m_robot.walking());
    EXPECT_EQ(call(Operation::DoWalking, {0, 0, 100, 0}), -1) << "a flat robot neither walks";
    EXPECT_EQ(call(Operation::SetPosture, {1, 0}), -1) << "nor sits";
    EXPECT_EQ(call(Operation::GetBatteryLevel), 0);
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

// At each limit, then one past it.
TEST_F(VirtualRobotModel, HeadFollowsTheAnglesSentWithinItsRange)
{
    for (const auto &[pan, tilt, held] : {std::tuple{-90, 15, std::pair(-90.0, 15.0)}, std::tuple{-91, 16, std::pair(-90.0, 15.0)},
                                          std::tuple{90, -45, std::pair(90.0, -45.0)}, std::tuple{91, -46, std::pair(90.0, -45.0)}}) {
        call(Operation::ChangeHeadAngle, {pan, tilt, 3, 0});
        wait(2s);
        EXPECT_EQ(std::pair(m_robot.headPan(), m_robot.headTilt()), held) << pan << ", " << tilt;
    }
    EXPECT_NEAR(m_robot.scene().camera.yaw, 90, 1e-9);
}

TEST_F(VirtualRobotModel, ThingsPutDownByHandMustFitTheRoomTheBoneIsCarriedAndResetPutsThemBack)
{
    using vr::Misplacement;
    using vr::Thing;
    const auto place = [this](Thing thing, double x, double y) { return m_robot.place({thing, vr::Vec2{x, y}, {}}); };
    const double ball = vr::room::kBallRadius;
    EXPECT_EQ(place(Thing::Ball, ball, 1000), std::nullopt) << "touching the wall";
    EXPECT_EQ(place(Thing::Ball, ball - 1, 1000), Misplacement::InWall);
    EXPECT_EQ(place(Thing::Ball, -1, 1000), Misplacement::OutsideRoom);
    EXPECT_EQ(place(Thing::Ball, 1000, vr::room::kDepth + 1), Misplacement::OutsideRoom);
    EXPECT_EQ(place(Thing::Bone, 1050, 2580), Misplacement::InWall) << "against the station's back plate";
    EXPECT_EQ(place(Thing::Robot, 3500, 1000), Misplacement::InWall);
    EXPECT_DOUBLE_EQ(m_robot.scene().ball.position.x, ball) << "a refused drop moves nothing";
    EXPECT_DOUBLE_EQ(m_robot.pose().x, vr::kRobotStart.x);
    call(Operation::PlayContents, {vaibo::mwcid::kTakeBone, 1});
    wait(3s);
    EXPECT_FALSE(m_robot.holdingBone()) << "out of reach at the start";

    // A robot put down facing west, then the bone before its feet: it takes
    // it, turns with it and puts it down.
    call(Operation::DoWalking, {0, 0, 0, 0});
    EXPECT_EQ(m_robot.place({Thing::Robot, vr::Vec2{1000, 800}, 180.0}), std::nullopt);
    EXPECT_FALSE(m_robot.walking());
    EXPECT_EQ(m_robot.place({Thing::Bone, std::nullopt, std::nullopt}), std::nullopt);
    EXPECT_NEAR(m_robot.scene().bone.position.x, 770, 1e-9);
    call(Operation::PlayContents, {vaibo::mwcid::kTakeBone, 1});
    wait(3s);
    ASSERT_TRUE(m_robot.holdingBone());
    call(Operation::DoWalking, {4, 90, 0, 0});
    wait(3s);
    EXPECT_NEAR(m_robot.pose().heading, -90, 1e-6) << "left is positive, from west to south";
    EXPECT_LT(m_robot.scene().bone.position.y, m_robot.pose().y - 100);
    call(Operation::PlayContents, {vaibo::mwcid::kPutBone, 0});
    wait(3s);
    EXPECT_FALSE(m_robot.holdingBone());
    EXPECT_DOUBLE_EQ(m_robot.scene().bone.height, vr::room::kBoneKnobRadius);
    // The ball before its feet is kicked away.
    EXPECT_EQ(m_robot.place({Thing::Ball, std::nullopt, std::nullopt}), std::nullopt);
    const double before = m_robot.scene().ball.position.x;
    call(Operation::PlayContents, {vaibo::mwcid::kRightFrontKick, 0});
    wait(3s);
    EXPECT_GT(std::abs(m_robot.scene().ball.position.x - before), 100);
    // Facing the west wall from near it, there is no room in front.
    EXPECT_EQ(m_robot.place({Thing::Robot, vr::Vec2{300, 800}, 180.0}), std::nullopt);
    EXPECT_EQ(m_robot.place({Thing::Ball, std::nullopt, std::nullopt}), Misplacement::InWall);

    m_robot.resetRoom();
    EXPECT_DOUBLE_EQ(m_robot.pose().x, vr::kRobotStart.x);
    EXPECT_DOUBLE_EQ(m_robot.scene().ball.position.x, vr::kBallStart.position.x);
    EXPECT_DOUBLE_EQ(m_robot.scene().bone.position.y, vr::kBoneStart.position.y);
}
