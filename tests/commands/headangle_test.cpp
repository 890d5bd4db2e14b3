#include "tests/support/cp932.h"
#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/windowevent.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using robotlink::LinkState;
using Calls = std::vector<std::string>;

namespace {

std::string headCall(int pan, int tilt)
{
    return "ChangeHeadAngle(" + std::to_string(pan) + ", " + std::to_string(tilt) + ", 3, 0)";
}

std::string headStatus(int pan, int tilt)
{
    return "HeadAngle=( " + std::to_string(pan) + "°, " + std::to_string(tilt) + "°)";
}

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
            expectedCalls.push_back(headCall(-slider(IDC_PAN)->position(), -slider(IDC_TILT)->position()));
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

// One press: the step, then the end of tracking, each sending the negated
// positions.
TEST_F(HeadAngle, OneKeySendsTheNegatedPositionsTwice)
{
    struct KeyCase
    {
        int slider;
        Qt::Key key;
        int pan, tilt;
    };
    for (const KeyCase &keyCase : {KeyCase{IDC_PAN, Qt::Key_Right, -2, 0}, KeyCase{IDC_PAN, Qt::Key_Left, 2, 0},
                                   KeyCase{IDC_PAN, Qt::Key_Down, -2, 0}, KeyCase{IDC_PAN, Qt::Key_Up, 2, 0},
                                   KeyCase{IDC_PAN, Qt::Key_PageDown, -2, 0}, KeyCase{IDC_PAN, Qt::Key_PageUp, 2, 0},
                                   KeyCase{IDC_PAN, Qt::Key_Home, 90, 0}, KeyCase{IDC_PAN, Qt::Key_End, -90, 0},
                                   KeyCase{IDC_TILT, Qt::Key_Down, 0, -2}, KeyCase{IDC_TILT, Qt::Key_Up, 0, 2},
                                   KeyCase{IDC_TILT, Qt::Key_PageDown, 0, -2}, KeyCase{IDC_TILT, Qt::Key_PageUp, 0, 2},
                                   KeyCase{IDC_TILT, Qt::Key_Home, 0, 15}, KeyCase{IDC_TILT, Qt::Key_End, 0, -45}}) {
        SCOPED_TRACE(std::to_string(keyCase.slider) + " key " + std::to_string(keyCase.key));
        openOnline();
        press(keyCase.slider, keyCase.key);
        const std::string call = headCall(keyCase.pan, keyCase.tilt);
        EXPECT_EQ(robot->calls, (Calls{call, call}));
        EXPECT_EQ(statusText(), headStatus(keyCase.pan, keyCase.tilt));
    }
}

TEST_F(HeadAngle, StatusShowsTheAnglesInCodePage932BeforeTheCall)
{
    openOnline();
    logStatusChanges();
    press(IDC_PAN, Qt::Key_Left);
    // The second notification writes the same text again, which changes nothing.
    EXPECT_EQ(robot->calls, (Calls{"Status(HeadAngle=( 2°, 0°))", "ChangeHeadAngle(2, 0, 3, 0)",
                                   "ChangeHeadAngle(2, 0, 3, 0)"}));
    // The degree sign is the full-width one of code page 932.
    EXPECT_EQ(cp932::fromUtf8(statusText()), "HeadAngle=( 2\x81\x8B, 0\x81\x8B)");
    press(IDC_PAN, Qt::Key_End);
    press(IDC_TILT, Qt::Key_Home);
    EXPECT_EQ(cp932::fromUtf8(statusText()), "HeadAngle=( -90\x81\x8B, 15\x81\x8B)");
}

} // namespace
