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

} // namespace
