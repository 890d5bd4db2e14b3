#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"
#include "res/strings.h"
#include "tests/peers/linkshaper.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

// The panel and the robot over a slow, delayed or stalling link, shaped by
// the portable relay between them.
namespace {

using namespace std::chrono_literals;

class EndToEndLink : public EndToEndTest
{
protected:
    void TearDown() override
    {
        panel.reset();
        shaper.reset();
        EndToEndTest::TearDown();
    }
    // Starts the robot behind a shaped link and connects the panel through it.
    void connectShaped(const peers::LinkShape &shape)
    {
        ASSERT_NO_FATAL_FAILURE(startRobot());
        shaper = std::make_unique<peers::LinkShaper>(robot->port(), shape);
        settings.port = shaper->port();
        vaibo::setSettings(settings);
        ASSERT_NO_FATAL_FAILURE(openPanel());
        ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
    }
    int framesSent() const { return robot->count(QStringLiteral("frame")); }
    // A command through the window while pictures play; its status text.
    std::string stop()
    {
        panel->click(IDC_STOP);
        return panel->statusText();
    }
    // The picture's age and the round trip the pane's readout shows, in ms.
    std::optional<std::pair<int, int>> readout() const
    {
        static const QRegularExpression pattern(QStringLiteral("^\\d+ fps (\\d+) ms ⇄ (\\d+) ms$"));
        const QRegularExpressionMatch match =
            pattern.match(panel->control(IDC_IMAGE_PANE)->accessibleDescription());
        if (!match.hasMatch())
            return std::nullopt;
        return std::pair{match.captured(1).toInt(), match.captured(2).toInt()};
    }

    // The readout's age and round trip, each the median of a few readings
    // a frame or so apart, so one late paint does not count.
    std::optional<std::pair<int, int>> steadyReadout() const
    {
        std::vector<int> ages;
        std::vector<int> trips;
        for (int i = 0; i < 9; ++i) {
            QTest::qWait(40);
            if (const auto shown = readout()) {
                ages.push_back(shown->first);
                trips.push_back(shown->second);
            }
        }
        if (ages.empty())
            return std::nullopt;
        std::sort(ages.begin(), ages.end());
        std::sort(trips.begin(), trips.end());
        return std::pair{ages[ages.size() / 2], trips[trips.size() / 2]};
    }

    std::unique_ptr<peers::LinkShaper> shaper;
};

TEST_F(EndToEndLink, AtAQuarterMegabitCommandsSucceedWhilePicturesPlayAndAfterAThreeSecondStall)
{
    peers::LinkShape shape;
    shape.bitsPerSecond = 250e3;
    ASSERT_NO_FATAL_FAILURE(connectShaped(shape));
    EXPECT_EQ(panel->statusHistory.back(), res::kImageSetParamOk);
    for (int i = 0; i < 2; ++i) {
        const int before = framesSent();
        ASSERT_TRUE(waitUntil([&] { return framesSent() > before + 3; }));
        EXPECT_EQ(stop(), res::kStopDone) << "command " << i;
    }
    // The dead-link timeout is 4 s: a stall shorter than it costs no link.
    shaper->stall(3000ms);
    QTest::qWait(3100);
    EXPECT_EQ(stop(), res::kStopDone) << "after the stall";
    const int after = framesSent();
    EXPECT_TRUE(waitUntil([&] { return framesSent() > after + 3; })) << "pictures flow again";
    EXPECT_EQ(panel->text(IDC_LINK_INDICATOR), res::kOnline);
    EXPECT_EQ(robot->count(QStringLiteral("close")), 0) << closeReason().toStdString();
}

TEST_F(EndToEndLink, TheReadoutCountsThePicturesAgeFromItsCaptureAcrossTheLinksDelay)
{
    ASSERT_NO_FATAL_FAILURE(connectShaped({}));
    ASSERT_TRUE(waitUntil([&] { return readout().has_value(); }));
    const auto direct = steadyReadout();
    ASSERT_TRUE(direct.has_value());

    peers::LinkShape delayed;
    delayed.delay = 150ms;
    shaper->reshape(delayed);
    // The offset trusted is that of the shortest recent round trip, so it
    // takes the delay in once every exchange before it has gone.
    ASSERT_TRUE(waitUntil([&] { return readout() && readout()->second >= 290; }, 5000));
    const auto late = steadyReadout();
    ASSERT_TRUE(late.has_value());
    EXPECT_NEAR(late->first - direct->first, 150, 30) << "age direct " << direct->first << " ms, delayed " << late->first;
    EXPECT_NEAR(late->second, 300, 30);
}

} // namespace
