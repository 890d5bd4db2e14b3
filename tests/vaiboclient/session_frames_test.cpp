#include "protocol/operation.h"
#include "protocol/timing.h"
#include "tests/peers/linkshaper.h"
#include "tests/vaiboclient/sessiontest.h"
#include "tests/vaiboclient/testjpeg.h"
#include "toolkit/core/clock.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

using namespace std::chrono_literals;
using protocol::Operation;

namespace {

// Frame bytes that name their number in every byte, one byte longer per
// number, so a fetched frame shows which one it was. They are no JPEG: the
// session announces them all the same.
protocol::Frame numberedFrame(std::uint8_t number)
{
    return protocol::Frame{number, protocol::epochMicroseconds(), 208, 160,
                           std::vector<std::uint8_t>(100u + number, number)};
}

using FramesTest = SessionTest;

} // namespace

TEST_F(FramesTest, StalledOwnerGetsOneAnnouncementThenTheNewestFrame)
{
    connectOnline();
    for (std::uint8_t n = 1; n <= 20; ++n)
        robot.send(numberedFrame(n));
    // The owner stands still, as the panel in its long sleep, while all
    // twenty frames arrive; then it fetches each frame it was told of.
    ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) {
        const std::vector<protocol::Message> received = r.received();
        return std::count_if(received.begin(), received.end(), [](const protocol::Message &m) {
                   return std::holds_alternative<protocol::FrameAck>(m);
               }) == 20;
    }));
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
// behind the link shaper, and an owner that fetches every frame at once.
class ShapedLinkTest : public ::testing::Test
{
protected:
    void TearDown() override { vaibo::setSettings({}); }

    void connectThrough(const peers::LinkShape &shape)
    {
        shaper = std::make_unique<peers::LinkShaper>(robot.port(), shape);
        vaibo::setSettings({.port = shaper->port()});
        session = std::make_unique<vaibo::Session>(owner);
        session->store().setPictureSize({320, 240});
        robot.streamPicture(solidJpeg(208, 160, 0x3C8CC8));
        ASSERT_EQ(session->connect("127.0.0.1"), 0);
        ASSERT_TRUE(owner.waitUntil([&] { return owner.ups() == 1; }, 5s));
        fetcher = std::thread([this] { fetchFrames(); });
    }
    ~ShapedLinkTest() override
    {
        stopping = true;
        if (fetcher.joinable())
            fetcher.join();
    }
    // As the panel does: each announced frame fetched, then handled, and
    // its picture's age and the round trip read as it is shown.
    void fetchFrames()
    {
        std::size_t handled = 0;
        while (!stopping) {
            if (!owner.waitUntil([&] { return stopping || owner.frames().size() > handled; }, 100ms))
                continue;
            for (; !stopping && handled < owner.frames().size(); ++handled) {
                std::vector<unsigned char> buffer(owner.frames()[handled]);
                session->copyFrame(buffer.data(), static_cast<int>(buffer.size()));
                session->announcementHandled();
                const auto now = tk::now();
                const vaibo::FrameStore::Picture picture = session->store().picture(now);
                if (picture.image && picture.roundTrip) {
                    const std::lock_guard lock(readingsMutex);
                    readings.emplace_back(milliseconds(now - picture.captured), milliseconds(*picture.roundTrip));
                }
            }
        }
    }
    static int milliseconds(std::chrono::nanoseconds time)
    {
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(time).count());
    }
    bool picturesFlow()
    {
        const std::uint32_t before = robot.framesStreamed();
        return owner.waitUntil([&] { return robot.framesStreamed() > before + 3; }, 5s);
    }
    // The shown picture's age from its capture and the round trip, in
    // milliseconds, each the median of the next nine pictures, so one late
    // picture does not count.
    std::optional<std::pair<int, int>> steadyReadout()
    {
        std::size_t first = 0;
        {
            const std::lock_guard lock(readingsMutex);
            first = readings.size();
        }
        const bool enough = owner.waitUntil(
            [&] {
                const std::lock_guard lock(readingsMutex);
                return readings.size() >= first + 9;
            },
            10s);
        if (!enough)
            return std::nullopt;
        std::vector<int> ages;
        std::vector<int> trips;
        {
            const std::lock_guard lock(readingsMutex);
            for (std::size_t i = first; i < first + 9; ++i) {
                ages.push_back(readings[i].first);
                trips.push_back(readings[i].second);
            }
        }
        std::sort(ages.begin(), ages.end());
        std::sort(trips.begin(), trips.end());
        return std::pair{ages[4], trips[4]};
    }

    FakeRobot robot;
    std::unique_ptr<peers::LinkShaper> shaper;
    RecordingObserver owner;
    std::unique_ptr<vaibo::Session> session;
    std::atomic<bool> stopping{false};
    std::mutex readingsMutex;
    std::vector<std::pair<int, int>> readings;
    std::thread fetcher;
};

TEST_F(ShapedLinkTest, AtAQuarterMegabitCallsSucceedWhilePicturesPlayAndAfterAThreeSecondStall)
{
    peers::LinkShape shape;
    shape.bitsPerSecond = 250e3;
    ASSERT_NO_FATAL_FAILURE(connectThrough(shape));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(picturesFlow());
        EXPECT_EQ(session->call(Operation::MotionStop, {}, -77), 0) << "call " << i;
    }
    // The dead-link timeout is 4 s: a stall shorter than it costs no link.
    shaper->stall(3000ms);
    std::this_thread::sleep_for(3100ms);
    EXPECT_EQ(session->call(Operation::MotionStop, {}, -77), 0) << "after the stall";
    EXPECT_TRUE(picturesFlow()) << "pictures flow again";
    EXPECT_EQ(owner.downs(), 0);
    EXPECT_EQ(session->store().picture(tk::now()).image->size, (vaibo::Size{320, 240}));
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
    ASSERT_TRUE(owner.waitUntil(
        [&] {
            const auto trip = session->store().picture(tk::now()).roundTrip;
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
