#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/edges.h"

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

// Pixels along the line through the thumb's middle, in the direction the
// thumb moves.
std::vector<QRgb> alongTheThumb(tk::Trackbar *slider, const QImage &picture)
{
    const QPoint middle = slider->thumbRect().center();
    const bool horizontal = slider->orientation() == Qt::Horizontal;
    std::vector<QRgb> line;
    for (int at = 0; at < (horizontal ? picture.width() : picture.height()); ++at)
        line.push_back(horizontal ? picture.pixel(at, middle.y()) : picture.pixel(middle.x(), at));
    return line;
}

TEST_F(ToolkitSliders, ChannelIsNotFilledUpToTheThumb)
{
    pan->setPos(40);
    for (tk::Trackbar *slider : {pan, tilt}) {
        SCOPED_TRACE(slider == pan ? "pan" : "tilt");
        const QImage picture = slider->grab().toImage();
        const QRect thumb = slider->thumbRect();
        const std::vector<QRgb> line = alongTheThumb(slider, picture);
        const bool horizontal = slider->orientation() == Qt::Horizontal;
        const int before = (horizontal ? thumb.left() : thumb.top()) - 2;
        const int after = (horizontal ? thumb.right() : thumb.bottom()) + 2;
        // The channel looks the same on both sides of the thumb.
        EXPECT_EQ(line[before], line[after]);
        EXPECT_NE(line[before], slider->palette().color(QPalette::Button).rgb());
        const QRgb highlight = slider->palette().color(QPalette::Highlight).rgb();
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_NE(picture.pixel(x, y), highlight) << x << "," << y;
        }
    }
}

TEST_F(ToolkitSliders, ThumbIsARaisedRectangleWithBothSidesAlike)
{
    for (tk::Trackbar *slider : {pan, tilt}) {
        SCOPED_TRACE(slider == pan ? "pan" : "tilt");
        const QImage picture = slider->grab().toImage();
        const QRect thumb = slider->thumbRect();
        const QPalette palette = slider->palette();
        EXPECT_EQ(picture.pixel(thumb.topLeft()), palette.color(QPalette::Light).rgb());
        EXPECT_EQ(picture.pixel(thumb.bottomRight()), palette.color(QPalette::Shadow).rgb());
        EXPECT_EQ(picture.pixel(thumb.topRight()), palette.color(QPalette::Shadow).rgb());
        EXPECT_EQ(picture.pixel(thumb.bottomLeft()), palette.color(QPalette::Shadow).rgb());
        EXPECT_EQ(picture.pixel(thumb.center()), palette.color(QPalette::Button).rgb());
        // Its long side lies across the channel.
        if (slider->orientation() == Qt::Horizontal)
            EXPECT_GT(thumb.height(), thumb.width());
        else
            EXPECT_GT(thumb.width(), thumb.height());
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
    const int height = pan->height() - 2 * client;
    EXPECT_NEAR(dotsOnTheLeft(), height / 2, 1);
}

TEST_F(ToolkitSliders, ThumbMovedAcrossTheChannelKeepsItsPosition)
{
    // Several positions share a pixel; a move that does not change the
    // pixel along the channel must not pick another of them.
    for (int position = -90; position <= 90; position += 5) {
        pan->setPos(position);
        const QPoint start = inWindow(pan, pan->thumbRect().center());
        QTest::mousePress(window(), Qt::LeftButton, {}, start);
        QTest::mouseMove(window(), start + QPoint(0, 2));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, start + QPoint(0, 2));
        EXPECT_EQ(pan->pos(), position);
    }
}

TEST_F(ToolkitSliders, DraggedThumbFollowsThePointerPixelByPixel)
{
    for (tk::Trackbar *slider : {pan, tilt}) {
        SCOPED_TRACE(slider == pan ? "pan" : "tilt");
        const bool horizontal = slider->orientation() == Qt::Horizontal;
        slider->setPos(slider->minimum());
        const QPoint grab = slider->thumbRect().center();
        const QPoint first = slider->thumbRect().topLeft();
        QTest::mousePress(window(), Qt::LeftButton, {}, inWindow(slider, grab));
        for (int pixels = 1; slider->pos() < slider->maximum(); ++pixels) {
            const QPoint by = horizontal ? QPoint(pixels, 0) : QPoint(0, pixels);
            QTest::mouseMove(window(), inWindow(slider, grab + by));
            if (slider->pos() < slider->maximum()) {
                ASSERT_EQ(slider->thumbRect().topLeft(), first + by) << pixels;
            }
            ASSERT_LT(pixels, 200);
        }
        QTest::mouseRelease(window(), Qt::LeftButton, {}, inWindow(slider, grab));
    }
}

} // namespace
