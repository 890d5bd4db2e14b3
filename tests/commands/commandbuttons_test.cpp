#include "tests/support/panelfixture.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using robotlink::LinkState;
using Calls = std::vector<std::string>;

namespace {

constexpr const char *kFailed = "コマンド送信失敗";

// How a button judges the result of its (first) call.
enum class Judgement { AtLeastZero, ExactlyZero, NotExamined };

struct Button
{
    int id;
    const char *name;
    const char *operation; // the call whose result is judged
    Calls calls;
    Judgement judgement;
    const char *successText; // nullptr: the status line is not touched
};

void PrintTo(const Button &button, std::ostream *out)
{
    *out << button.id << " " << button.name;
}

const std::vector<Button> &buttons()
{
    using enum Judgement;
    static const std::vector<Button> table{
        {IDC_STAND, "Stand", "SetPosture", {"SetPosture(0, 0)"}, AtLeastZero, "コマンド（立つ）送信"},
        {IDC_SIT, "Sit", "SetPosture", {"SetPosture(1, 0)"}, AtLeastZero, "コマンド（座る）送信"},
        {IDC_LIE_DOWN, "LieDown", "SetPosture", {"SetPosture(2, 0)"}, AtLeastZero, "コマンド（伏せる）送信"},
        {IDC_STOP, "Stop", "MotionStop", {"MotionStop()"}, AtLeastZero, "コマンド（停止）成功"},
        {IDC_FORWARD, "Forward", "DoWalking", {"DoWalking(0, 0, 1000, 0)"}, AtLeastZero, "コマンド（前進）送信"},
        {IDC_WALK_STOP, "WalkStop", "MotionStop", {"MotionStop()", "SetPosture(0, 0)"}, ExactlyZero, "コマンド（停止）成功"},
        {IDC_BACK, "Back", "DoWalking", {"DoWalking(1, 0, 1000, 0)"}, AtLeastZero, "コマンド（後退）送信"},
        {IDC_RIGHT90, "Right90", "DoWalking", {"DoWalking(7, 90, 0, 0)"}, AtLeastZero, "コマンド（右旋回）送信"},
        {IDC_LEFT90, "Left90", "DoWalking", {"DoWalking(4, 90, 0, 0)"}, AtLeastZero, "コマンド（左旋回）送信"},
        {IDC_RIGHT45, "Right45", "DoWalking", {"DoWalking(7, 45, 0, 0)"}, AtLeastZero, "コマンド（右旋回）送信"},
        {IDC_LEFT45, "Left45", "DoWalking", {"DoWalking(4, 45, 0, 0)"}, AtLeastZero, "コマンド（左旋回）送信"},
        {IDC_RIGHT180, "Right180", "DoWalking", {"DoWalking(7, 180, 0, 0)"}, AtLeastZero, "コマンド（右旋回）送信"},
        {IDC_LEFT180, "Left180", "DoWalking", {"DoWalking(4, 180, 0, 0)"}, AtLeastZero, "コマンド（左旋回）送信"},
        {IDC_LEFT_FRONT_KICK, "LeftFrontKick", "PlayContents", {"PlayContents(3142, 0)"}, AtLeastZero, "コマンド（左キック）送信"},
        {IDC_HEADING, "Heading", "DoHeader", {"DoHeader(0, 0)"}, AtLeastZero, "コマンド（ヘディング）送信"},
        {IDC_RIGHT_FRONT_KICK, "RightFrontKick", "PlayContents", {"PlayContents(3141, 0)"}, AtLeastZero, "コマンド（右キック）送信"},
        {IDC_RIGHT_BACK_KICK, "RightBackKick", "PlayContents", {"PlayContents(3143, 0)"}, AtLeastZero, "コマンド(右後キック)送信"},
        {IDC_LEFT_BACK_KICK, "LeftBackKick", "PlayContents", {"PlayContents(3144, 0)"}, AtLeastZero, "コマンド(左後キック)送信"},
        {IDC_GAS_ATTACK, "GasAttack", "PlayContents", {"PlayContents(3000, 0)"}, AtLeastZero, "コマンド(おなら)送信"},
        {IDC_BONE_GRAB, "BoneGrab", "PlayContents", {"PlayContents(2894, 1)"}, NotExamined, nullptr},
    };
    return table;
}

// The status line from an earlier action, which a button must either
// replace or leave alone.
class CommandButtons : public PanelTest
{
protected:
    void openOnline()
    {
        openPanel();
        goOnline();
        m_before = statusText();
        ASSERT_FALSE(m_before.empty());
    }

