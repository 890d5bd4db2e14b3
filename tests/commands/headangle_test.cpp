#include "tests/support/cp932.h"
#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/windowevent.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using robotlink::LinkState;
using Calls = std::vector<std::string>;

namespace {

constexpr int kPan = 1036;
constexpr int kTilt = 1037;

class HeadAngle : public PanelTest
{
protected:
    tk::Trackbar *slider(int id) const { return panel->item<tk::Trackbar>(id); }

    void openOnline()
    {
        openPanel();
        goOnline();
    }

    void focusSlider(int id)
    {
        panel->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        control(id)->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(control(id)->hasFocus());
    }

    void press(int id, Qt::Key key)
    {
        focusSlider(id);
        pressKey(key);
    }

    // Records each notification a slider raises, and the call it should
    // have led to: both negated positions as they stand at that moment.
    void watch(int id)
    {
        QObject::connect(slider(id), &tk::Trackbar::scrolled, panel.get(), [this](int code) {
            codes.push_back(code);
            expectedCalls.push_back("ChangeHeadAngle(" + std::to_string(-slider(kPan)->pos()) + ", " +
                                    std::to_string(-slider(kTilt)->pos()) + ", 3, 0)");
        });
        QObject::connect(slider(id), &QSlider::valueChanged, panel.get(), [this] { ++positionChanges; });
    }

    // A path from the centre of a slider to a point well past one of its
    // ends, a few pixels at a time.
    std::vector<QPoint> pathFromCentre(int id, QPoint beyond) const
    {
        const QPoint centre = control(id)->rect().center();
        std::vector<QPoint> path{centre};
        const QPoint delta = beyond - centre;
        const int steps = std::max(std::abs(delta.x()), std::abs(delta.y())) / 3;
        for (int step = 1; step <= steps; ++step)
            path.push_back(centre + delta * step / steps);
        return path;
    }

