#include "tests/support/cp932.h"
#include "tests/support/panelfixture.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Calls = std::vector<std::string>;

namespace {

class HeadAngle : public PanelTest
{
protected:
    void press(int id, Key key)
    {
        focus(id);
        pressKey(key);
    }
};

// One press: the step, then the end of tracking, each sending both negated
// positions, the status line showing them first.
TEST_F(HeadAngle, OneKeySendsTheNegatedPositionsTwice)
{
    struct KeyCase
    {
        int slider;
        Key key;
        int pan, tilt;
    };
    for (const KeyCase &keyCase : {KeyCase{IDC_PAN, Key::Right, -2, 0}, KeyCase{IDC_PAN, Key::Home, 90, 0},
                                   KeyCase{IDC_TILT, Key::Up, 0, 2}, KeyCase{IDC_TILT, Key::End, 0, -45}}) {
        SCOPED_TRACE(std::to_string(keyCase.slider) + " key " + std::to_string(static_cast<int>(keyCase.key)));
        openPanel();
        goOnline();
        logStatusChanges();
        press(keyCase.slider, keyCase.key);
        const std::string call =
            "ChangeHeadAngle(" + std::to_string(keyCase.pan) + ", " + std::to_string(keyCase.tilt) + ", 3, 0)";
        const std::string status =
            "HeadAngle=( " + std::to_string(keyCase.pan) + "°, " + std::to_string(keyCase.tilt) + "°)";
        EXPECT_EQ(robot->calls, (Calls{"Status(" + status + ")", call, call}));
    }
    // The degree sign is the full-width one of code page 932.
    EXPECT_EQ(cp932::fromUtf8(statusText()), "HeadAngle=( 0\x81\x8B, -45\x81\x8B)");
}

} // namespace
