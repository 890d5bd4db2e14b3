#include "vaiboclient/framestore.h"
#include "vaiboclient/panepainter.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vaibo::FrameStore;

namespace {

std::vector<std::uint8_t> bytes(std::size_t size, std::uint8_t value)
{
    return std::vector<std::uint8_t>(size, value);
}

QImage picture(QColor colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(FrameStore, FirstFrameIsAnnouncedAndLaterOnesWaitInOneSlot)
{
    FrameStore store;
    const auto t = FrameStore::Clock::now();
    EXPECT_EQ(store.offer(bytes(10, 1), {}, t), std::optional<std::size_t>(10));
    EXPECT_TRUE(store.announcing());
    EXPECT_EQ(store.offer(bytes(20, 2), {}, t), std::nullopt);
    EXPECT_EQ(store.offer(bytes(30, 3), {}, t), std::nullopt);

    unsigned char buffer[64] = {};
    for (int twice = 0; twice < 2; ++twice) {
        EXPECT_EQ(store.copyAnnounced(buffer, 64), 10) << "the announced frame stays until the next is announced";
        EXPECT_EQ(buffer[9], 1);
    }
    // The newest waiting frame takes the place of the handled one.
    EXPECT_EQ(store.announcementHandled(), std::optional<std::size_t>(30));
    EXPECT_EQ(store.copyAnnounced(buffer, 64), 30);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_TRUE(store.announcing());
    EXPECT_EQ(store.announcementHandled(), std::nullopt);
    EXPECT_FALSE(store.announcing());
    EXPECT_EQ(store.offer(bytes(5, 4), {}, t), std::optional<std::size_t>(5));
}

TEST(FrameStore, PaintedPictureIsTheNewestDecodedOneAndTheRateCountsTheLastSecond)
{
    FrameStore store;
    const auto t = FrameStore::Clock::now();
    EXPECT_TRUE(store.picture(t).image.isNull());
    store.offer(bytes(1, 1), picture(Qt::red), t);
    store.offer(bytes(1, 2), picture(Qt::blue), t + 10ms);
    store.offer(bytes(1, 3), QImage(), t + 20ms);
    const FrameStore::Picture newest = store.picture(t + 30ms);
    EXPECT_EQ(newest.image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(newest.arrival, t + 10ms);

    FrameStore steady;
    for (int i = 0; i < 45; ++i)
        steady.offer(bytes(1, 1), picture(Qt::red), t + i * 33ms);
    const auto last = t + 44 * 33ms;
    EXPECT_EQ(steady.picture(last).framesPerSecond, 31);
    EXPECT_EQ(steady.picture(last + 500ms).framesPerSecond, 16);
    EXPECT_EQ(steady.picture(last + 2s).framesPerSecond, 0);
}

TEST(PanePainter, ReadoutShowsRateAndAge)
{
    EXPECT_EQ(vaibo::PanePainter::readout(30, 12ms), QStringLiteral("30 fps  12 ms"));
    EXPECT_EQ(vaibo::PanePainter::readout(0, 999ms), QStringLiteral("0 fps  999 ms"));
    EXPECT_EQ(vaibo::PanePainter::readout(5, 1500ms), QStringLiteral("5 fps  1.5 s"));
}
