#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace {

using tk::ControlKind;
using tktest::RecordingDialog;

// The class a control of the template is built as.
const QMetaObject *classOf(const tk::ControlTemplate &control)
{
    static const std::map<ControlKind, const QMetaObject *> classes{
        {ControlKind::PushButton, &tk::PushButton::staticMetaObject},
        {ControlKind::IpAddress, &tk::IpAddressField::staticMetaObject},
        {ControlKind::Label, &tk::StaticText::staticMetaObject},
        {ControlKind::Frame, &tk::StaticFrame::staticMetaObject},
        {ControlKind::Edit, &tk::Edit::staticMetaObject},
        {ControlKind::ProgressBar, &tk::ProgressBar::staticMetaObject},
        {ControlKind::TabControl, &tk::TabControl::staticMetaObject},
        {ControlKind::ListBox, &tk::ListBox::staticMetaObject},
        {ControlKind::Slider, &tk::Trackbar::staticMetaObject},
        {ControlKind::GroupBox, &tk::GroupBox::staticMetaObject}};
    if (control.kind == ControlKind::Edit && (control.style & tk::style::EsMultiline) != 0)
        return &tk::MultiLineEdit::staticMetaObject;
    return classes.at(control.kind);
}

struct Window
{
    const char *name;
    const tk::DialogTemplate &dialogTemplate;
    const char *title;
    bool minimiseBox;
};

// Named in test listings by its name alone.
void PrintTo(const Window &param, std::ostream *out)
{
    *out << param.name;
}

class ToolkitDialogBuilder : public testing::TestWithParam<Window>
{
protected:
    const tk::DialogTemplate &layout() const { return GetParam().dialogTemplate; }

    // The control that has the focus, or holds it in one of its parts.
    QWidget *focusedControl() const
    {
        for (QWidget *widget = QApplication::focusWidget(); widget != nullptr; widget = widget->parentWidget()) {
            if (std::find(dialog.controls().begin(), dialog.controls().end(), widget) != dialog.controls().end())
                return widget;
        }
        return nullptr;
    }

    RecordingDialog dialog{GetParam().dialogTemplate};
};

TEST_P(ToolkitDialogBuilder, BuildsEveryControlOnceAsItsTemplateSays)
{
    dialog.create();
    dialog.create();
    ASSERT_EQ(dialog.controls().size(), layout().controls.size());
    EXPECT_EQ(dialog.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(layout().controls.size()));
    for (std::size_t index = 0; index < layout().controls.size(); ++index) {
        const tk::ControlTemplate &control = layout().controls[index];
        QWidget *widget = dialog.controls()[index];
        SCOPED_TRACE(testing::Message() << "control #" << index + 1 << " id " << control.id);
        EXPECT_EQ(widget->metaObject(), classOf(control));
        EXPECT_EQ(widget->parentWidget(), &dialog);
        EXPECT_EQ(widget->property("templateId").toInt(), control.id);
        const tk::PixelRect rect = tk::duToPixels(control.x, control.y, control.cx, control.cy, dialog.baseUnits());
        EXPECT_EQ(widget->geometry(), QRect(rect.x, rect.y, rect.width, rect.height));
        EXPECT_EQ(widget->accessibleName(), QString::fromUtf8(control.caption));
        EXPECT_EQ(widget->isHidden(), (control.style & tk::style::Visible) == 0);
        EXPECT_EQ(widget->isEnabled(), (control.style & tk::style::Disabled) == 0);
        if (control.id != tk::kNoId) {
            EXPECT_EQ(tk::findControl(layout(), control.id), &control); // ids are unique per window
            EXPECT_EQ(dialog.item(control.id), widget);
        }
        if (auto *slider = qobject_cast<tk::Trackbar *>(widget)) {
            EXPECT_EQ(slider->orientation(), control.cx > control.cy ? Qt::Horizontal : Qt::Vertical);
        }
        if (auto *button = qobject_cast<tk::PushButton *>(widget)) {
            EXPECT_EQ(button->isDefault(), (control.style & tk::style::BsDefPushButton) != 0);
            EXPECT_FALSE(button->autoDefault());
        }
        switch (control.kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::GroupBox:
        case ControlKind::ProgressBar:
            EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
            break;
        case ControlKind::TabControl:
            EXPECT_EQ(widget->focusPolicy(), Qt::ClickFocus);
            EXPECT_EQ(static_cast<tk::TabControl *>(widget)->tabBar()->focusPolicy(), Qt::ClickFocus);
            break;
        default:
            EXPECT_TRUE(widget->focusPolicy() & Qt::TabFocus);
        }
    }
    EXPECT_EQ(dialog.item(tk::kNoId), nullptr);
    EXPECT_EQ(dialog.item(4242), nullptr);
    const auto button = std::find_if(layout().controls.begin(), layout().controls.end(),
                                     [](const tk::ControlTemplate &control) { return control.kind == ControlKind::PushButton; });
    ASSERT_NE(button, layout().controls.end());
    EXPECT_NE(dialog.item<tk::PushButton>(button->id), nullptr);
    EXPECT_EQ(dialog.item<tk::Trackbar>(button->id), nullptr);
}

TEST_P(ToolkitDialogBuilder, TabVisitsTheTabStopsInTemplateOrderFromTheFirst)
{
    ASSERT_TRUE(tktest::showActive(dialog));
    std::vector<QWidget *> expected;
    for (std::size_t index = 0; index < layout().controls.size(); ++index) {
        if (layout().controls[index].style & tk::style::TabStop)
            expected.push_back(dialog.controls()[index]);
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(QApplication::focusWidget(), expected.front());
    std::vector<QWidget *> forward{focusedControl()};
    for (std::size_t step = 0; step < expected.size(); ++step) {
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Tab);
        forward.push_back(focusedControl());
    }
    expected.push_back(expected.front()); // and round again
    EXPECT_EQ(forward, expected);
    std::vector<QWidget *> backward{focusedControl()};
    for (std::size_t step = 1; step < expected.size(); ++step) {
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
        backward.push_back(focusedControl());
    }
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(backward, expected);
}

INSTANTIATE_TEST_SUITE_P(, ToolkitDialogBuilder,
                         testing::Values(Window{"MainWindow", res::mainWindowTemplate(), "Korvan", true},
                                         Window{"VersionDialog", res::versionDialogTemplate(),
                                                "Korvan バージョン情報", false}),
                         [](const testing::TestParamInfo<Window> &window) { return std::string(window.param.name); });

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
