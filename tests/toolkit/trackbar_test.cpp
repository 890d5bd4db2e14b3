#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/edges.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

using tk::EventKind;

// A notification's code and position.
using Scroll = std::pair<int, int>;
using Scrolls = std::vector<Scroll>;

class ToolkitSliders : public tktest::ShownMainWindow
{
protected:
    void SetUp() override
    {
        ShownMainWindow::SetUp();
        pan = dialog.item<tk::Trackbar>(1036);
        tilt = dialog.item<tk::Trackbar>(1037);
        ASSERT_NE(pan, nullptr);
        ASSERT_NE(tilt, nullptr);
        // As the panel sets them up.
        pan->setRangeMin(-90);
        pan->setRangeMax(90);
        tilt->setRangeMin(-15);
        tilt->setRangeMax(45);
        for (tk::Trackbar *slider : {pan, tilt}) {
            slider->setPageSize(2);
            slider->setLineSize(2);
            slider->setPos(0);
        }
        dialog.events.clear();
    }

    // The slider's own notifications; the other kind must not be raised.
    Scrolls scrolls(const tk::Trackbar *slider) const
    {
        const bool horizontal = slider == pan;
        EXPECT_TRUE(dialog.eventsOf(horizontal ? EventKind::VScroll : EventKind::HScroll).empty());
        Scrolls found;
        for (const tk::WindowEvent &event : dialog.eventsOf(horizontal ? EventKind::HScroll : EventKind::VScroll)) {
            EXPECT_EQ(event.control, slider);
            found.push_back({event.code, event.position});
        }
        return found;
    }

    void focus(tk::Trackbar *slider)
    {
        slider->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), slider);
    }

    void drag(tk::Trackbar *slider, const QPoint &from, const std::vector<QPoint> &moves)
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, inWindow(slider, from));
        for (const QPoint &move : moves)
            QTest::mouseMove(window(), inWindow(slider, from + move));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, inWindow(slider, from + moves.back()));
    }

    tk::Trackbar *pan = nullptr;
    tk::Trackbar *tilt = nullptr;
};

TEST_F(ToolkitSliders, KeysStepThenEndTrackingAndNeverStepPastTheLimit)
{
    struct Case
    {
        tk::Trackbar *slider;
        int start;
        std::vector<Qt::Key> keys;
        Scrolls expected;
    };
    const std::vector<Case> cases{
        {pan, 0, {Qt::Key_Right}, {{tk::TB_LINEDOWN, 2}, {tk::TB_ENDTRACK, 2}}},
        {pan, 0, {Qt::Key_Up}, {{tk::TB_LINEUP, -2}, {tk::TB_ENDTRACK, -2}}},
        {tilt, 0, {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Home},
         {{tk::TB_PAGEDOWN, 2}, {tk::TB_ENDTRACK, 2}, {tk::TB_PAGEUP, 0}, {tk::TB_ENDTRACK, 0},
          {tk::TB_BOTTOM, 45}, {tk::TB_ENDTRACK, 45}, {tk::TB_TOP, -15}, {tk::TB_ENDTRACK, -15}}},
        {pan, -90, {Qt::Key_Left, Qt::Key_Home}, {{tk::TB_ENDTRACK, -90}, {tk::TB_ENDTRACK, -90}}},
        {tilt, 45, {Qt::Key_Down}, {{tk::TB_ENDTRACK, 45}}},
        {pan, 0, {Qt::Key_Return}, {}}};
    for (std::size_t index = 0; index < cases.size(); ++index) {
        const Case &c = cases[index];
        SCOPED_TRACE(testing::Message() << "case " << index);
        dialog.events.clear();
        c.slider->setPos(c.start);
        focus(c.slider);
        EXPECT_TRUE(scrolls(c.slider).empty()); // setting the position raises nothing
        for (const Qt::Key pressed : c.keys)
            key(pressed);
        EXPECT_EQ(scrolls(c.slider), c.expected);
    }
    // Other keys are left to the window.
    ASSERT_EQ(dialog.eventsOf(EventKind::Command).size(), 1u);
    EXPECT_EQ(dialog.eventsOf(EventKind::Command)[0].id, tk::IDOK);
}

