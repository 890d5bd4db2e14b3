#include "protocol/operation.h"
#include "protocol/timing.h"
#include "tests/peers/linkshaper.h"
#include "tests/vaiboclient/sessiontest.h"
#include "tests/vaiboclient/testjpeg.h"
#include "toolkit/core/clock.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

using namespace std::chrono_literals;
using protocol::Operation;

using FramesTest = SessionTest;

TEST_F(FramesTest, StalledOwnerGetsOneAnnouncementThenTheNewestFrame)
{
    connectOnline();
    for (std::uint8_t n = 1; n <= 20; ++n)
        robot.send(numberedFrame(n));
    // The owner stands still, as the panel in its long sleep, while all
    // twenty frames arrive; then it fetches each frame it was told of.
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.count<protocol::FrameAck>() == 20; }));
    std::this_thread::sleep_for(50ms);
    std::vector<int> fetched;
    for (std::size_t handled = 0; handled < owner.frames().size(); ++handled) {
        const std::size_t size = owner.frames()[handled];
        std::vector<unsigned char> buffer(size);
        fetched.push_back(session.copyFrame(buffer.data(), static_cast<int>(size)) == static_cast<int>(size) ? buffer[0]
                                                                                                             : -1);
        session.announcementHandled();
    }
    EXPECT_EQ(fetched, (std::vector<int>{1, 20}));
    EXPECT_EQ(owner.frames(), (std::vector<std::size_t>{101, 120}));
}

TEST_F(FramesTest, ImageTransportIsSetUpByInitAndOpenAndOutlivesTheLink)
{
    connectOnline();
    EXPECT_NE(session.imageOpen(), 0) << "open before init, though the robot would allow it";
    robot.setAnswer([](const protocol::Request &request) -> std::optional<std::int32_t> {
        return request.operation == static_cast<std::uint16_t>(Operation::ImageOpen) ? -3 : 0;
    });
    EXPECT_EQ(session.imageInit(), 0);
    EXPECT_EQ(session.imageOpen(), -3);
    EXPECT_EQ(session.imageTransportState(), -150) << "the robot refused the open";
    robot.setAnswer({});
    EXPECT_EQ(session.imageOpen(), 0);
    EXPECT_NE(session.imageTransportState(), -150);

    ASSERT_EQ(session.disconnect(), 0);
    ASSERT_TRUE(waitDown(1));
    EXPECT_NE(session.imageTransportState(), -150);
    ASSERT_NO_FATAL_FAILURE(connectOnline(2));
    EXPECT_NE(session.imageTransportState(), -150);

    session.imageClose();
    EXPECT_EQ(session.imageTransportState(), -150);
}

// The session with the default timings, a robot streaming camera pictures
// behind the link shaper, and an owner that fetches each frame as soon as
// it is told of it, and reads the shown picture's age and the round trip.
class ShapedLinkTest : public ::testing::Test
{
protected:
    void TearDown() override { vaibo::setSettings({}); }

