#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"
#include "res/strings.h"
#include "toolkit/widgets/controls.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// Every command button and both head sliders, clicked through the window,
// with the robot's trace as the record of what reached it.
namespace {

using Texts = std::vector<std::string>;

struct Button
{
    const char *name;
    int id;
    Texts calls;
    /// The status text afterwards; none where the button writes nothing.
    std::optional<std::string> status;
    Texts pauses = {};
};

const std::vector<Button> kButtons{
    {"Stand", IDC_STAND, {"SetPosture(0, 0)"}, res::kStandSent},
    {"Sit", IDC_SIT, {"SetPosture(1, 0)"}, res::kSitSent},
    {"LieDown", IDC_LIE_DOWN, {"SetPosture(2, 0)"}, res::kLieDownSent},
    {"Stop", IDC_STOP, {"MotionStop()"}, res::kStopDone},
    {"Forward", IDC_FORWARD, {"DoWalking(0, 0, 1000, 0)"}, res::kForwardSent},
    {"WalkStop", IDC_WALK_STOP, {"MotionStop()", "SetPosture(0, 0)"}, res::kStopDone},
    {"Back", IDC_BACK, {"DoWalking(1, 0, 1000, 0)"}, res::kBackSent},
    {"Right90", IDC_RIGHT90, {"DoWalking(7, 90, 0, 0)"}, res::kTurnRightSent},
    {"Left90", IDC_LEFT90, {"DoWalking(4, 90, 0, 0)"}, res::kTurnLeftSent},
    {"Right45", IDC_RIGHT45, {"DoWalking(7, 45, 0, 0)"}, res::kTurnRightSent},
    {"Left45", IDC_LEFT45, {"DoWalking(4, 45, 0, 0)"}, res::kTurnLeftSent},
    {"Right180", IDC_RIGHT180, {"DoWalking(7, 180, 0, 0)"}, res::kTurnRightSent},
    {"Left180", IDC_LEFT180, {"DoWalking(4, 180, 0, 0)"}, res::kTurnLeftSent},
    {"LeftFrontKick", IDC_LEFT_FRONT_KICK, {"PlayContents(3142, 0)"}, res::kLeftKickSent},
    {"Heading", IDC_HEADING, {"DoHeader(0, 0)"}, res::kHeadingSent},
    {"RightFrontKick", IDC_RIGHT_FRONT_KICK, {"PlayContents(3141, 0)"}, res::kRightKickSent},
    {"RightBackKick", IDC_RIGHT_BACK_KICK, {"PlayContents(3143, 0)"}, res::kRightBackKickSent},
    {"LeftBackKick", IDC_LEFT_BACK_KICK, {"PlayContents(3144, 0)"}, res::kLeftBackKickSent},
    {"GasAttack", IDC_GAS_ATTACK, {"PlayContents(3000, 0)"}, res::kGasAttackSent},
    {"BoneGrab", IDC_BONE_GRAB, {"PlayContents(2894, 1)"}, std::nullopt},
    {"BonePlay",
     IDC_BONE_PLAY,
     {"PlayContents(2904, 1)", "PlayContents(2922, 1)", "PlayContents(2921, 1)", "PlayContents(3098, 1)",
      "PlayContents(3129, 0)"},
     std::nullopt,
     {"Sleep(5000)"}},
};

class EndToEndCommands : public EndToEndTest
{
protected:
    void SetUp() override
    {
        EndToEndTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(connectPanel());
        pauses.clear();
    }

