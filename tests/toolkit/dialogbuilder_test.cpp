#include "res/resource.h"
#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using tktest::RecordingDialog;

// The control that has the focus, or holds it in one of its parts.
QWidget *focusedControl(const RecordingDialog &dialog)
{
    for (QWidget *widget = QApplication::focusWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (std::find(dialog.window().controls().begin(), dialog.window().controls().end(), widget) != dialog.window().controls().end())
            return widget;
    }
    return nullptr;
}

// The tab stops of each window, in the order Tab visits them.
TEST(ToolkitDialogBuilder, TabVisitsTheTabStopsInTemplateOrderFromTheFirst)
{
    const std::vector<std::pair<const tk::DialogTemplate *, std::vector<int>>> windows{
        {&res::mainWindowTemplate(),
         {IDCANCEL,     IDC_ADDRESS,     IDC_CONNECT,    IDC_DISCONNECT,       IDC_STAND,          IDC_SIT,
          IDC_LIE_DOWN,     IDC_LINK_INDICATOR, IDC_STATUS,  IDC_STOP,             IDC_BATTERY_FIGURE, IDC_HELP_BUTTON,
          IDC_FORWARD,      IDC_WALK_STOP,   IDC_BACK,       IDC_RIGHT90,          IDC_LEFT90,         IDC_RIGHT45,
          IDC_LEFT45,       IDC_RIGHT180,    IDC_LEFT180,    IDC_LEFT_FRONT_KICK,  IDC_HEADING,        IDC_RIGHT_FRONT_KICK,
          IDC_CONTENT_LIST, IDC_PAN,         IDC_TILT,       IDC_RIGHT_BACK_KICK,  IDC_LEFT_BACK_KICK, IDC_GAS_ATTACK,
          IDC_BONE_GRAB,    IDC_BONE_PLAY}},
        {&res::versionDialogTemplate(), {IDOK, IDC_HELP_TEXT}},
    };
    for (const auto &[layout, stops] : windows) {
        SCOPED_TRACE(layout->title);
        RecordingDialog dialog(*layout);
        ASSERT_TRUE(tktest::showActive(dialog));
        std::vector<QWidget *> expected;
        for (const int id : stops)
            expected.push_back(dialog.widget(id));
        std::vector<QWidget *> forward{focusedControl(dialog)};
        for (std::size_t step = 0; step < expected.size(); ++step) {
            QTest::keyClick(dialog.window().windowHandle(), Qt::Key_Tab);
            forward.push_back(focusedControl(dialog));
        }
        expected.push_back(expected.front()); // and round again
        EXPECT_EQ(forward, expected);
        std::vector<QWidget *> backward{focusedControl(dialog)};
        for (std::size_t step = 1; step < expected.size(); ++step) {
            QTest::keyClick(dialog.window().windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
            backward.push_back(focusedControl(dialog));
        }
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(backward, expected);
    }
}

} // namespace
