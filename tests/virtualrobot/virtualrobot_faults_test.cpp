#include "virtualrobot/model/faultplan.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vr::FaultPlan;
using vr::Operation;

TEST(VirtualRobotFaults, HealthyByDefault)
{
    FaultPlan plan;
    EXPECT_FALSE(plan.takeAnswer(Operation::SetPosture).has_value());
    EXPECT_EQ(plan.delay(Operation::SetPosture), 0ms);
}

TEST(VirtualRobotFaults, SingleResultRepeatsForever)
{
    FaultPlan plan;
    EXPECT_EQ(plan.addAnswerRule("ExternalControl=0"), "");
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(plan.takeAnswer(Operation::ExternalControl), 0);
    EXPECT_FALSE(plan.takeAnswer(Operation::GetBatteryLevel).has_value());
}

TEST(VirtualRobotFaults, SequenceIsUsedInTurnAndItsLastEntryRepeats)
{
    FaultPlan plan;
    EXPECT_EQ(plan.addAnswerRule("playcontents=-1,5,ok"), "");
    EXPECT_EQ(plan.takeAnswer(Operation::PlayContents), -1);
    EXPECT_EQ(plan.takeAnswer(Operation::PlayContents), 5);
    EXPECT_FALSE(plan.takeAnswer(Operation::PlayContents).has_value());
    EXPECT_FALSE(plan.takeAnswer(Operation::PlayContents).has_value());
}

TEST(VirtualRobotFaults, NewRuleStartsItsSequenceAfresh)
{
    FaultPlan plan;
    plan.addAnswerRule("MotionStop=1,2");
    EXPECT_EQ(plan.takeAnswer(Operation::MotionStop), 1);
    plan.addAnswerRule("MotionStop=7,8");
    EXPECT_EQ(plan.takeAnswer(Operation::MotionStop), 7);
    EXPECT_EQ(plan.takeAnswer(Operation::MotionStop), 8);
}

TEST(VirtualRobotFaults, BadAnswerRulesAreRejectedWithAReason)
{
    FaultPlan plan;
    EXPECT_NE(plan.addAnswerRule("SetPosture"), "");
    EXPECT_NE(plan.addAnswerRule("=1"), "");
    EXPECT_NE(plan.addAnswerRule("Fly=1").find("Fly"), std::string::npos);
    EXPECT_NE(plan.addAnswerRule("SetPosture=1,,2"), "");
    EXPECT_NE(plan.addAnswerRule("SetPosture=x"), "");
    EXPECT_NE(plan.addAnswerRule("SetPosture=99999999999"), "");
    EXPECT_FALSE(plan.takeAnswer(Operation::SetPosture).has_value());
}

TEST(VirtualRobotFaults, DelaysPerOperationAndForAll)
{
    FaultPlan plan;
    EXPECT_EQ(plan.addDelayRule("all=20"), "");
    EXPECT_EQ(plan.addDelayRule("DoWalking=300"), "");
    EXPECT_EQ(plan.delay(Operation::DoWalking), 300ms);
    EXPECT_EQ(plan.delay(Operation::SendCmd), 20ms);
    EXPECT_NE(plan.addDelayRule("DoWalking=-5"), "");
    EXPECT_NE(plan.addDelayRule("Jump=5"), "");
    EXPECT_NE(plan.addDelayRule("300"), "");
    plan.clear();
    EXPECT_EQ(plan.delay(Operation::DoWalking), 0ms);
}
