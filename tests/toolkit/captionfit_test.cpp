#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/edges.h"

#include <QStyleOptionButton>

#include <gtest/gtest.h>

namespace {

using tktest::RecordingDialog;

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

class ToolkitCaptionFit : public testing::TestWithParam<const tk::DialogTemplate *>
{
};

TEST_P(ToolkitCaptionFit, EveryCaptionFitsItsControl)
{
    const tk::DialogTemplate &layout = *GetParam();
    RecordingDialog dialog(layout);
    dialog.create();
    int checked = 0;
    for (std::size_t index = 0; index < layout.controls.size(); ++index) {
        const tk::ControlTemplate &control = layout.controls[index];
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

INSTANTIATE_TEST_SUITE_P(, ToolkitCaptionFit, testing::Values(&res::mainWindowTemplate(), &res::versionDialogTemplate()),
                         [](const auto &layout) {
                             return std::string(layout.param == &res::mainWindowTemplate() ? "MainWindow" : "VersionDialog");
                         });

TEST(ToolkitCaptionFitLabel, UpDownLabelStandsOneCharacterAboveTheOther)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    tk::StaticText *upDown = nullptr;
    for (auto *label : dialog.findChildren<tk::StaticText *>()) {
        if (label->text() == QString::fromUtf8("上下"))
            upDown = label;
    }
    ASSERT_NE(upDown, nullptr);
    const QFontMetrics metrics(upDown->font());
    const QRect room = upDown->contentsRect();
    EXPECT_GT(metrics.horizontalAdvance(upDown->text()), room.width());
    const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap, upDown->text());
    EXPECT_GE(needed.height(), 2 * metrics.height());
    EXPECT_TRUE(room.contains(needed));
}

} // namespace
