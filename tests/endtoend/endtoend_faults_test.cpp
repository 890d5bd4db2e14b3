#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"
#include "res/strings.h"
#include "tests/vaiboclient/fakerobot.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// A robot that vanishes, falls silent or talks nonsense: the panel ends up
// OFFLINE with "切断完了", every call returns within its bound, and nothing
// crashes.
namespace {

constexpr int kReplyMs = 300;
constexpr int kDeadLinkMs = 2500;

class EndToEndFaults : public EndToEndTest
{
protected:
    /// Milliseconds a click takes, the handler's calls included.
    qint64 timedClick(int id)
    {
        QElapsedTimer timer;
        timer.start();
        panel->click(id);
        return timer.elapsed();
    }
};

TEST_F(EndToEndFaults, ARobotKilledWhileFramesFlowIsReportedWithinASecond)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel());
    ASSERT_TRUE(waitForPicture());

    QElapsedTimer sinceKill;
    sinceKill.start();
    robot->kill();

    EXPECT_TRUE(waitForDisconnected(*panel, 1000)) << "status: " << panel->status();
    EXPECT_LT(sinceKill.elapsed(), 1000);
    EXPECT_TRUE(panel->isEnabled(IDC_CONNECT));
    EXPECT_EQ(panel->window().linkState(), robotlink::LinkState::Offline);
}

TEST_F(EndToEndFaults, AMalformedMessageInPlaceOfAFrameClosesTheLink)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel({QStringLiteral("--malformed-after-frames"), QStringLiteral("5")}));
    EXPECT_TRUE(waitForDisconnected(*panel)) << "status: " << panel->status();
    EXPECT_EQ(robot->count(QStringLiteral("malformed")), 1);
    EXPECT_GE(robot->count(QStringLiteral("frame")), 5);
    EXPECT_TRUE(waitUntil([&] { return !closeReason().isEmpty(); })) << "the client closed its end";

    // The panel and the robot both carry on: the next link works as well.
    ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
    EXPECT_EQ(panel->status(), res::kImagePlayOk);
    EXPECT_TRUE(robot->isRunning());
}

} // namespace
