#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/dialogfont.h"

#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using tk::ControlKind;
using tktest::RecordingDialog;

bool isKind(QWidget *widget, const tk::ControlTemplate &control)
{
    switch (control.kind) {
    case ControlKind::PushButton:
        return qobject_cast<tk::PushButton *>(widget) != nullptr;
    case ControlKind::IpAddress:
        return qobject_cast<tk::IpAddressField *>(widget) != nullptr;
    case ControlKind::Label:
        return qobject_cast<tk::StaticText *>(widget) != nullptr;
    case ControlKind::Frame:
        return qobject_cast<tk::StaticFrame *>(widget) != nullptr;
    case ControlKind::Edit:
        return (control.style & tk::style::EsMultiline) != 0 ? qobject_cast<tk::MultiLineEdit *>(widget) != nullptr
                                                              : qobject_cast<tk::Edit *>(widget) != nullptr;
    case ControlKind::ProgressBar:
        return qobject_cast<tk::ProgressBar *>(widget) != nullptr;
    case ControlKind::TabControl:
        return qobject_cast<tk::TabControl *>(widget) != nullptr;
    case ControlKind::ListBox:
        return qobject_cast<tk::ListBox *>(widget) != nullptr;
    case ControlKind::Slider:
        return qobject_cast<tk::Trackbar *>(widget) != nullptr;
    case ControlKind::GroupBox:
        return qobject_cast<tk::GroupBox *>(widget) != nullptr;
    }
    return false;
}

QRect converted(const tk::ControlTemplate &control, const tk::BaseUnits &units)
{
    const tk::PixelRect rect = tk::duToPixels(control.x, control.y, control.cx, control.cy, units);
    return {rect.x, rect.y, rect.width, rect.height};
}

void expectBuiltAsTemplate(const tk::DialogTemplate &dialogTemplate)
{
    RecordingDialog dialog(dialogTemplate);
    dialog.create();
    ASSERT_EQ(dialog.controls().size(), dialogTemplate.controls.size());
    for (std::size_t index = 0; index < dialogTemplate.controls.size(); ++index) {
        const tk::ControlTemplate &control = dialogTemplate.controls[index];
        QWidget *widget = dialog.controls()[index];
        SCOPED_TRACE(testing::Message() << "control #" << index + 1 << " id " << control.id);
        EXPECT_TRUE(isKind(widget, control));
        EXPECT_EQ(widget->parentWidget(), &dialog);
        EXPECT_EQ(widget->property("templateId").toInt(), control.id);
        EXPECT_EQ(widget->geometry(), converted(control, dialog.baseUnits()));
        EXPECT_EQ(widget->accessibleName(), QString::fromUtf8(control.caption));
        EXPECT_EQ(widget->isHidden(), (control.style & tk::style::Visible) == 0);
        EXPECT_EQ(widget->isEnabled(), (control.style & tk::style::Disabled) == 0);
        if (control.id != tk::kNoId) {
            EXPECT_EQ(tk::findControl(dialogTemplate, control.id), &control); // ids are unique per window
            EXPECT_EQ(dialog.item(control.id), widget);
        }
    }
    EXPECT_EQ(dialog.item(tk::kNoId), nullptr);
}

TEST(ToolkitDialogBuilder, BuildsEveryControlOfTheMainWindowAsItsTemplateSays)
{
    expectBuiltAsTemplate(res::mainWindowTemplate());
}

TEST(ToolkitDialogBuilder, BuildsEveryControlOfTheVersionDialogAsItsTemplateSays)
{
    expectBuiltAsTemplate(res::versionDialogTemplate());
}

TEST(ToolkitDialogBuilder, ItemsAreFoundByIdAndTyped)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    EXPECT_NE(dialog.item<tk::IpAddressField>(1000), nullptr);
    EXPECT_NE(dialog.item<tk::Trackbar>(1037), nullptr);
    EXPECT_EQ(dialog.item<tk::Trackbar>(1000), nullptr);
    EXPECT_EQ(dialog.item(4242), nullptr);
    EXPECT_EQ(dialog.item<tk::Trackbar>(1036)->orientation(), Qt::Horizontal);
    EXPECT_EQ(dialog.item<tk::Trackbar>(1037)->orientation(), Qt::Vertical);
}

