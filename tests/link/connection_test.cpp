#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"

using robotlink::LinkState;
using Calls = std::vector<std::string>;

namespace {

class Connection : public PanelTest
{
protected:
    tk::IpAddressField addressBox() const { return panel->item<tk::IpAddressField>(IDC_ADDRESS); }

    void expectButtons(bool connect, bool disconnect, const char *indicator)
    {
        EXPECT_EQ(isEnabled(IDC_CONNECT), connect);
        EXPECT_EQ(isEnabled(IDC_DISCONNECT), disconnect);
        EXPECT_EQ(text(IDC_LINK_INDICATOR), indicator);
    }

    void requestConnection(std::array<int, 4> address)
    {
        addressBox().setAddress(address);
        click(IDC_CONNECT);
    }
};

} // namespace

TEST_F(Connection, AnyNonNegativeResultAcceptsTheRequestAndRemembersTheAddress)
{
    for (const int result : {0, 7}) {
        openPanel();
        robot->script("Connect", {result});
        requestConnection({127, 0, 0, result});
        const std::string address = "127.0.0." + std::to_string(result);
        EXPECT_EQ(robot->calls, (Calls{"Connect(" + address + ", null, null)"}));
        EXPECT_EQ(statusText(), "接続要求中");
        EXPECT_EQ(panel->linkState(), LinkState::Connecting);
        expectButtons(false, false, "OFFLINE");
        EXPECT_EQ(readFile("zenkaiip.txt"), address);
    }
}

TEST_F(Connection, EachConnectedNotificationAsksForRemoteControlAfterAPause)
{
    openPanel();
    requestConnection({127, 0, 0, 1});
    robot->calls.clear();
    std::string statusDuringPause;
    onSleep([&] { statusDuringPause = statusText(); });
    robot->script("GetStateImageTP", {0});
    post(robotlink::kConnectMessageId);

    EXPECT_EQ(panel->linkState(), LinkState::Online);
    expectButtons(false, true, "ONLINE");
    EXPECT_EQ(statusDuringPause, "接続完了");
    const std::vector<std::string> expected{"接続要求中", "接続完了", "リモート移行完了",
                                            "SendCmd(APPCMD_IMAGE_PLAY)成功"};
    EXPECT_EQ(statusHistory, expected);
}

TEST_F(Connection, RefusedRemoteControlStaysOnlineWithoutPictures)
{
    for (int refusal : {0, -1}) {
        openPanel();
        robot->script("ExternalControl", {refusal});
        post(robotlink::kConnectMessageId);
        EXPECT_EQ(robot->calls, (Calls{"Sleep(500)", "ExternalControl(1)"})) << refusal;
        EXPECT_EQ(statusText(), "リモート移行失敗");
        EXPECT_EQ(panel->linkState(), LinkState::Online);
        EXPECT_EQ(text(IDC_LINK_INDICATOR), "ONLINE");

        robot->calls.clear();
        click(IDC_STAND);
        EXPECT_EQ(robot->calls, (Calls{"SetPosture(0, 0)"}));
    }
}

TEST_F(Connection, DisconnectRequestWaitsForTheNotificationUnlessRefused)
{
    for (const int result : {-1, 1, 0}) {
        openPanel();
        requestConnection({127, 0, 0, 1});
        goOnline();
        robot->script("Disconnect", {result});
        click(IDC_DISCONNECT);
        EXPECT_EQ(robot->calls, (Calls{"Disconnect()"}));
        if (result != 0) {
            EXPECT_EQ(statusText(), "切断要求失敗") << result;
            EXPECT_EQ(panel->linkState(), LinkState::Online);
            expectButtons(false, true, "ONLINE");
            continue;
        }
        EXPECT_EQ(statusText(), "切断要求中");
        EXPECT_EQ(panel->linkState(), LinkState::Disconnecting);
        expectButtons(false, false, "ONLINE");
        post(robotlink::kDisconnectMessageId);
        EXPECT_EQ(panel->linkState(), LinkState::Offline);
        EXPECT_EQ(statusText(), "切断完了");
        expectButtons(true, false, "OFFLINE");
    }
}

// A link the robot ended, not the panel: 切断 was never disabled, so both
// buttons stay enabled.
TEST_F(Connection, ADisconnectionThePanelDidNotAskForLeavesBothButtonsEnabled)
{
    openPanel();
    goOnline();
    post(robotlink::kDisconnectMessageId);
    EXPECT_EQ(panel->linkState(), LinkState::Offline);
    EXPECT_EQ(statusText(), "切断完了");
    expectButtons(true, true, "OFFLINE");
}

TEST_F(Connection, AddressBoxShowsTheRememberedAddress)
{
    openPanel();
    EXPECT_EQ(addressBox().filledFields(), 0) << "blank without a file";
    struct Case
    {
        std::string content;
        std::array<int, 4> fields;
        int filled;
    };
    const std::vector<Case> cases{
        {"10.0.0.1\n", {10, 0, 0, 1}, 4},
        {"10.20", {10, 20, 0, 0}, 2},
        {"", {0, 0, 0, 0}, 0},
    };
    for (const Case &c : cases) {
        writeFile("zenkaiip.txt", c.content);
        openPanel();
        EXPECT_EQ(addressBox().address(), c.fields) << c.content;
        EXPECT_EQ(addressBox().filledFields(), c.filled) << c.content;
    }
}