TEST_F(ToolkitSliders, AutoRepeatStepsEachTimeAndEndsTrackingOnce)
{
    focus(pan);
    for (const auto &[type, autoRepeat] : {std::pair{QEvent::KeyPress, false}, {QEvent::KeyRelease, true},
                                           {QEvent::KeyPress, true}, {QEvent::KeyRelease, true},
                                           {QEvent::KeyPress, true}, {QEvent::KeyRelease, false}}) {
        QKeyEvent event(type, Qt::Key_Right, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window(), &event);
    }
    EXPECT_EQ(scrolls(pan),
              (Scrolls{{tk::TB_LINEDOWN, 2}, {tk::TB_LINEDOWN, 4}, {tk::TB_LINEDOWN, 6}, {tk::TB_ENDTRACK, 6}}));
}

TEST_F(ToolkitSliders, DraggingTheThumbTracksThenPositionsThenEnds)
{
    drag(pan, pan->thumbRect().center(), {{6, 0}, {6, 1}, {12, 0}}); // the middle move changes nothing
    const Scrolls seen = scrolls(pan);
    ASSERT_EQ(seen.size(), 4u);
    const int first = seen[0].second;
    const int last = seen[1].second;
    EXPECT_GT(first, 0);
    EXPECT_GT(last, first);
    EXPECT_EQ(seen, (Scrolls{{tk::TB_THUMBTRACK, first}, {tk::TB_THUMBTRACK, last}, {tk::TB_THUMBPOSITION, last},
                             {tk::TB_ENDTRACK, last}}));
    EXPECT_EQ(pan->position(), last);
}

TEST_F(ToolkitSliders, ThumbMovedAcrossTheChannelKeepsItsPosition)
{
    // Several positions share a pixel; a move across must not pick another of them.
    for (int position = -90; position <= 90; position += 5) {
        pan->setPos(position);
        drag(pan, pan->thumbRect().center(), {{0, 2}});
        EXPECT_EQ(pan->position(), position);
    }
}

// From the minimum, the thumb follows a drag rightward or downward: the
// vertical slider has its minimum at the top.
TEST_F(ToolkitSliders, DraggedThumbFollowsThePointerPixelByPixelFromTheMinimum)
{
    for (tk::Trackbar *slider : {pan, tilt}) {
        SCOPED_TRACE(slider == pan ? "pan" : "tilt");
        const bool horizontal = slider->orientation() == Qt::Horizontal;
        slider->setPos(slider->minimum());
        const QPoint grab = slider->thumbRect().center();
        const QPoint first = slider->thumbRect().topLeft();
        QTest::mousePress(window(), Qt::LeftButton, {}, inWindow(slider, grab));
        for (int pixels = 1; slider->position() < slider->maximum(); ++pixels) {
            const QPoint by = horizontal ? QPoint(pixels, 0) : QPoint(0, pixels);
            QTest::mouseMove(window(), inWindow(slider, grab + by));
            if (slider->position() < slider->maximum()) {
                ASSERT_EQ(slider->thumbRect().topLeft(), first + by) << pixels;
            }
            ASSERT_LT(pixels, 200);
        }
        QTest::mouseRelease(window(), Qt::LeftButton, {}, inWindow(slider, grab));
    }
}

TEST_F(ToolkitSliders, ClickInTheChannelPagesTowardThePointerOnce)
{
    const int middle = pan->thumbRect().center().y();
    click(inWindow(pan, QPoint(pan->width() - 6, middle)));
    EXPECT_EQ(scrolls(pan), (Scrolls{{tk::TB_PAGEDOWN, 2}, {tk::TB_ENDTRACK, 2}}));
    dialog.events.clear();
    click(inWindow(pan, QPoint(6, middle)));
    EXPECT_EQ(scrolls(pan), (Scrolls{{tk::TB_PAGEUP, 0}, {tk::TB_ENDTRACK, 0}}));
}

