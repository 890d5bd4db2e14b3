#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/dialogfont.h"
#include "toolkit/widgets/edges.h"

#include <QApplication>
#include <QScreen>
#include <QStyleOptionButton>
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

// The caption as a button draws it: the mnemonic marks are not drawn.
QString drawnText(const QString &caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

void expectLabelFits(tk::StaticText *label)
{
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
    EXPECT_TRUE(room.contains(needed)) << "needs " << needed.width() << "x" << needed.height() << ", has "
                                       << room.width() << "x" << room.height();
}

void expectButtonFits(tk::PushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
    const QFontMetrics metrics(button->font());
    EXPECT_LE(metrics.horizontalAdvance(drawnText(button->text())), contents.width() - margin)
        << "contents " << contents.width() << " less margins " << margin;
    EXPECT_LE(metrics.height(), contents.height());
}

// The caption stands inside the group's frame, whole.
void expectGroupCaptionFits(tk::GroupBox *group)
{
    const QRect caption = group->captionRect();
    const QFontMetrics metrics(group->font());
    EXPECT_LE(metrics.horizontalAdvance(drawnText(group->title())), caption.width());
    EXPECT_EQ(caption.height(), metrics.height());
    EXPECT_LT(caption.right(), group->width() - tk::edgeWidth({.raised = true}) - 1);
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

TEST_P(ToolkitDialogBuilder, ClientAreaIsTheTemplateSizeFixedAndCentred)
{
    dialog.create();
    const QSize expected(tk::duToPixelsX(layout().cx, dialog.baseUnits()),
                         tk::duToPixelsY(layout().cy, dialog.baseUnits()));
    EXPECT_EQ(dialog.size(), expected);
    EXPECT_EQ(dialog.minimumSize(), expected);
    EXPECT_EQ(dialog.maximumSize(), expected);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(GetParam().title));
    EXPECT_EQ(bool(dialog.windowFlags() & Qt::WindowMinimizeButtonHint), GetParam().minimiseBox);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.geometry().center() - screenCentre).manhattanLength(), 1);
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

TEST_P(ToolkitDialogBuilder, EveryCaptionFitsItsControl)
{
    dialog.create();
    int checked = 0;
    for (std::size_t index = 0; index < layout().controls.size(); ++index) {
        const tk::ControlTemplate &control = layout().controls[index];
        if (*control.caption == '\0')
            continue;
        SCOPED_TRACE(testing::Message() << "control #" << index + 1 << " \"" << control.caption << "\"");
        QWidget *widget = dialog.controls()[index];
        if (auto *label = qobject_cast<tk::StaticText *>(widget))
            expectLabelFits(label);
        else if (auto *button = qobject_cast<tk::PushButton *>(widget))
            expectButtonFits(button);
        else if (auto *group = qobject_cast<tk::GroupBox *>(widget))
            expectGroupCaptionFits(group);
        else
            ADD_FAILURE() << "a caption on a control that has none";
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(, ToolkitDialogBuilder,
                         testing::Values(Window{"MainWindow", res::mainWindowTemplate(), "Korvan", true},
                                         Window{"VersionDialog", res::versionDialogTemplate(),
                                                "Korvan バージョン情報", false}),
                         [](const testing::TestParamInfo<Window> &window) { return std::string(window.param.name); });

TEST(ToolkitDialogBuilderFont, BaseUnitsComeFromTheFaceAtItsNaturalWidth)
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

TEST(ToolkitDialogBuilderPlacement, OwnedTemplateAtOriginIsCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(40, 30, 700, 500);
    RecordingDialog dialog(res::versionDialogTemplate(), &owner);
    dialog.create();
    EXPECT_LE((dialog.geometry().center() - owner.frameGeometry().center()).manhattanLength(), 1);
}

TEST(ToolkitDialogBuilderFocus, InitialisationReturningFalseLeavesTheFocusAlone)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.initResult = false;
    dialog.create();
    EXPECT_EQ(dialog.focusWidget(), nullptr);
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

TEST(ToolkitDialogUnits, FontMetricsBecomeBaseUnitsAndPixels)
{
    EXPECT_EQ(tk::averageCharWidth(369), 7); // (14 + 1) / 2
    EXPECT_EQ(tk::averageCharWidth(312), 6);
    EXPECT_EQ(tk::pointsToPixels(9, 96), 12);
    EXPECT_EQ(tk::pointsToPixels(8, 96), 11); // 10.67
    EXPECT_EQ(tk::pointsToPixels(9, 120), 15);
    const tk::BaseUnits units{7, 13};
    EXPECT_EQ(tk::duToPixelsX(1, units), 2);     // 1.75
    EXPECT_EQ(tk::duToPixelsX(455, units), 796); // 796.25
    EXPECT_EQ(tk::duToPixelsY(340, units), 553); // 552.5
    EXPECT_EQ(tk::duToPixelsY(-4, units), -7);   // -6.5
    // Position and size are converted each on its own: 1.75 and 3.5 round to 2
    // and 4, so the right edge lands on 6, not on the 5 its 3 units would give.
    const tk::PixelRect rect = tk::duToPixels(1, 1, 2, 3, units);
    EXPECT_EQ(rect.x, 2);
    EXPECT_EQ(rect.width, 4);
    EXPECT_EQ(rect.y, 2);      // 1.625
    EXPECT_EQ(rect.height, 5); // 4.875
}

TEST(ToolkitCaptionFitLabel, UpDownLabelStandsOneCharacterAboveTheOther)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    auto *upDown = qobject_cast<tk::StaticText *>(dialog.controls()[40]);
    ASSERT_NE(upDown, nullptr);
    ASSERT_EQ(upDown->text(), QString::fromUtf8("上下"));
    const QFontMetrics metrics(upDown->font());
    const QRect room = upDown->contentsRect();
    EXPECT_GT(metrics.horizontalAdvance(upDown->text()), room.width());
    const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap, upDown->text());
    EXPECT_GE(needed.height(), 2 * metrics.height());
    EXPECT_TRUE(room.contains(needed));
}

} // namespace