    /// Clicks a control and returns the calls that reached the robot.
    Texts clickAndTrace(int id)
    {
        const std::size_t before = robot->operations().size();
        panel->click(id);
        return commandCalls(operationsFrom(before));
    }
};

TEST_F(EndToEndCommands, EveryButtonReachesTheRobotWithItsArgumentsAndReports)
{
    for (const Button &button : kButtons) {
        SCOPED_TRACE(button.name);
        const std::string before = panel->status();
        const std::size_t first = robot->operations().size();
        pauses.clear();

        EXPECT_EQ(clickAndTrace(button.id), button.calls);

        EXPECT_EQ(panel->status(), button.status.value_or(before));
        EXPECT_EQ(pauses, button.pauses);
        for (const RobotOperation &operation : operationsFrom(first))
            EXPECT_EQ(operation.result, 0) << operation.call();
    }
}

TEST_F(EndToEndCommands, TheRobotsResultsDecideTheStatusTextAndBonePlayRepeatsARefusedStep)
{
    ASSERT_NO_FATAL_FAILURE(command(QStringLiteral("result SetPosture=-1")));
    EXPECT_EQ(clickAndTrace(IDC_STAND), (Texts{"SetPosture(0, 0)"}));
    EXPECT_EQ(panel->status(), res::kCommandFailed);

    ASSERT_NO_FATAL_FAILURE(command(QStringLiteral("heal")));
    ASSERT_NO_FATAL_FAILURE(command(QStringLiteral("result MotionStop=5")));
    EXPECT_EQ(clickAndTrace(IDC_STOP), (Texts{"MotionStop()"}));
    EXPECT_EQ(panel->status(), res::kStopDone) << "the stop above the tabs takes any result of 0 or more";
    EXPECT_EQ(clickAndTrace(IDC_WALK_STOP), (Texts{"MotionStop()", "SetPosture(0, 0)"}));
    EXPECT_EQ(panel->status(), res::kCommandFailed) << "the walking page's stop wants exactly 0";

    ASSERT_NO_FATAL_FAILURE(command(QStringLiteral("result PlayContents=-1,ok")));
    EXPECT_EQ(clickAndTrace(IDC_BONE_PLAY),
              (Texts{"PlayContents(2904, 1)", "PlayContents(2904, 1)", "PlayContents(2922, 1)", "PlayContents(2921, 1)",
                     "PlayContents(3098, 1)", "PlayContents(3129, 0)"}));
}

TEST_F(EndToEndCommands, EveryScrollOfEitherSliderReachesTheRobotWithBothAngles)
{
    // For each notification a slider raises, the call the panel should make:
    // both negated positions as they stand at that moment.
    Texts expected;
    for (const int id : {IDC_PAN, IDC_TILT}) {
        auto *slider = panel->window().item<tk::Trackbar>(id);
        QObject::connect(slider, &tk::Trackbar::scrolled, slider, [&](int) {
            const int pan = panel->window().item<tk::Trackbar>(IDC_PAN)->position();
            const int tilt = panel->window().item<tk::Trackbar>(IDC_TILT)->position();
            expected.push_back("ChangeHeadAngle(" + std::to_string(-pan) + ", " + std::to_string(-tilt) + ", 3, 0)");
        });
    }
    const std::size_t before = robot->operations().size();

    // A click in the pan channel's left end pages the thumb toward it.
    panel->clickAt(IDC_PAN, QPoint(4, panel->control(IDC_PAN)->height() / 2));
    // The tilt thumb dragged past the bottom end.
    const auto *tilt = panel->window().item<tk::Trackbar>(IDC_TILT);
    const QPoint thumb = tilt->thumbRect().center();
    std::vector<QPoint> path;
    for (int y = thumb.y(); y <= tilt->height() + 20; y += 3)
        path.emplace_back(thumb.x(), y);
    panel->drag(IDC_TILT, path);

    ASSERT_GE(expected.size(), 6u) << "a page step and a drag of several moves";
    EXPECT_EQ(expected.front(), "ChangeHeadAngle(2, 0, 3, 0)");
    EXPECT_EQ(expected.back(), "ChangeHeadAngle(2, -45, 3, 0)");
    EXPECT_EQ(commandCalls(operationsFrom(before)), expected);
    EXPECT_EQ(panel->status(), "HeadAngle=( 2°, -45°)");
}

} // namespace