TEST_F(ToolkitSliders, HeldClickInTheChannelRepeatsButNeverPassesThePointer)
{
    const QRect thumb = pan->thumbRect();
    // Just right of the thumb: a few pages away.
    const QPoint pointer = inWindow(pan, QPoint(thumb.right() + 3, thumb.center().y()));
    QTest::mousePress(window(), Qt::LeftButton, {}, pointer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pan->thumbRect().contains(pan->mapFrom(&dialog, pointer)); }, 3000));
    const int reached = pan->position();
    QTest::qWait(250); // more repeats would be due by now
    EXPECT_EQ(pan->position(), reached);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, pointer);
    const Scrolls seen = scrolls(pan);
    ASSERT_GE(seen.size(), 3u);
    for (std::size_t index = 0; index + 1 < seen.size(); ++index) {
        EXPECT_EQ(seen[index].first, tk::TB_PAGEDOWN);
        EXPECT_LE(seen[index].second, reached);
    }
    EXPECT_EQ(seen.back(), (Scroll{tk::TB_ENDTRACK, reached}));
}

TEST_F(ToolkitSliders, WheelStepsByLinesThenEndsTracking)
{
    const auto wheel = [&](int delta) {
        QWheelEvent event(centreOf(pan), pan->mapToGlobal(QPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window(), &event);
    };
    wheel(240);
    EXPECT_EQ(scrolls(pan), (Scrolls{{tk::TB_LINEUP, -2}, {tk::TB_LINEUP, -4}, {tk::TB_ENDTRACK, -4}}));
    dialog.events.clear();
    wheel(-60);
    EXPECT_TRUE(scrolls(pan).empty());
    wheel(-60);
    EXPECT_EQ(scrolls(pan), (Scrolls{{tk::TB_LINEDOWN, -2}, {tk::TB_ENDTRACK, -2}}));
}

TEST_F(ToolkitSliders, ThumbIsARaisedRectangleOverAnUnfilledChannel)
{
    pan->setPos(40);
    for (tk::Trackbar *slider : {pan, tilt}) {
        SCOPED_TRACE(slider == pan ? "pan" : "tilt");
        const QImage picture = slider->grab().toImage();
        const QRect thumb = slider->thumbRect();
        const QPalette palette = slider->palette();
        const bool horizontal = slider->orientation() == Qt::Horizontal;
        EXPECT_EQ(slider->tickPosition(), QSlider::NoTicks);
        EXPECT_TRUE(slider->rect().adjusted(2, 2, -2, -2).contains(thumb)); // inside the sunken edge
        // Raised, with both sides alike, its long side across the channel.
        EXPECT_EQ(picture.pixel(thumb.topLeft()), palette.color(QPalette::Light).rgb());
        for (const QPoint &corner : {thumb.bottomRight(), thumb.topRight(), thumb.bottomLeft()})
            EXPECT_EQ(picture.pixel(corner), palette.color(QPalette::Shadow).rgb());
        EXPECT_EQ(picture.pixel(thumb.center()), palette.color(QPalette::Button).rgb());
        EXPECT_GT(horizontal ? thumb.height() : thumb.width(), horizontal ? thumb.width() : thumb.height());
        // The channel looks the same on both sides of the thumb, and nothing shows the highlight.
        const QPoint before = horizontal ? QPoint(thumb.left() - 2, thumb.center().y())
                                         : QPoint(thumb.center().x(), thumb.top() - 2);
        const QPoint after = horizontal ? QPoint(thumb.right() + 2, thumb.center().y())
                                        : QPoint(thumb.center().x(), thumb.bottom() + 2);
        EXPECT_EQ(picture.pixel(before), picture.pixel(after));
        EXPECT_NE(picture.pixel(before), palette.color(QPalette::Button).rgb());
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_NE(picture.pixel(x, y), palette.color(QPalette::Highlight).rgb()) << x << "," << y;
        }
    }
}

TEST_F(ToolkitSliders, FocusShowsAsADottedRectangleRoundTheClientArea)
{
    const int client = tk::edgeWidth({.sunken = true});
    const auto dotsOnTheLeft = [&] {
        const QImage picture = pan->grab().toImage();
        int dots = 0;
        for (int y = client; y < picture.height() - client; ++y)
            dots += picture.pixel(client, y) == pan->palette().color(QPalette::WindowText).rgb() ? 1 : 0;
        return dots;
    };
    focus(tilt);
    EXPECT_EQ(dotsOnTheLeft(), 0);
    focus(pan);
    EXPECT_NEAR(dotsOnTheLeft(), (pan->height() - 2 * client) / 2, 1);
}

} // namespace
