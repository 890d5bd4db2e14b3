#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QMouseEvent>

#include <optional>

namespace {

using tk::ControlKind;

bool isStatic(const tk::ControlTemplate &control)
{
    return control.kind == ControlKind::Label || control.kind == ControlKind::Frame
        || control.kind == ControlKind::GroupBox;
}

// Records which widget each mouse press is delivered to.
class PressRecorder : public QObject
{
public:
    PressRecorder() { QApplication::instance()->installEventFilter(this); }
    ~PressRecorder() override { QApplication::instance()->removeEventFilter(this); }

    std::vector<QObject *> receivers;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType())
            receivers.push_back(watched);
        return false;
    }
};

class ToolkitHitTesting : public tktest::ShownMainWindow
{
protected:
    const tk::DialogTemplate &layout() const { return res::mainWindowTemplate(); }

    // Shows one page's controls and hides the other's, as the panel does.
    void showPage(int page)
    {
        for (std::size_t index = 0; index < layout().controls.size(); ++index) {
            const int controlPage = layout().controls[index].page;
            if (controlPage != tk::kAllPages)
                dialog.controls()[index]->setVisible(controlPage == page);
        }
    }

    // A point of the control that no visible control created after it covers.
    std::optional<QPoint> uncoveredPoint(std::size_t index) const
    {
        const QRect area = dialog.controls()[index]->geometry();
        const auto covered = [&](const QPoint &point) {
            for (std::size_t later = index + 1; later < layout().controls.size(); ++later) {
                QWidget *widget = dialog.controls()[later];
                if (!isStatic(layout().controls[later]) && widget->isVisible() && widget->geometry().contains(point))
                    return true;
            }
            return false;
        };
        if (!covered(area.center()))
            return area.center();
        for (int y = area.top() + 2; y < area.bottom() - 1; y += 3) {
            for (int x = area.left() + 2; x < area.right() - 1; x += 3) {
                if (!covered({x, y}))
                    return QPoint(x, y);
            }
        }
        return std::nullopt;
    }

    bool overlappedByAStatic(std::size_t index) const
    {
        const QRect area = dialog.controls()[index]->geometry();
        for (std::size_t other = 0; other < layout().controls.size(); ++other) {
            if (isStatic(layout().controls[other]) && dialog.controls()[other]->geometry().intersects(area))
                return true;
        }
        return false;
    }

    // Clicks every visible control that a static overlaps; returns how many.
    int expectClicksReachTheControls()
    {
        int clicked = 0;
        for (std::size_t index = 0; index < layout().controls.size(); ++index) {
            QWidget *control = dialog.controls()[index];
            if (isStatic(layout().controls[index]) || !control->isVisible() || !overlappedByAStatic(index))
                continue;
            SCOPED_TRACE(testing::Message() << "control #" << index + 1 << " id " << layout().controls[index].id);
            const std::optional<QPoint> point = uncoveredPoint(index);
            if (!point) {
                ADD_FAILURE() << "no point of the control is uncovered";
                continue;
            }
            PressRecorder recorder;
            click(*point);
            if (recorder.receivers.empty()) {
                ADD_FAILURE() << "the press reached no widget";
                continue;
            }
            QWidget *receiver = static_cast<QWidget *>(recorder.receivers.front());
            EXPECT_TRUE(receiver == control || control->isAncestorOf(receiver))
                << "the press went to " << receiver->metaObject()->className();
            ++clicked;
        }
        return clicked;
    }

    int visibleControls() const
    {
        int count = 0;
        for (std::size_t index = 0; index < layout().controls.size(); ++index)
            count += !isStatic(layout().controls[index]) && dialog.controls()[index]->isVisible() ? 1 : 0;
        return count;
    }
};

TEST_F(ToolkitHitTesting, ClicksReachTheControlsUnderFramesLabelsAndTheGroupOnTheWalkingPage)
{
    showPage(0);
    // Everything lies inside the outer frame, so every visible control counts.
    EXPECT_EQ(expectClicksReachTheControls(), visibleControls());
}

TEST_F(ToolkitHitTesting, ClicksReachTheControlsUnderFramesLabelsAndTheGroupOnTheContentPage)
{
    showPage(1);
    // The outer frame covers all of them here too.
    EXPECT_EQ(expectClicksReachTheControls(), visibleControls());
}

TEST_F(ToolkitHitTesting, SlidersInTheHeadAngleGroupTakeTheirClicks)
{
    for (int id : {1036, 1037}) {
        auto *slider = dialog.item<tk::Trackbar>(id);
        PressRecorder recorder;
        click(centreOf(slider));
        ASSERT_FALSE(recorder.receivers.empty());
        EXPECT_EQ(recorder.receivers.front(), slider);
        EXPECT_FALSE(dialog.eventsOf(id == 1036 ? tk::EventKind::HScroll : tk::EventKind::VScroll).empty());
    }
}

TEST_F(ToolkitHitTesting, ClickOnALabelGoesToTheWindowItself)
{
    for (std::size_t index = 0; index < layout().controls.size(); ++index) {
        if (layout().controls[index].kind != ControlKind::Label)
            continue;
        QWidget *label = dialog.controls()[index];
        SCOPED_TRACE(testing::Message() << "label #" << index + 1);
        PressRecorder recorder;
        click(label->geometry().topLeft() + QPoint(1, 1));
        ASSERT_FALSE(recorder.receivers.empty());
        EXPECT_NE(recorder.receivers.front(), label);
    }
}

} // namespace
