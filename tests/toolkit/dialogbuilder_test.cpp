#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace {

using tktest::RecordingDialog;

// The control that has the focus, or holds it in one of its parts.
QWidget *focusedControl(const RecordingDialog &dialog)
{
    for (QWidget *widget = QApplication::focusWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (std::find(dialog.controls().begin(), dialog.controls().end(), widget) != dialog.controls().end())
            return widget;
    }
    return nullptr;
}

TEST(ToolkitDialogBuilder, TabVisitsTheTabStopsInTemplateOrderFromTheFirst)
{
    for (const tk::DialogTemplate *layout : {&res::mainWindowTemplate(), &res::versionDialogTemplate()}) {
        SCOPED_TRACE(layout->title);
        RecordingDialog dialog(*layout);
        ASSERT_TRUE(tktest::showActive(dialog));
        std::vector<QWidget *> expected;
        for (std::size_t index = 0; index < layout->controls.size(); ++index) {
            if (layout->controls[index].style & tk::style::TabStop)
                expected.push_back(dialog.controls()[index]);
        }
        ASSERT_FALSE(expected.empty());
        std::vector<QWidget *> forward{focusedControl(dialog)};
        for (std::size_t step = 0; step < expected.size(); ++step) {
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Tab);
            forward.push_back(focusedControl(dialog));
        }
        expected.push_back(expected.front()); // and round again
        EXPECT_EQ(forward, expected);
        std::vector<QWidget *> backward{focusedControl(dialog)};
        for (std::size_t step = 1; step < expected.size(); ++step) {
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
            backward.push_back(focusedControl(dialog));
        }
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(backward, expected);
    }
}

TEST(ToolkitMulDiv, RoundsHalvesAwayFromZeroWithoutOverflow)
{
    struct Case
    {
        int number, numerator, denominator, expected;
    };
    for (const Case &c : {Case{7, 3, 2, 11}, {-7, 3, 2, -11}, {7, -3, 2, -11}, {7, 3, -2, -11}, {-7, -3, 2, 11},
                          {10, 1, 4, 3}, {9, 1, 4, 2}, {11, 1, 4, 3}, {-9, 1, 4, -2}, {-11, 1, 4, -3},
                          {INT_MAX, 4, 4, INT_MAX}, {INT_MIN + 1, 3, 3, INT_MIN + 1}, {1 << 30, 8, 16, 1 << 29},
                          {5, 3, 0, -1}, {0, 0, 0, -1}})
        EXPECT_EQ(tk::mulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << "*" << c.numerator << "/" << c.denominator;
}

} // namespace
