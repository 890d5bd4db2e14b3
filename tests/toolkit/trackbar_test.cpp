#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

using tk::EventKind;

struct Scroll
{
    int code;
    int position;
    bool operator==(const Scroll &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Scroll &scroll)
{
    return out << "{code " << scroll.code << ", pos " << scroll.position << "}";
}

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

    std::vector<Scroll> scrolls(EventKind kind, const QWidget *control) const
    {
        std::vector<Scroll> found;
        for (const tk::WindowEvent &event : dialog.eventsOf(kind)) {
            EXPECT_EQ(event.control, control);
            found.push_back({event.code, event.position});
        }
        return found;
    }

    std::vector<Scroll> panScrolls() const { return scrolls(EventKind::HScroll, pan); }
    std::vector<Scroll> tiltScrolls() const { return scrolls(EventKind::VScroll, tilt); }

    void focus(tk::Trackbar *slider)
    {
        slider->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), slider);
    }

    void sendKey(QEvent::Type type, Qt::Key key, bool autoRepeat)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window(), &event);
    }

    tk::Trackbar *pan = nullptr;
    tk::Trackbar *tilt = nullptr;
};

TEST_F(ToolkitSliders, SetPosRaisesNothing)
{
    pan->setPos(30);
    tilt->setPos(-15);
    EXPECT_EQ(pan->pos(), 30);
    EXPECT_EQ(tilt->pos(), -15);
    EXPECT_TRUE(dialog.eventsOf(EventKind::HScroll).empty());
    EXPECT_TRUE(dialog.eventsOf(EventKind::VScroll).empty());
}

TEST_F(ToolkitSliders, OneArrowKeyPressIsAStepAndAnEndOfTracking)
{
    focus(pan);
    key(Qt::Key_Right);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_LINEDOWN, 2}, {tk::TB_ENDTRACK, 2}}));
    dialog.events.clear();
    key(Qt::Key_Up);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_LINEUP, 0}, {tk::TB_ENDTRACK, 0}}));
    EXPECT_TRUE(dialog.eventsOf(EventKind::VScroll).empty());
}

TEST_F(ToolkitSliders, PageHomeAndEndKeys)
{
    focus(tilt);
    key(Qt::Key_PageDown);
    key(Qt::Key_PageUp);
    key(Qt::Key_End);
    key(Qt::Key_Home);
    EXPECT_EQ(tiltScrolls(), (std::vector<Scroll>{{tk::TB_PAGEDOWN, 2},
                                                  {tk::TB_ENDTRACK, 2},
                                                  {tk::TB_PAGEUP, 0},
                                                  {tk::TB_ENDTRACK, 0},
                                                  {tk::TB_BOTTOM, 45},
                                                  {tk::TB_ENDTRACK, 45},
                                                  {tk::TB_TOP, -15},
                                                  {tk::TB_ENDTRACK, -15}}));
}

TEST_F(ToolkitSliders, StepAtTheLimitMovesNothingAndRaisesOnlyTheEndOfTracking)
{
    pan->setPos(-90);
    focus(pan);
    key(Qt::Key_Left);
    key(Qt::Key_Home);
    EXPECT_EQ(pan->pos(), -90);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_ENDTRACK, -90}, {tk::TB_ENDTRACK, -90}}));
}

TEST_F(ToolkitSliders, AutoRepeatStepsEachTimeAndEndsTrackingOnce)
{
    focus(pan);
    sendKey(QEvent::KeyPress, Qt::Key_Right, false);
    sendKey(QEvent::KeyRelease, Qt::Key_Right, true);
    sendKey(QEvent::KeyPress, Qt::Key_Right, true);
    sendKey(QEvent::KeyRelease, Qt::Key_Right, true);
    sendKey(QEvent::KeyPress, Qt::Key_Right, true);
    sendKey(QEvent::KeyRelease, Qt::Key_Right, false);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_LINEDOWN, 2},
                                                 {tk::TB_LINEDOWN, 4},
                                                 {tk::TB_LINEDOWN, 6},
                                                 {tk::TB_ENDTRACK, 6}}));
}

TEST_F(ToolkitSliders, OtherKeysAreLeftToTheWindow)
{
    focus(pan);
    key(Qt::Key_Return);
    EXPECT_TRUE(dialog.eventsOf(EventKind::HScroll).empty());
    ASSERT_EQ(dialog.eventsOf(EventKind::Command).size(), 1u);
    EXPECT_EQ(dialog.eventsOf(EventKind::Command)[0].id, tk::IDOK);
}

