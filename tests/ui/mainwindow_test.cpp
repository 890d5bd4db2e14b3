#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"
#include "toolkit/core/windowmessages.h"
#include "framework/vaibomessages.h"

#include <functional>
#include <tuple>
#include <utility>

using Calls = std::vector<std::string>;

namespace {

class MainWindow : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        openPanel();
    }
};

} // namespace

TEST(MainWindowStartUp, TheSeventeenMessagesAreRegisteredBeforeAnythingRuns)
{
    const std::vector<std::string> registered = tk::registeredMessageNames();
    for (std::size_t i = 0; i < vaibo::kMessageNames.size(); ++i) {
        const char *name = vaibo::kMessageNames[i];
        EXPECT_NE(std::find(registered.begin(), registered.end(), name), registered.end()) << name;
        EXPECT_EQ(tk::registerWindowMessage(name), robotlink::kVaiboMessageIds[i]) << name;
    }
    EXPECT_EQ(robotlink::kConnectMessageId, tk::registerWindowMessage("SonyERCVAIBOConnect"));
    EXPECT_EQ(robotlink::kDisconnectMessageId, tk::registerWindowMessage("SonyERCVAIBODisconnect"));
    EXPECT_EQ(robotlink::kImageUpdateMessageId, tk::registerWindowMessage("SonyERCImageTPUpdate"));
}

TEST_F(MainWindow, OpensInItsInitialState)
{
    EXPECT_FALSE(isEnabled(IDC_DISCONNECT));
    EXPECT_EQ(text(IDC_LINK_INDICATOR), "OFFLINE");
    EXPECT_FALSE(isVisible(IDC_CONTENT_LIST));
    for (const auto &[id, low, high] : {std::tuple{IDC_PAN, -90, 90}, std::tuple{IDC_TILT, -15, 45}}) {
        const auto slider = panel->item<tk::Trackbar>(id);
        EXPECT_EQ(std::pair(slider.rangeMin(), slider.rangeMax()), std::pair(low, high)) << id;
    }
    EXPECT_EQ(batteryPeriod, 5000u) << "the battery reading";
    EXPECT_EQ(panel->item<tk::ProgressBar>(IDC_BATTERY_BAR).high(), 100);
    EXPECT_TRUE(robot->calls.empty());
}

TEST_F(MainWindow, ExitEscapeAndTheCloseBoxCloseWithCancelAndSendNothing)
{
    const std::vector<std::pair<const char *, std::function<void()>>> ways{
        {"exit", [this] { click(IDCANCEL); }},
        {"escape", [this] { focus(IDC_STATUS); pressKey(Key::Escape); }},
        {"close box", [this] { clickCloseBox(); }},
    };
    for (const auto &[name, close] : ways) {
        openPanel();
        goOnline();
        close();
        EXPECT_FALSE(isOpen()) << name;
        EXPECT_EQ(panel->result(), IDCANCEL) << name;
        EXPECT_TRUE(robot->calls.empty()) << name;
    }
}
