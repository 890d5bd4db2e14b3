#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"

#include <utility>

using Calls = std::vector<std::string>;

namespace {

class Battery : public PanelTest
{
protected:
    void tick(int id = 1) { panel->dispatch({.kind = tk::EventKind::Timer, .id = id}); }
    int barPosition() const { return panel->item<tk::ProgressBar>(IDC_BATTERY_BAR).position(); }
};

} // namespace

TEST_F(Battery, AReadingShowsAsFigureAndBar)
{
    openPanel();
    goOnline();
    robot->script("GetBatteryLevel", {57, -1, 120});
    for (const auto &[figure, bar] : {std::pair{"57", 57}, std::pair{"-1", 0}, std::pair{"120", 100}}) {
        tick();
        EXPECT_EQ(text(IDC_BATTERY_FIGURE), figure);
        EXPECT_EQ(barPosition(), bar) << figure;
    }
    EXPECT_EQ(robot->calls, (Calls{"GetBatteryLevel()", "GetBatteryLevel()", "GetBatteryLevel()"}));
}

TEST_F(Battery, NoReadingUnlessOnline)
{
    openPanel();
    tick();
    click(IDC_CONNECT);
    ASSERT_EQ(panel->linkState(), robotlink::LinkState::Connecting);
    tick();
    goOnline();
    robot->script("GetBatteryLevel", {57});
    tick();
    click(IDC_DISCONNECT);
    ASSERT_EQ(panel->linkState(), robotlink::LinkState::Disconnecting);
    robot->calls.clear();
    tick();
    EXPECT_TRUE(robot->calls.empty());
    // The last reading stays on show until the link is down.
    EXPECT_EQ(text(IDC_BATTERY_FIGURE), "57");
    post(robotlink::kDisconnectMessageId);
    tick();
    EXPECT_EQ(text(IDC_BATTERY_FIGURE), "");
    EXPECT_EQ(barPosition(), 0);
    EXPECT_TRUE(robot->calls.empty());
}