TEST_F(ToolkitSliders, VerticalSliderHasItsMinimumAtTheTop)
{
    tilt->setPos(-15);
    const int top = tilt->thumbRect().center().y();
    tilt->setPos(45);
    const int bottom = tilt->thumbRect().center().y();
    EXPECT_LT(top, bottom);
    pan->setPos(-90);
    const int left = pan->thumbRect().center().x();
    pan->setPos(90);
    EXPECT_LT(left, pan->thumbRect().center().x());
}

TEST_F(ToolkitSliders, DraggingTheThumbTracksThenPositionsThenEnds)
{
    const QPoint start = inWindow(pan, pan->thumbRect().center());
    QTest::mousePress(window(), Qt::LeftButton, {}, start);
    EXPECT_TRUE(panScrolls().empty());
    QTest::mouseMove(window(), start + QPoint(6, 0));
    QTest::mouseMove(window(), start + QPoint(6, 1)); // no change of position
    QTest::mouseMove(window(), start + QPoint(12, 0));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, start + QPoint(12, 0));
    const std::vector<Scroll> seen = panScrolls();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].code, tk::TB_THUMBTRACK);
    EXPECT_EQ(seen[1].code, tk::TB_THUMBTRACK);
    EXPECT_GT(seen[0].position, 0);
    EXPECT_GT(seen[1].position, seen[0].position);
    EXPECT_EQ(seen[2], (Scroll{tk::TB_THUMBPOSITION, seen[1].position}));
    EXPECT_EQ(seen[3], (Scroll{tk::TB_ENDTRACK, seen[1].position}));
    EXPECT_EQ(pan->pos(), seen[1].position);
}

TEST_F(ToolkitSliders, ClickInTheChannelPagesTowardThePointerOnce)
{
    const QRect thumb = pan->thumbRect();
    const QPoint right = inWindow(pan, QPoint(pan->width() - 6, thumb.center().y()));
    click(right);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_PAGEDOWN, 2}, {tk::TB_ENDTRACK, 2}}));
    dialog.events.clear();
    const QPoint left = inWindow(pan, QPoint(6, thumb.center().y()));
    click(left);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_PAGEUP, 0}, {tk::TB_ENDTRACK, 0}}));
}

TEST_F(ToolkitSliders, HeldClickInTheChannelRepeatsButNeverPassesThePointer)
{
    const QRect thumb = pan->thumbRect();
    // Just right of the thumb: a few pages away.
    const QPoint pointer = inWindow(pan, QPoint(thumb.right() + 3, thumb.center().y()));
    QTest::mousePress(window(), Qt::LeftButton, {}, pointer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pan->thumbRect().contains(pan->mapFrom(&dialog, pointer)); }, 3000));
    const int reached = pan->pos();
    QTest::qWait(250); // more repeats would be due by now
    EXPECT_EQ(pan->pos(), reached);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, pointer);
    const std::vector<Scroll> seen = panScrolls();
    ASSERT_GE(seen.size(), 3u);
    for (std::size_t index = 0; index + 1 < seen.size(); ++index) {
        EXPECT_EQ(seen[index].code, tk::TB_PAGEDOWN);
        EXPECT_LE(seen[index].position, reached);
    }
    EXPECT_EQ(seen.back(), (Scroll{tk::TB_ENDTRACK, reached}));
}

TEST_F(ToolkitSliders, WheelStepsByLinesThenEndsTracking)
{
    const QPointF at = centreOf(pan);
    QWheelEvent away(at, tilt->mapToGlobal(QPoint()), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(window(), &away);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_LINEUP, -2}, {tk::TB_LINEUP, -4}, {tk::TB_ENDTRACK, -4}}));
    dialog.events.clear();
    QWheelEvent half(at, tilt->mapToGlobal(QPoint()), QPoint(), QPoint(0, -60), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(window(), &half);
    EXPECT_TRUE(panScrolls().empty());
    QApplication::sendEvent(window(), &half);
    EXPECT_EQ(panScrolls(), (std::vector<Scroll>{{tk::TB_LINEDOWN, -2}, {tk::TB_ENDTRACK, -2}}));
}

TEST_F(ToolkitSliders, LooksAsTheTemplateSays)
{
    for (tk::Trackbar *slider : {pan, tilt}) {
        EXPECT_EQ(slider->tickPosition(), QSlider::NoTicks);
        EXPECT_TRUE(slider->rect().contains(slider->thumbRect()));
        // Inside the sunken edge.
        EXPECT_GE(slider->thumbRect().left(), 2);
        EXPECT_GE(slider->thumbRect().top(), 2);
    }
}

} // namespace
