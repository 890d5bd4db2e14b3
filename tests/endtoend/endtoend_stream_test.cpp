#include "tests/endtoend/endtoendtest.h"

#include "res/resource.h"

#include <QTest>

#include <gtest/gtest.h>

// What streams from the robot to the window: camera pictures painted into the
// image pane, and battery readings.
namespace {

using EndToEndStream = EndToEndTest;

TEST_F(EndToEndStream, FramesArePaintedIntoThePaneAndFollowTheHead)
{
    ASSERT_NO_FATAL_FAILURE(startRobot());
    ASSERT_NO_FATAL_FAILURE(openPanel());
    const QImage blank = panel->paneImage();
    ASSERT_NO_FATAL_FAILURE(connectThrough(*panel));
    ASSERT_TRUE(waitForPicture());
    EXPECT_GT(robot->count(QStringLiteral("frame")), 0);
    EXPECT_GT(changedShare(blank, panel->paneImage()), 0.5) << "the camera picture fills the pane";

    const QImage still = panel->paneImage();
    QTest::qWait(150);
    EXPECT_LT(changedShare(still, panel->paneImage()), 0.01) << "a robot standing still sends the same view";
    // Pan slider to its right end: the head turns right by 90 degrees.
    const QWidget *pan = panel->control(IDC_PAN);
    const int y = pan->height() / 2;
    panel->drag(IDC_PAN, {pan->rect().center(), QPoint(pan->width() * 3 / 4, y), QPoint(pan->width() + 20, y)});
    ASSERT_FALSE(robot->operations().empty());
    ASSERT_EQ(robot->operations().back().call(), "ChangeHeadAngle(-90, 0, 3, 0)");
    EXPECT_TRUE(waitUntil([&] { return changedShare(still, panel->paneImage()) > 0.3; }))
        << "changed share " << changedShare(still, panel->paneImage());
}

} // namespace
