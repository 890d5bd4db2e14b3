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

} // namespace
