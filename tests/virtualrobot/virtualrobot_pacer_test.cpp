#include "virtualrobot/server/framepacer.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vr::FramePacer;

namespace {

constexpr std::size_t kFrameBytes = 2500;

class Pacer : public ::testing::Test
{
protected:
    // Answers the robot's Ping when one is due, after the bare round trip.
    void answerPing(std::chrono::milliseconds roundTrip)
    {
        if (!pacer.pingDue(now))
            return;
        const std::uint64_t origin = pacer.pingSent(now);
        EXPECT_FALSE(pacer.mayCapture(now)) << "the Ping meets an empty link";
        now += roundTrip;
        EXPECT_FALSE(pacer.pingAnswered(origin + 1, now)) << "a Pong for another Ping";
        EXPECT_TRUE(pacer.pingAnswered(origin, now));
    }
    // One frame at a time, each acknowledged after its passage and the
    // round trip, for this long; returns when the quality was first full.
    std::optional<FramePacer::Clock::time_point> stream(std::chrono::milliseconds passage,
                                                        std::chrono::milliseconds roundTrip,
                                                        std::chrono::milliseconds length)
    {
        std::optional<FramePacer::Clock::time_point> full;
        for (const auto end = now + length; now < end;) {
            answerPing(roundTrip);
            EXPECT_TRUE(pacer.mayCapture(now));
            pacer.sent(++sequence, kFrameBytes, now);
            const auto sent = now;
            now += passage + roundTrip;
            EXPECT_TRUE(pacer.acknowledged(sequence, now));
            now = std::max(now, sent + 33ms);
            if (!full && pacer.quality() == FramePacer::kFullQuality)
                full = now;
        }
        return full;
    }

    FramePacer pacer{30};
    FramePacer::Clock::time_point now = FramePacer::Clock::time_point{} + 1h;
    std::uint32_t sequence = 0;
};

} // namespace

TEST_F(Pacer, OnASlowLinkOneFrameIsOnItsWayAtATimeAndTheQualityFallsToItsFloorThenRecovers)
{
    // 250 kbit/s: a frame takes 80 ms; the round trip is 1 ms.
    answerPing(1ms);
    pacer.sent(++sequence, kFrameBytes, now);
    EXPECT_FALSE(pacer.mayCapture(now + 500ms)) << "nothing is known of the link before an acknowledgement";
    EXPECT_FALSE(pacer.acknowledged(sequence + 1, now + 81ms)) << "a frame never sent";
    now += 81ms;
    ASSERT_TRUE(pacer.acknowledged(sequence, now));
    EXPECT_FALSE(pacer.acknowledged(sequence, now)) << "acknowledged twice";

    stream(80ms, 1ms, 2s);
    pacer.sent(++sequence, kFrameBytes, now);
    EXPECT_FALSE(pacer.mayCapture(now + 200ms)) << "a second frame would wait in the link";
    EXPECT_EQ(pacer.quality(), FramePacer::kFloorQuality);
    EXPECT_EQ(pacer.reason(now), FramePacer::Reason::Link);
    EXPECT_EQ(pacer.reason(now + 1001ms), FramePacer::Reason::Waiting);
    now += 81ms;
    ASSERT_TRUE(pacer.acknowledged(sequence, now));

    // The link recovers: 2 ms a frame.
    const auto recovered = now;
    const auto full = stream(2ms, 1ms, 3s);
    ASSERT_TRUE(full.has_value());
    EXPECT_LE(*full - recovered, 2s);
    EXPECT_EQ(pacer.reason(now), FramePacer::Reason::Full);
}

TEST_F(Pacer, ALinkWithDelayCarriesASecondFrameOnceTheFirstHasPassedItsSlowStretch)
{
    // 2 Mbit/s, 10 ms a frame, behind a 40 ms round trip.
    stream(10ms, 40ms, 1s);
    pacer.sent(++sequence, kFrameBytes, now);
    EXPECT_FALSE(pacer.mayCapture(now + 5ms));
    EXPECT_TRUE(pacer.mayCapture(now + 11ms));
    pacer.sent(++sequence, kFrameBytes, now + 11ms);
    EXPECT_TRUE(pacer.acknowledged(sequence, now + 61ms)) << "one acknowledgement covers the frames before it";
    EXPECT_FALSE(pacer.acknowledged(sequence - 1, now + 62ms));
}
