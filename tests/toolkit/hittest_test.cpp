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

    // The widget a real click at a point of the window is delivered to.
    QWidget *pressed(const QPoint &point)
    {
        PressRecorder recorder;
        click(point);
        return recorder.receivers.empty() ? nullptr : static_cast<QWidget *>(recorder.receivers.front());
    }
};

TEST_F(ToolkitHitTesting, ClicksReachTheControlsUnderFramesLabelsAndTheGroupOnBothPages)
{
    for (const int page : {0, 1}) {
        showPage(page);
        int visible = 0;
        int clicked = 0;
        for (std::size_t index = 0; index < layout().controls.size(); ++index) {
            QWidget *control = dialog.controls()[index];
            if (isStatic(layout().controls[index]) || !control->isVisible())
                continue;
            ++visible;
            if (!overlappedByAStatic(index))
                continue;
            SCOPED_TRACE(testing::Message() << "page " << page << " control #" << index + 1 << " id "
                                            << layout().controls[index].id);
            const std::optional<QPoint> point = uncoveredPoint(index);
            ASSERT_TRUE(point.has_value()) << "no point of the control is uncovered";
            QWidget *receiver = pressed(*point);
            ASSERT_NE(receiver, nullptr);
            EXPECT_TRUE(receiver == control || control->isAncestorOf(receiver))
                << "the press went to " << receiver->metaObject()->className();
            ++clicked;
        }
        // Everything lies inside the outer frame, so every visible control counts.
        EXPECT_EQ(clicked, visible) << "page " << page;
    }
    EXPECT_FALSE(dialog.eventsOf(tk::EventKind::HScroll).empty()); // the sliders in the group took theirs
    EXPECT_FALSE(dialog.eventsOf(tk::EventKind::VScroll).empty());
    // A click on a label goes past it.
    for (std::size_t index = 0; index < layout().controls.size(); ++index) {
        QWidget *label = dialog.controls()[index];
        if (layout().controls[index].kind == ControlKind::Label && label->isVisible()) {
            EXPECT_NE(pressed(label->geometry().topLeft() + QPoint(1, 1)), label) << "label #" << index + 1;
        }
    }
}

} // namespace