    std::string m_before;
};

class EachButton : public CommandButtons, public ::testing::WithParamInterface<std::tuple<Button, int>>
{
};

TEST_P(EachButton, SendsItsCallAndJudgesTheResult)
{
    const auto &[button, result] = GetParam();
    openOnline();
    ASSERT_TRUE(isVisible(button.id)) << "shown on the walking page at start";
    robot->setDefault(button.operation, result);

    click(button.id);

    EXPECT_EQ(robot->calls, button.calls);
    switch (button.judgement) {
    case Judgement::AtLeastZero:
        EXPECT_EQ(statusText(), result >= 0 ? button.successText : kFailed);
        break;
    case Judgement::ExactlyZero:
        EXPECT_EQ(statusText(), result == 0 ? button.successText : kFailed);
        break;
    case Judgement::NotExamined:
        EXPECT_EQ(statusText(), m_before);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, EachButton, ::testing::Combine(::testing::ValuesIn(buttons()), ::testing::Values(-1, 0, 1)),
                         [](const auto &test) {
                             const int result = std::get<1>(test.param);
                             return std::string(std::get<0>(test.param).name)
                                    + (result < 0 ? "Negative" : result == 0 ? "Zero" : "Positive");
                         });

TEST_F(CommandButtons, WalkingStopWritesTheStatusBetweenItsTwoCalls)
{
    openOnline();
    logStatusChanges();
    robot->script("MotionStop", {-1, 0});

    click(IDC_WALK_STOP);
    click(IDC_WALK_STOP);

    EXPECT_EQ(robot->calls, (Calls{"MotionStop()", "Status(コマンド送信失敗)", "SetPosture(0, 0)", "MotionStop()",
                                   "Status(コマンド（停止）成功)", "SetPosture(0, 0)"}));
}

// Each step repeats once when its first call did not answer 0, whatever the
// repeat gives; one pause separates 2922 from 2921 and the final throw is
// made once. The status line is left alone.
TEST_F(CommandButtons, BonePlayRunsItsSequence)
{
    const std::vector<std::pair<std::vector<int>, Calls>> cases{
        {{},
         {"PlayContents(2904, 1)", "PlayContents(2922, 1)", "Sleep(5000)", "PlayContents(2921, 1)",
          "PlayContents(3098, 1)", "PlayContents(3129, 0)"}},
        {{-1, -1, 1, 1, -5, 7, 3, -3, -1},
         {"PlayContents(2904, 1)", "PlayContents(2904, 1)", "PlayContents(2922, 1)", "PlayContents(2922, 1)",
          "Sleep(5000)", "PlayContents(2921, 1)", "PlayContents(2921, 1)", "PlayContents(3098, 1)",
          "PlayContents(3098, 1)", "PlayContents(3129, 0)"}},
    };
    for (const auto &[results, calls] : cases) {
        openOnline();
        for (const int result : results)
            robot->script("PlayContents", {result});
        click(IDC_BONE_PLAY);
        EXPECT_EQ(robot->calls, calls);
        EXPECT_EQ(statusText(), m_before);
    }
}

TEST_F(CommandButtons, AClickSendsNothingAndKeepsTheStatusWhileNotOnline)
{
    openPanel();
    enterLinkState(LinkState::Disconnecting);
    const std::string before = statusText();
    for (const Button &button : buttons()) {
        click(button.id);
        EXPECT_EQ(robot->calls, Calls{}) << button.name << ": no call and no pause";
        EXPECT_EQ(statusText(), before) << button.name;
    }
    click(IDC_BONE_PLAY);
    EXPECT_EQ(robot->calls, Calls{}) << "bone play";
}

} // namespace
