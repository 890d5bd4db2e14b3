#include "vaiboclient/framestore.h"
#include "vaiboclient/panepainter.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vaibo::FrameStore;

namespace {

QImage picture(QColor colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(FrameStore, PaintedPictureIsTheNewestDecodedOneAndTheRateCountsTheLastSecond)
{
    FrameStore store;
    const auto t = FrameStore::Clock::now();
    EXPECT_TRUE(store.picture(t).image.isNull());
    store.offer({1}, picture(Qt::red), t);
    store.offer({2}, picture(Qt::blue), t + 10ms);
    store.offer({3}, QImage(), t + 20ms);
    const FrameStore::Picture newest = store.picture(t + 30ms);
    EXPECT_EQ(newest.image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(newest.arrival, t + 10ms);

    FrameStore steady;
    for (int i = 0; i < 45; ++i)
        steady.offer({1}, picture(Qt::red), t + i * 33ms);
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
