#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QClipboard>

namespace {

using Octets = std::array<int, 4>;

class ToolkitAddressField : public tktest::ShownMainWindow
{
protected:
    void SetUp() override
    {
        ShownMainWindow::SetUp();
        field = dialog.item<tk::IpAddressField>(1000);
        ASSERT_NE(field, nullptr);
        click(centreOf(field->fieldEdit(0)));
        ASSERT_EQ(QApplication::focusWidget(), field->fieldEdit(0));
    }

    int focusedField() const
    {
        for (int index = 0; index < 4; ++index) {
            if (QApplication::focusWidget() == field->fieldEdit(index))
                return index;
        }
        return -1;
    }

    QString text(int index) const { return field->fieldEdit(index)->text(); }

    tk::IpAddressField *field = nullptr;
};

TEST_F(ToolkitAddressField, TypedDottedAddressFillsTheFields)
{
    type(QStringLiteral("192.168.0.10"));
    EXPECT_EQ(field->address(), (Octets{192, 168, 0, 10}));
    EXPECT_EQ(field->filledFields(), 4);
    EXPECT_EQ(focusedField(), 3);
}

TEST_F(ToolkitAddressField, ThirdDigitMovesToTheNextFieldSelected)
{
    field->setAddress({1, 2, 3, 4});
    click(centreOf(field->fieldEdit(0)));
    field->fieldEdit(0)->clear();
    type(QStringLiteral("123"));
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(field->fieldEdit(1)->selectedText(), QStringLiteral("2"));
    type(QStringLiteral("9"));
    EXPECT_EQ(text(1), QStringLiteral("9"));
}

TEST_F(ToolkitAddressField, DotMovesOnOnlyFromAFilledField)
{
    type(QStringLiteral("."));
    EXPECT_EQ(focusedField(), 0);
    type(QStringLiteral("7."));
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(text(0), QStringLiteral("7"));
}

TEST_F(ToolkitAddressField, OnlyDigitsAndAtMostThree)
{
    type(QStringLiteral("a1b-"));
    EXPECT_EQ(text(0), QStringLiteral("1"));
    type(QStringLiteral("2"));
    key(Qt::Key_Home);
    type(QStringLiteral("3"));
    EXPECT_EQ(text(0), QStringLiteral("312"));
    type(QStringLiteral("4"));
    EXPECT_EQ(text(0), QStringLiteral("312")); // full: the fourth digit is refused
}

TEST_F(ToolkitAddressField, ValueAboveTheRangeIsClampedWhenTheFieldCompletes)
{
    type(QStringLiteral("300"));
    EXPECT_EQ(text(0), QStringLiteral("255"));
    EXPECT_EQ(focusedField(), 1);
}

TEST_F(ToolkitAddressField, ValueAboveTheRangeIsClampedWhenTheUserLeaves)
{
    field->setRange(1, 0, 50);
    type(QStringLiteral("1.99"));
    key(Qt::Key_Tab);
    EXPECT_EQ(text(1), QStringLiteral("50"));
    EXPECT_EQ(field->address(), (Octets{1, 50, 0, 0}));
}

TEST_F(ToolkitAddressField, BackspaceInABlankFieldGoesToTheEndOfThePreviousOne)
{
    type(QStringLiteral("12.3"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(focusedField(), 1);
    key(Qt::Key_Backspace);
    EXPECT_EQ(focusedField(), 0);
    EXPECT_EQ(field->fieldEdit(0)->cursorPosition(), 2);
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(0), QStringLiteral("1"));
}

TEST_F(ToolkitAddressField, LeftAtTheStartAndRightAtTheEndCrossFields)
{
    type(QStringLiteral("12.34"));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(focusedField(), 1);
    key(Qt::Key_Left);
    EXPECT_EQ(focusedField(), 0);
    EXPECT_EQ(field->fieldEdit(0)->cursorPosition(), 2);
    key(Qt::Key_Right);
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(field->fieldEdit(1)->cursorPosition(), 0);
}

TEST_F(ToolkitAddressField, TabLeavesTheControlInsteadOfMovingBetweenFields)
{
    type(QStringLiteral("12.34"));
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.item(1001));
    click(centreOf(field->fieldEdit(2)));
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.item(tk::IDCANCEL));
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedField(), 0);
}

TEST_F(ToolkitAddressField, PastedDottedAddressFillsTheFields)
{
    QApplication::clipboard()->setText(QStringLiteral(" 10.0.300.1 "));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->address(), (Octets{10, 0, 255, 1}));
    QApplication::clipboard()->setText(QStringLiteral("not an address"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->address(), (Octets{10, 0, 255, 1}));
}

TEST_F(ToolkitAddressField, BlankFieldsReadAsZero)
{
    EXPECT_EQ(field->filledFields(), 0);
    EXPECT_EQ(field->address(), (Octets{0, 0, 0, 0}));
    field->setField(1, 5);
    EXPECT_EQ(field->address(), (Octets{0, 5, 0, 0}));
    EXPECT_EQ(field->filledFields(), 1);
    EXPECT_TRUE(field->isBlank(0));
    EXPECT_FALSE(field->isBlank(1));
    field->clearAddress();
    EXPECT_EQ(field->filledFields(), 0);
}

TEST_F(ToolkitAddressField, SettersKeepEachFieldInItsRange)
{
    field->setRange(3, 10, 20);
    field->setAddress({-5, 256, 128, 99});
    EXPECT_EQ(field->address(), (Octets{0, 255, 128, 20}));
    field->setField(3, 1);
    EXPECT_EQ(field->address()[3], 10);
    field->setRange(7, 0, 1); // no such field
    field->setField(-1, 3);
    EXPECT_EQ(field->address(), (Octets{0, 255, 128, 10}));
}

} // namespace
