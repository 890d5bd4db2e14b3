#include "res/resource.h"
#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/trackbar.h"

#include <QApplication>

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
        pan = dialog.widget<tk::qt::Trackbar>(IDC_PAN);
        tilt = dialog.widget<tk::qt::Trackbar>(IDC_TILT);
        ASSERT_NE(pan, nullptr);
        ASSERT_NE(tilt, nullptr);
        // The panel's ranges; pages and lines differ on the tilt slider.
        pan->setRangeMin(-90);
        pan->setRangeMax(90);
        tilt->setRangeMin(-15);
        tilt->setRangeMax(45);
        pan->setPageSize(2);
        pan->setLineSize(2);
        tilt->setPageSize(5);
        tilt->setLineSize(1);
        dialog.events.clear();
    }

    // The slider's own notifications; the other kind must not be raised.
    Scrolls scrolls(const tk::qt::Trackbar *slider) const
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

    void focus(tk::qt::Trackbar *slider)
    {
        slider->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), slider);
    }

    void drag(tk::qt::Trackbar *slider, const QPoint &from, const std::vector<QPoint> &moves)
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, inWindow(slider, from));
        for (const QPoint &move : moves)
            QTest::mouseMove(window(), inWindow(slider, from + move));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, inWindow(slider, from + moves.back()));
    }

    tk::qt::Trackbar *pan = nullptr;
    tk::qt::Trackbar *tilt = nullptr;
};

TEST_F(ToolkitSliders, KeysStepThenEndTrackingAndNeverStepPastTheLimit)
{
    struct Case
    {
        tk::qt::Trackbar *slider;
        int start;
        std::vector<Qt::Key> keys;
        Scrolls expected;
    };
    const std::vector<Case> cases{
        {pan, 0, {Qt::Key_Right}, {{TB_LINEDOWN, 2}, {TB_ENDTRACK, 2}}},
        {pan, 0, {Qt::Key_Up}, {{TB_LINEUP, -2}, {TB_ENDTRACK, -2}}},
        {tilt, 0, {Qt::Key_PageDown, Qt::Key_Up, Qt::Key_End, Qt::Key_Home},
         {{TB_PAGEDOWN, 5}, {TB_ENDTRACK, 5}, {TB_LINEUP, 4}, {TB_ENDTRACK, 4},
          {TB_BOTTOM, 45}, {TB_ENDTRACK, 45}, {TB_TOP, -15}, {TB_ENDTRACK, -15}}},
        {pan, -90, {Qt::Key_Left, Qt::Key_Home}, {{TB_ENDTRACK, -90}, {TB_ENDTRACK, -90}}},
        {tilt, 45, {Qt::Key_Down}, {{TB_ENDTRACK, 45}}},
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
    EXPECT_EQ(dialog.eventsOf(EventKind::Command)[0].id, IDOK);
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
    EXPECT_EQ(seen, (Scrolls{{TB_THUMBTRACK, first}, {TB_THUMBTRACK, last}, {TB_THUMBPOSITION, last},
                             {TB_ENDTRACK, last}}));
    EXPECT_EQ(pan->position(), last);
}

TEST_F(ToolkitSliders, ClickInTheChannelPagesTowardThePointerOnce)
{
    const int middle = pan->thumbRect().center().y();
    click(inWindow(pan, QPoint(pan->width() - 6, middle)));
    EXPECT_EQ(scrolls(pan), (Scrolls{{TB_PAGEDOWN, 2}, {TB_ENDTRACK, 2}}));
    dialog.events.clear();
    click(inWindow(pan, QPoint(6, middle)));
    EXPECT_EQ(scrolls(pan), (Scrolls{{TB_PAGEUP, 0}, {TB_ENDTRACK, 0}}));
}

} // namespace