    std::vector<int> codes;
    Calls expectedCalls;
    int positionChanges = 0;
};

TEST_F(HeadAngle, SetUpGivesRangesSizesAndPositionsAndSendsNothing)
{
    openPanel();
    tk::Trackbar *pan = slider(kPan);
    tk::Trackbar *tilt = slider(kTilt);
    ASSERT_NE(pan, nullptr);
    ASSERT_NE(tilt, nullptr);

    EXPECT_EQ(pan->orientation(), Qt::Horizontal);
    EXPECT_EQ(tilt->orientation(), Qt::Vertical);
    EXPECT_EQ(pan->minimum(), -90);
    EXPECT_EQ(pan->maximum(), 90);
    EXPECT_EQ(tilt->minimum(), -15);
    EXPECT_EQ(tilt->maximum(), 45);
    for (tk::Trackbar *each : {pan, tilt}) {
        EXPECT_EQ(each->pos(), 0);
        EXPECT_EQ(each->singleStep(), 2);
        EXPECT_EQ(each->pageStep(), 2);
    }
    EXPECT_TRUE(std::none_of(startupCalls.begin(), startupCalls.end(),
                             [](const std::string &call) { return call.starts_with("ChangeHeadAngle"); }));
    EXPECT_EQ(statusText(), "");
}

TEST_F(HeadAngle, PositioningASliderFromCodeSendsNothing)
{
    openOnline();
    const std::string before = statusText();
    slider(kPan)->setPos(30);
    slider(kTilt)->setPos(-10);
    QCoreApplication::processEvents();
    EXPECT_EQ(robot->calls, Calls{});
    EXPECT_EQ(statusText(), before);
}

struct KeyCase
{
    const char *name;
    int slider;
    Qt::Key key;
    const char *call;
    const char *status;
};

void PrintTo(const KeyCase &keyCase, std::ostream *out)
{
    *out << keyCase.name;
}

class OneKey : public HeadAngle, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(OneKey, SendsTheNegatedPositionsTwice)
{
    const KeyCase &keyCase = GetParam();
    openOnline();
    press(keyCase.slider, keyCase.key);
    EXPECT_EQ(robot->calls, (Calls{keyCase.call, keyCase.call})) << "the step, then the end of tracking";
    EXPECT_EQ(statusText(), keyCase.status);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OneKey,
    ::testing::Values(KeyCase{"PanRight", kPan, Qt::Key_Right, "ChangeHeadAngle(-2, 0, 3, 0)", "HeadAngle=( -2°, 0°)"},
                      KeyCase{"PanLeft", kPan, Qt::Key_Left, "ChangeHeadAngle(2, 0, 3, 0)", "HeadAngle=( 2°, 0°)"},
                      KeyCase{"PanDown", kPan, Qt::Key_Down, "ChangeHeadAngle(-2, 0, 3, 0)", "HeadAngle=( -2°, 0°)"},
                      KeyCase{"PanUp", kPan, Qt::Key_Up, "ChangeHeadAngle(2, 0, 3, 0)", "HeadAngle=( 2°, 0°)"},
                      KeyCase{"PanPageDown", kPan, Qt::Key_PageDown, "ChangeHeadAngle(-2, 0, 3, 0)",
                              "HeadAngle=( -2°, 0°)"},
                      KeyCase{"PanPageUp", kPan, Qt::Key_PageUp, "ChangeHeadAngle(2, 0, 3, 0)", "HeadAngle=( 2°, 0°)"},
                      KeyCase{"PanHome", kPan, Qt::Key_Home, "ChangeHeadAngle(90, 0, 3, 0)", "HeadAngle=( 90°, 0°)"},
                      KeyCase{"PanEnd", kPan, Qt::Key_End, "ChangeHeadAngle(-90, 0, 3, 0)", "HeadAngle=( -90°, 0°)"},
                      KeyCase{"TiltDown", kTilt, Qt::Key_Down, "ChangeHeadAngle(0, -2, 3, 0)", "HeadAngle=( 0°, -2°)"},
                      KeyCase{"TiltUp", kTilt, Qt::Key_Up, "ChangeHeadAngle(0, 2, 3, 0)", "HeadAngle=( 0°, 2°)"},
                      KeyCase{"TiltPageDown", kTilt, Qt::Key_PageDown, "ChangeHeadAngle(0, -2, 3, 0)",
                              "HeadAngle=( 0°, -2°)"},
                      KeyCase{"TiltPageUp", kTilt, Qt::Key_PageUp, "ChangeHeadAngle(0, 2, 3, 0)",
                              "HeadAngle=( 0°, 2°)"},
                      KeyCase{"TiltHome", kTilt, Qt::Key_Home, "ChangeHeadAngle(0, 15, 3, 0)", "HeadAngle=( 0°, 15°)"},
                      KeyCase{"TiltEnd", kTilt, Qt::Key_End, "ChangeHeadAngle(0, -45, 3, 0)",
                              "HeadAngle=( 0°, -45°)"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(HeadAngle, StatusShowsTheAnglesBeforeTheCall)
{
    openOnline();
    logStatusChanges();
    press(kPan, Qt::Key_Left);
    // The second notification writes the same text again, which changes nothing.
    EXPECT_EQ(robot->calls, (Calls{"Status(HeadAngle=( 2°, 0°))", "ChangeHeadAngle(2, 0, 3, 0)",
                                   "ChangeHeadAngle(2, 0, 3, 0)"}));
}

TEST_F(HeadAngle, EachSliderSendsTheOthersAngleToo)
{
    openOnline();
    press(kPan, Qt::Key_End);
    robot->calls.clear();
    press(kTilt, Qt::Key_Down);
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(-90, -2, 3, 0)", "ChangeHeadAngle(-90, -2, 3, 0)"}));
    robot->calls.clear();
    press(kPan, Qt::Key_PageUp);
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(-88, -2, 3, 0)", "ChangeHeadAngle(-88, -2, 3, 0)"}));
    EXPECT_EQ(statusText(), "HeadAngle=( -88°, -2°)");
}

TEST_F(HeadAngle, RepeatedKeysStepByTwoEachTime)
{
    openOnline();
    for (int press = 0; press < 3; ++press)
        this->press(kTilt, Qt::Key_Up);
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(0, 2, 3, 0)", "ChangeHeadAngle(0, 2, 3, 0)",
                                   "ChangeHeadAngle(0, 4, 3, 0)", "ChangeHeadAngle(0, 4, 3, 0)",
                                   "ChangeHeadAngle(0, 6, 3, 0)", "ChangeHeadAngle(0, 6, 3, 0)"}));
}

TEST_F(HeadAngle, PressAndReleaseOnTheThumbSendsTwice)
{
    openOnline();
    watch(kPan);
    drag(control(kPan), {control(kPan)->rect().center()});
    EXPECT_EQ(codes, (std::vector<int>{tk::TB_THUMBPOSITION, tk::TB_ENDTRACK}));
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(0, 0, 3, 0)", "ChangeHeadAngle(0, 0, 3, 0)"}));
    EXPECT_EQ(statusText(), "HeadAngle=( 0°, 0°)");
}

TEST_F(HeadAngle, ClickInTheChannelPagesTowardThePointer)
{
    openOnline();
    watch(kPan);
    const QWidget *pan = control(kPan);
    clickAt(control(kPan), QPoint(4, pan->height() / 2));
    EXPECT_EQ(codes, (std::vector<int>{tk::TB_PAGEUP, tk::TB_ENDTRACK}));
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(2, 0, 3, 0)", "ChangeHeadAngle(2, 0, 3, 0)"}));
}

TEST_F(HeadAngle, DraggingPanToItsLeftEndSendsOneCallPerNotification)
{
    openOnline();
    watch(kPan);
    const QWidget *pan = control(kPan);

    drag(control(kPan), pathFromCentre(kPan, QPoint(-20, pan->height() / 2)));

    ASSERT_GE(codes.size(), 4u) << "a drag across half the slider moves the thumb several times";
    EXPECT_EQ(std::count(codes.begin(), codes.end() - 2, tk::TB_THUMBTRACK), positionChanges);
    EXPECT_EQ(static_cast<int>(codes.size()), positionChanges + 2);
    EXPECT_EQ(codes[codes.size() - 2], tk::TB_THUMBPOSITION);
    EXPECT_EQ(codes.back(), tk::TB_ENDTRACK);
    EXPECT_EQ(robot->calls, expectedCalls);
    EXPECT_EQ(robot->calls.back(), "ChangeHeadAngle(90, 0, 3, 0)");
    EXPECT_EQ(statusText(), "HeadAngle=( 90°, 0°)");
}

TEST_F(HeadAngle, PanRightEndAndTiltTopByDragging)
{
    openOnline();
    // At the middle of its range the thumb sits at the slider's centre.
    slider(kTilt)->setPos(15);
    watch(kPan);
    watch(kTilt);
    const QWidget *pan = control(kPan);
    const QWidget *tilt = control(kTilt);

    drag(control(kPan), pathFromCentre(kPan, QPoint(pan->width() + 20, pan->height() / 2)));
    drag(control(kTilt), pathFromCentre(kTilt, QPoint(tilt->width() / 2, -20)));

    EXPECT_EQ(slider(kPan)->pos(), 90);
    EXPECT_EQ(slider(kTilt)->pos(), -15);
    EXPECT_EQ(static_cast<int>(codes.size()), positionChanges + 4);
    EXPECT_EQ(robot->calls, expectedCalls);
    EXPECT_EQ(robot->calls.back(), "ChangeHeadAngle(-90, 15, 3, 0)");
    EXPECT_EQ(statusText(), "HeadAngle=( -90°, 15°)");
}

TEST_F(HeadAngle, DraggingTiltDownSendsItsBottomAsMinus45)
{
    openOnline();
    slider(kTilt)->setPos(15);
    watch(kTilt);
    const QWidget *tilt = control(kTilt);

    drag(control(kTilt), pathFromCentre(kTilt, QPoint(tilt->width() / 2, tilt->height() + 20)));

    EXPECT_EQ(robot->calls, expectedCalls);
    EXPECT_EQ(robot->calls.back(), "ChangeHeadAngle(0, -45, 3, 0)");
}

TEST_F(HeadAngle, ScrollEventsFromOtherControlsSendNothing)
{
    openOnline();
    const std::string before = statusText();
    QWidget *button = control(1003);
    for (QWidget *other : {static_cast<QWidget *>(slider(kTilt)), button, static_cast<QWidget *>(nullptr)})
        panel->dispatch({.kind = tk::EventKind::HScroll, .code = tk::TB_LINEDOWN, .control = other});
    for (QWidget *other : {static_cast<QWidget *>(slider(kPan)), button, static_cast<QWidget *>(nullptr)})
        panel->dispatch({.kind = tk::EventKind::VScroll, .code = tk::TB_LINEDOWN, .control = other});
    EXPECT_EQ(robot->calls, Calls{});
    EXPECT_EQ(statusText(), before);

    // The same events from the right slider do go through.
    panel->dispatch({.kind = tk::EventKind::HScroll, .code = tk::TB_ENDTRACK, .control = slider(kPan)});
    panel->dispatch({.kind = tk::EventKind::VScroll, .code = tk::TB_ENDTRACK, .control = slider(kTilt)});
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(0, 0, 3, 0)", "ChangeHeadAngle(0, 0, 3, 0)"}));
}

TEST_F(HeadAngle, IgnoresTheCodeAndPositionTheEventCarries)
{
    openOnline();
    slider(kPan)->setPos(-40);
    panel->dispatch({.kind = tk::EventKind::HScroll, .code = tk::TB_TOP, .position = 77, .control = slider(kPan)});
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(40, 0, 3, 0)"}));
    EXPECT_EQ(statusText(), "HeadAngle=( 40°, 0°)");
}

class WhileNotOnline : public HeadAngle, public ::testing::WithParamInterface<LinkState>
{
};

TEST_P(WhileNotOnline, SlidersMoveButSendNothing)
{
    openPanel();
    enterLinkState(GetParam());
    const std::string before = statusText();

    press(kPan, Qt::Key_Right);
    press(kTilt, Qt::Key_End);
    drag(control(kPan), pathFromCentre(kPan, QPoint(-20, control(kPan)->height() / 2)));

    EXPECT_EQ(slider(kPan)->pos(), -90);
    EXPECT_EQ(slider(kTilt)->pos(), 45);
    EXPECT_EQ(robot->calls, Calls{});
    EXPECT_EQ(statusText(), before);
}

INSTANTIATE_TEST_SUITE_P(States, WhileNotOnline,
                         ::testing::Values(LinkState::Offline, LinkState::Connecting, LinkState::Disconnecting),
                         [](const auto &test) { return linkStateName(test.param); });

TEST_F(HeadAngle, PositionsChosenOfflineGoWithTheNextEventOnceOnline)
{
    openPanel();
    press(kPan, Qt::Key_Home);
    ASSERT_EQ(robot->calls, Calls{});

    post(robotlink::kConnectMessageId);
    ASSERT_EQ(panel->linkState(), LinkState::Online);
    EXPECT_TRUE(std::none_of(robot->calls.begin(), robot->calls.end(),
                             [](const std::string &call) { return call.starts_with("ChangeHeadAngle"); }));
    robot->calls.clear();

    press(kTilt, Qt::Key_Down);
    EXPECT_EQ(robot->calls, (Calls{"ChangeHeadAngle(90, -2, 3, 0)", "ChangeHeadAngle(90, -2, 3, 0)"}));
}

TEST_F(HeadAngle, StatusTextIsExactCodePage932)
{
    openOnline();
    press(kPan, Qt::Key_Home);
    EXPECT_EQ(cp932::fromUtf8(statusText()), "HeadAngle=( 90\x81\x8B, 0\x81\x8B)");
    press(kPan, Qt::Key_End);
    press(kTilt, Qt::Key_Home);
    EXPECT_EQ(cp932::fromUtf8(statusText()), "HeadAngle=( -90\x81\x8B, 15\x81\x8B)");
}

} // namespace
