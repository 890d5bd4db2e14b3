#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"
#include "res/strings.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Connecting and disconnecting through the window, with the robot's trace as
// the record of what reached it, and a robot that vanishes.
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
    EXPECT_EQ(robot->count(QStringLiteral("welcome")), 1);
    // The last text is wider than the status line, which shows its beginning.
    const auto *status = qobject_cast<QLineEdit *>(panel->window().item(IDC_STATUS));
    ASSERT_GT(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width());
    EXPECT_EQ(status->cursorPosition(), 0);
}

TEST_F(EndToEndConnection, DisconnectEndsTheLinkWithByeAndASecondConnectionOnlyRestartsThePictures)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());
    ASSERT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("frame")) > 0; }));

    const std::size_t shown = panel->statusHistory.size();
    panel->click(IDC_DISCONNECT);
    ASSERT_GT(panel->statusHistory.size(), shown);
    ASSERT_EQ(panel->statusHistory[shown], res::kDisconnectRequested);
    ASSERT_TRUE(waitForDisconnected(*panel)) << "status: " << panel->statusText();
    EXPECT_TRUE(panel->isEnabled(IDC_CONNECT));
    EXPECT_FALSE(panel->isEnabled(IDC_DISCONNECT));
    ASSERT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("close")) == 1; }));
    EXPECT_TRUE(closeReason().startsWith(QLatin1String("peer said Bye"))) << closeReason().toStdString();

    const std::size_t before = robot->operations().size();
    pauses.clear();
    panel->statusHistory.clear();
    ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
    const std::vector<RobotOperation> operations = robot->operations();
    EXPECT_EQ(commandCalls({operations.begin() + static_cast<std::ptrdiff_t>(before), operations.end()}),
              (Texts{"ExternalControl(1)", "SendCmd(33, 1, 0, 0, 0, 0)"}));
    EXPECT_EQ(panel->statusHistory,
              (Texts{res::kConnectRequested, res::kConnected, res::kRemoteGranted, res::kImagePlayOk}));
    EXPECT_EQ(pauses, (Texts{"Sleep(500)"})) << "the short branch does not pause";
    EXPECT_EQ(robot->count(QStringLiteral("welcome")), 2);
    const int frames = robot->count(QStringLiteral("frame"));
    EXPECT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("frame")) > frames; }))
        << "pictures play again after the play command alone";
}

TEST_F(EndToEndConnection, ARobotKilledWhileFramesFlowIsReportedFromTheClosedLinkNotFromSilence)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());
    ASSERT_TRUE(waitUntil([&] { return panel->window().imageBuffer().capacity() > 0; }));
    robot->kill();
    // The prompt wait is shorter than the dead-link timeout.
    EXPECT_TRUE(waitForDisconnected(*panel)) << "status: " << panel->statusText();
    EXPECT_TRUE(panel->isEnabled(IDC_CONNECT));
}

} // namespace

TEST_F(EndToEndConnection, ABonePutBeforeTheRobotIsTakenThroughThePanelAndADropOutsideTheRoomMovesNothing)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());
    const auto field = [this](const QString &name) {
        const QRegularExpression pattern(QStringLiteral("\\b%1=(\\S+)").arg(name));
        return pattern.match(robot->ask(QStringLiteral("status"))).captured(1);
    };
    const QString ball = field(QStringLiteral("ball"));
    EXPECT_TRUE(robot->ask(QStringLiteral("place ball 3700 100")).startsWith(QStringLiteral("refused: ")));
    EXPECT_EQ(field(QStringLiteral("ball")), ball);

    robot->command(QStringLiteral("place bone front"));
    panel->click(IDC_BONE_GRAB);
    // Once the robot plays the content, its time runs on past the content.
    ASSERT_TRUE(waitUntil([this] { return commandCalls(robot->operations()).back() == "PlayContents(2894, 1)"; }));
    robot->command(QStringLiteral("skip 3000"));
    EXPECT_TRUE(waitUntil([&field] { return field(QStringLiteral("bone")) == QStringLiteral("held"); }));
}