TEST(ToolkitDialogBuilder, ClientAreaIsExactlyTheTemplateSizeAndFixed)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    const tk::BaseUnits units = dialog.baseUnits();
    const QSize expected(tk::duToPixelsX(455, units), tk::duToPixelsY(340, units));
    EXPECT_EQ(dialog.size(), expected);
    EXPECT_EQ(dialog.minimumSize(), expected);
    EXPECT_EQ(dialog.maximumSize(), expected);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Korvan"));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST(ToolkitDialogBuilder, VersionDialogHasNoMinimiseButton)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Korvan バージョン情報"));
}

TEST(ToolkitDialogBuilder, BaseUnitsComeFromTheFaceAtItsNaturalWidth)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    const tk::BaseUnits units = dialog.baseUnits();
    QFont natural = dialog.font();
    natural.setStretch(QFont::Unstretched);
    const QFontMetrics metrics(natural);
    EXPECT_EQ(units.cy, metrics.height());
    EXPECT_EQ(units.cx, tk::averageCharWidth(metrics.horizontalAdvance(
                            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"))));
    QFont condensed = dialog.font();
    condensed.setStretch(50);
    const tk::BaseUnits fromCondensed = tk::measureBaseUnits(condensed);
    EXPECT_EQ(fromCondensed.cx, units.cx);
    EXPECT_EQ(fromCondensed.cy, units.cy);
    EXPECT_EQ(dialog.font().pixelSize(), 12);
}

TEST(ToolkitDialogBuilder, TemplateAtOriginIsCentredOnTheScreen)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.geometry().center() - screenCentre).manhattanLength(), 1);
}

TEST(ToolkitDialogBuilder, OwnedTemplateAtOriginIsCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(40, 30, 700, 500);
    RecordingDialog dialog(res::versionDialogTemplate(), &owner);
    dialog.create();
    EXPECT_LE((dialog.geometry().center() - owner.frameGeometry().center()).manhattanLength(), 1);
}

TEST(ToolkitDialogBuilder, StaticsAndTheProgressBarNeverTakeTheFocus)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    const auto &controls = res::mainWindowTemplate().controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        QWidget *widget = dialog.controls()[index];
        SCOPED_TRACE(testing::Message() << "control #" << index + 1);
        switch (controls[index].kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::GroupBox:
        case ControlKind::ProgressBar:
            EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
            break;
        case ControlKind::TabControl:
            EXPECT_EQ(widget->focusPolicy(), Qt::ClickFocus);
            EXPECT_EQ(dialog.item<tk::TabControl>(1021)->tabBar()->focusPolicy(), Qt::ClickFocus);
            break;
        default:
            EXPECT_TRUE(widget->focusPolicy() & Qt::TabFocus);
        }
    }
}

TEST(ToolkitDialogBuilder, FocusStartsOnTheFirstTabStopWhenInitialisationSaysSo)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    EXPECT_EQ(dialog.focusWidget(), dialog.item(tk::IDCANCEL));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog.item(tk::IDCANCEL));
}

TEST(ToolkitDialogBuilder, InitialisationReturningFalseLeavesTheFocusAlone)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.initResult = false;
    dialog.create();
    EXPECT_EQ(dialog.focusWidget(), nullptr);
}

TEST(ToolkitDialogBuilder, CreateBuildsOnce)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    dialog.create();
    EXPECT_EQ(dialog.controls().size(), res::versionDialogTemplate().controls.size());
    EXPECT_EQ(dialog.findChildren<tk::PushButton *>().size(), 1);
}

// The control that has the focus, or holds it in one of its parts.
QWidget *focusedControl(const RecordingDialog &dialog)
{
    for (QWidget *widget = QApplication::focusWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (std::find(dialog.controls().begin(), dialog.controls().end(), widget) != dialog.controls().end())
            return widget;
    }
    return nullptr;
}

void expectTabOrderIsTemplateOrder(const tk::DialogTemplate &dialogTemplate)
{
    RecordingDialog dialog(dialogTemplate);
    dialog.create();
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    std::vector<QWidget *> expected;
    for (std::size_t index = 0; index < dialogTemplate.controls.size(); ++index) {
        if (dialogTemplate.controls[index].style & tk::style::TabStop)
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

TEST(ToolkitDialogBuilder, TabVisitsTheTabStopsInTemplateOrder)
{
    expectTabOrderIsTemplateOrder(res::mainWindowTemplate());
}

TEST(ToolkitDialogBuilder, TabVisitsTheVersionDialogsTabStopsInTemplateOrder)
{
    expectTabOrderIsTemplateOrder(res::versionDialogTemplate());
}

} // namespace
