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

TEST_F(EndToEndFaults, ASilentRobotFailsEachCallWithinItsBoundThenTheLinkIsDeclaredDead)
{
    settings.replyTimeout = std::chrono::milliseconds(kReplyMs);
    settings.deadLinkTimeout = std::chrono::milliseconds(kDeadLinkMs);
    ASSERT_NO_FATAL_FAILURE(connectPanel({QStringLiteral("--hang-after-ms"), QStringLiteral("1000")}));
    ASSERT_EQ(panel->status(), res::kImageSetParamOk) << "the start sequence ran before the robot fell silent";
    ASSERT_TRUE(waitUntil([&] { return robot->count(QStringLiteral("hang")) == 1; }));
    QElapsedTimer sinceHang;
    sinceHang.start();
    // A margin for a loaded machine; a missing bound takes the dead-link time.
    const qint64 bound = kReplyMs + 400;

    const qint64 stand = timedClick(IDC_STAND);
    EXPECT_EQ(panel->status(), res::kCommandFailed);
    EXPECT_GE(stand, kReplyMs - 20);
    EXPECT_LT(stand, bound);

    QElapsedTimer battery;
    battery.start();
    panel->tickBattery();
    EXPECT_LT(battery.elapsed(), bound);
    EXPECT_EQ(panel->text(IDC_BATTERY_FIGURE), "-1");
    EXPECT_EQ(panel->batteryBar(), 0);

    EXPECT_LT(timedClick(IDC_WALK_STOP), 2 * bound) << "MotionStop and SetPosture, each bounded";
    EXPECT_EQ(panel->status(), res::kCommandFailed);
    EXPECT_EQ(panel->linkIndicator(), res::kOnline) << "still within the dead-link time";

    EXPECT_TRUE(waitForDisconnected(*panel, kDeadLinkMs + 1500)) << "status: " << panel->status();
    EXPECT_GE(sinceHang.elapsed(), kDeadLinkMs - 1000) << "not before the robot was silent for that long";
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

TEST_F(EndToEndFaults, AMalformedReplyFailsTheCallAndClosesTheLink)
{
    ASSERT_NO_FATAL_FAILURE(connectPanel({QStringLiteral("--malformed-reply"), QStringLiteral("SetPosture")}));

    const std::size_t shown = panel->statusHistory.size();
    const qint64 stand = timedClick(IDC_STAND);

    ASSERT_GT(panel->statusHistory.size(), shown);
    EXPECT_EQ(panel->statusHistory[shown], res::kCommandFailed);
    EXPECT_LT(stand, 1000) << "the broken link ends the call, without waiting for the reply bound";
    EXPECT_TRUE(waitForDisconnected(*panel)) << "status: " << panel->status();
}

struct Header
{
    const char *name;
    /// Magic, type, flags and big-endian payload length.
    std::vector<std::uint8_t> bytes;
};

void PrintTo(const Header &header, std::ostream *out)
{
    *out << header.name;
}

class EndToEndOversized : public EndToEndTest, public ::testing::WithParamInterface<Header>
{
};

// A robot of the test's own welcomes the panel, then announces a message
// longer than its type allows.
TEST_P(EndToEndOversized, AHeaderOverItsTypesBoundClosesTheLink)
{
    FakeRobot fake;
    settings.port = fake.port();
    vaibo::setSettings(settings);
    ASSERT_NO_FATAL_FAILURE(openPanel());
    panel->click(IDC_CONNECT);
    ASSERT_TRUE(fake.waitUntil([](const FakeRobot &r) { return r.welcomed(); }));
    fake.sendRaw(GetParam().bytes);
    EXPECT_TRUE(waitForDisconnected(*panel)) << "status: " << panel->status();
    EXPECT_TRUE(fake.waitUntil([](const FakeRobot &r) { return !r.welcomed(); })) << "the client closed its socket";
}

INSTANTIATE_TEST_SUITE_P(
    Headers, EndToEndOversized,
    ::testing::Values(Header{"FrameJustOverTheBound", {'K', 'V', 6, 0, 0x00, 0x10, 0x00, 0x11}},
                      Header{"FrameOf4GiB", {'K', 'V', 6, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
                      Header{"ReplyOf9Bytes", {'K', 'V', 5, 0, 0x00, 0x00, 0x00, 0x09}}),
    [](const ::testing::TestParamInfo<Header> &param) { return std::string(param.param.name); });

} // namespace
