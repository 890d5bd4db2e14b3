#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"
#include "res/strings.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Connecting and disconnecting through the window, with the robot's trace as
// the record of what reached it.
namespace {

using Texts = std::vector<std::string>;
using EndToEndConnection = EndToEndTest;

TEST_F(EndToEndConnection, ConnectGoesOnlineAndRunsTheWholeStartSequence)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());

    EXPECT_EQ(panel->statusHistory,
              (Texts{res::kConnectRequested, res::kConnected, res::kRemoteGranted, res::kImageInitOk,
                     res::kImageOpenOk, res::kNetServiceOk, res::kImagePlayOk, res::kImageSetParamOk}));
    EXPECT_EQ(pauses, (Texts{"Sleep(500)", "Sleep(500)", "Sleep(500)"}));
    EXPECT_FALSE(panel->isEnabled(IDC_CONNECT));
    EXPECT_TRUE(panel->isEnabled(IDC_DISCONNECT));
    EXPECT_EQ(commandCalls(robot->operations()),
              (Texts{"ExternalControl(1)", "ImageInit()", "ImageOpen()", "RequestNetService(2)",
                     "SendCmd(33, 1, 0, 0, 0, 0)", "SendCmd(35, 1, 1, 3, 0, 0)"}));
    for (const RobotOperation &operation : robot->operations()) {
        if (operation.name != "GetBatteryLevel") {
            EXPECT_EQ(operation.result, operation.name == "ExternalControl" || operation.name == "RequestNetService")
                << operation.call();
        }
    }
    EXPECT_EQ(robot->count(QStringLiteral("welcome")), 1);
    // The last text is wider than the status line, which shows its beginning.
    const auto *status = panel->window().item<QLineEdit>(IDC_STATUS);
    ASSERT_GT(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width());
    EXPECT_EQ(status->cursorPosition(), 0);
}

TEST_F(EndToEndConnection, RefusedRemoteControlStaysOnlineWithoutPicturesAndCommandsStillWork)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel({QStringLiteral("--result"), QStringLiteral("ExternalControl=0")}));

    EXPECT_EQ(panel->status(), res::kRemoteRefused);
    EXPECT_EQ(panel->linkIndicator(), res::kOnline);
    EXPECT_EQ(panel->window().linkState(), robotlink::LinkState::Online);
    EXPECT_EQ(commandCalls(robot->operations()), (Texts{"ExternalControl(1)"}));

    panel->click(IDC_SIT);
    EXPECT_EQ(panel->status(), "コマンド（座る）送信");
    ASSERT_FALSE(robot->operations().empty());
    EXPECT_EQ(robot->operations().back().call(), "SetPosture(1, 0)");
    EXPECT_EQ(robot->operations().back().result, 0);
    EXPECT_EQ(robot->count(QStringLiteral("frame")), 0) << "no pictures without remote control";
}

TEST_F(EndToEndConnection, DisconnectEndsTheLinkWithByeAndASecondConnectionOnlyRestartsThePictures)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());
    ASSERT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("frame")) > 0; }));
    panel->tickBattery();
    ASSERT_FALSE(panel->text(IDC_BATTERY_FIGURE).empty());

    const std::size_t shown = panel->statusHistory.size();
    panel->click(IDC_DISCONNECT);
    ASSERT_GT(panel->statusHistory.size(), shown);
    ASSERT_EQ(panel->statusHistory[shown], res::kDisconnectRequested);
    ASSERT_TRUE(waitForDisconnected(*panel)) << "status: " << panel->status();
    EXPECT_TRUE(panel->isEnabled(IDC_CONNECT));
    EXPECT_FALSE(panel->isEnabled(IDC_DISCONNECT));
    EXPECT_EQ(panel->text(IDC_BATTERY_FIGURE), "");
    EXPECT_EQ(panel->batteryBar(), 0);
    ASSERT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("close")) == 1; }));
    EXPECT_TRUE(closeReason().startsWith(QLatin1String("peer said Bye"))) << closeReason().toStdString();

    const std::size_t before = robot->operations().size();
    pauses.clear();
    panel->statusHistory.clear();
    ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
    EXPECT_EQ(commandCalls(operationsFrom(before)), (Texts{"ExternalControl(1)", "SendCmd(33, 1, 0, 0, 0, 0)"}));
    EXPECT_EQ(panel->statusHistory,
              (Texts{res::kConnectRequested, res::kConnected, res::kRemoteGranted, res::kImagePlayOk}));
    EXPECT_EQ(pauses, (Texts{"Sleep(500)"})) << "the short branch does not pause";
    EXPECT_EQ(robot->count(QStringLiteral("welcome")), 2);
    const int frames = robot->count(QStringLiteral("frame"));
    EXPECT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("frame")) > frames; }))
        << "pictures play again after the play command alone";
}

TEST_F(EndToEndConnection, ASecondPanelIsRefusedWhileOneIsConnected)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());
    LivePanel second;
    ASSERT_TRUE(second.open());

    second.click(IDC_CONNECT);
    ASSERT_TRUE(waitForDisconnected(second)) << "status: " << second.status();
    EXPECT_EQ(second.statusHistory, (Texts{res::kConnectRequested, res::kDisconnected}));
    EXPECT_TRUE(second.isEnabled(IDC_CONNECT));
    EXPECT_EQ(second.window().linkState(), robotlink::LinkState::Offline);
    EXPECT_EQ(robot->count(QStringLiteral("refuse")), 1);
    EXPECT_EQ(panel->linkIndicator(), res::kOnline);
    panel->click(IDC_STAND);
    EXPECT_EQ(panel->status(), "コマンド（立つ）送信") << "the first panel keeps its link";
}

} // namespace
