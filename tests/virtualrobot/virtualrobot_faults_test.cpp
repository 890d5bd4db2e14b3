#include "virtualrobot/model/faultplan.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vr::FaultPlan;
using vr::Operation;

TEST(VirtualRobotFaults, AnswerSequencesAreUsedInTurnAndTheirLastEntryRepeats)
{
    FaultPlan plan;
    EXPECT_FALSE(plan.takeAnswer(Operation::SetPosture).has_value());
    EXPECT_EQ(plan.addAnswerRule("ExternalControl=0"), "");
    EXPECT_EQ(plan.addAnswerRule("playcontents=-1,5,ok"), "");
    EXPECT_EQ(plan.addAnswerRule("MotionStop=1,2"), "");
    const std::optional<int> none;
    for (const std::optional<int> expected : {std::optional(-1), std::optional(5), none, none}) {
        EXPECT_EQ(plan.takeAnswer(Operation::PlayContents), expected);
        EXPECT_EQ(plan.takeAnswer(Operation::ExternalControl), 0);
    }
    EXPECT_FALSE(plan.takeAnswer(Operation::GetBatteryLevel).has_value());
    EXPECT_EQ(plan.takeAnswer(Operation::MotionStop), 1);
    plan.addAnswerRule("MotionStop=7,8");
    EXPECT_EQ(plan.takeAnswer(Operation::MotionStop), 7) << "a new rule starts afresh";
    EXPECT_EQ(plan.takeAnswer(Operation::MotionStop), 8);
}

TEST(VirtualRobotFaults, BadRulesAreRejectedWithAReason)
{
    FaultPlan plan;
    for (const char *rule : {"SetPosture", "=1", "SetPosture=1,,2", "SetPosture=x", "SetPosture=99999999999"})
        EXPECT_NE(plan.addAnswerRule(rule), "") << rule;
    EXPECT_NE(plan.addAnswerRule("Fly=1").find("Fly"), std::string::npos);
    EXPECT_FALSE(plan.takeAnswer(Operation::SetPosture).has_value());
    for (const char *rule : {"DoWalking=-5", "Jump=5", "300"})
        EXPECT_NE(plan.addDelayRule(rule), "") << rule;
    EXPECT_EQ(plan.delay(Operation::DoWalking), 0ms);
}