    void connectThrough(const peers::LinkShape &shape)
    {
        shaper = std::make_unique<peers::LinkShaper>(robot.port(), shape);
        vaibo::setSettings({.port = shaper->port()});
        session.store().setPictureSize({320, 240});
        owner.onFrame = [this](std::size_t size) { fetch(size); };
        robot.streamPicture(solidJpeg(208, 160, 0x3C8CC8));
        ASSERT_EQ(session.connect("127.0.0.1"), 0);
        ASSERT_TRUE(waitUntil([&] { return owner.ups() == 1; }, 5s));
    }
    // On the link's thread, as the panel does on its own.
    void fetch(std::size_t size)
    {
        std::vector<unsigned char> buffer(size);
        session.copyFrame(buffer.data(), static_cast<int>(size));
        session.announcementHandled();
        const auto now = tk::now();
        const vaibo::FrameStore::Picture picture = session.store().picture(now);
        const std::lock_guard lock(m_mutex);
        if (picture.image && picture.roundTrip)
            m_readings.emplace_back(milliseconds(now - picture.captured), milliseconds(*picture.roundTrip));
    }
    static int milliseconds(std::chrono::nanoseconds time)
    {
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(time).count());
    }
    std::size_t readings() const
    {
        const std::lock_guard lock(m_mutex);
        return m_readings.size();
    }
    bool picturesFlow()
    {
        const std::uint32_t before = robot.framesStreamed();
        return waitUntil([&] { return robot.framesStreamed() > before + 3; }, 5s);
    }
    // The shown picture's age from its capture and the round trip, in
    // milliseconds, each the median of the next nine pictures, so one late
    // picture does not count.
    std::optional<std::pair<int, int>> steadyReadout()
    {
        const std::size_t first = readings();
        if (!waitUntil([&] { return readings() >= first + 9; }, 10s))
            return std::nullopt;
        std::vector<int> ages;
        std::vector<int> trips;
        {
            const std::lock_guard lock(m_mutex);
            for (std::size_t i = first; i < first + 9; ++i) {
                ages.push_back(m_readings[i].first);
                trips.push_back(m_readings[i].second);
            }
        }
        std::nth_element(ages.begin(), ages.begin() + 4, ages.end());
        std::nth_element(trips.begin(), trips.begin() + 4, trips.end());
        return std::pair{ages[4], trips[4]};
    }

    FakeRobot robot;
    std::unique_ptr<peers::LinkShaper> shaper;
    RecordingObserver owner;
    mutable std::mutex m_mutex;
    std::vector<std::pair<int, int>> m_readings;
    // Last: its link's thread, which fetches, stops before anything above goes.
    vaibo::Session session{owner};
};

TEST_F(ShapedLinkTest, AtAQuarterMegabitCallsSucceedWhilePicturesPlayAndAfterAThreeSecondStall)
{
    peers::LinkShape shape;
    shape.bitsPerSecond = 250e3;
    ASSERT_NO_FATAL_FAILURE(connectThrough(shape));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(picturesFlow());
        EXPECT_EQ(session.call(Operation::MotionStop, {}, -77), 0) << "call " << i;
    }
    // The dead-link timeout is 4 s: a stall shorter than it costs no link.
    shaper->stall(3000ms);
    std::this_thread::sleep_for(3100ms);
    EXPECT_EQ(session.call(Operation::MotionStop, {}, -77), 0) << "after the stall";
    EXPECT_TRUE(picturesFlow()) << "pictures flow again";
    EXPECT_EQ(owner.downs(), 0);
    EXPECT_EQ(session.store().picture(tk::now()).image->size, (vaibo::Size{320, 240}));
}

TEST_F(ShapedLinkTest, ThePicturesAgeCountsFromItsCaptureAcrossTheLinksDelay)
{
    ASSERT_NO_FATAL_FAILURE(connectThrough({}));
    ASSERT_TRUE(picturesFlow());
    const auto direct = steadyReadout();
    ASSERT_TRUE(direct.has_value());

    peers::LinkShape delayed;
    delayed.delay = 150ms;
    shaper->reshape(delayed);
    // The offset trusted is that of the shortest recent round trip, so it
    // takes the delay in once every exchange before it has gone.
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto trip = session.store().picture(tk::now()).roundTrip;
            return trip && *trip >= 290ms;
        },
        10s));
    const auto late = steadyReadout();
    ASSERT_TRUE(late.has_value());
    EXPECT_NEAR(late->first - direct->first, 150, 30)
        << "age direct " << direct->first << " ms, delayed " << late->first;
    EXPECT_NEAR(late->second, 300, 30);
}

// Two machines: the robot's clock has an epoch of its own, far from this
// machine's, and every exchange crosses a delayed link with jitter from the
// first on. The age must still be the picture's one-way trip.
TEST_F(ShapedLinkTest, ARobotClockOfItsOwnAndADelayFromTheStartStillGiveThePicturesTrueAge)
{
    robot.setClockOffset(-std::chrono::hours(72) - 123456us);
    peers::LinkShape delayed;
    delayed.delay = 80ms;
    delayed.jitter = 15ms;
    ASSERT_NO_FATAL_FAILURE(connectThrough(delayed));
    ASSERT_TRUE(picturesFlow());
    // A few exchanges, so that one of them met the link's shortest delays.
    std::this_thread::sleep_for(2s);
    const auto readout = steadyReadout();
    ASSERT_TRUE(readout.has_value());
    EXPECT_NEAR(readout->first, 80, 35) << "the age of a picture 80 ms on its way";
    EXPECT_NEAR(readout->second, 160, 40);
}
