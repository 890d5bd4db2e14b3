#include "res/resource.h"
#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/ipaddressfield.h"

#include <QApplication>
#include <QLineEdit>

#include <variant>

namespace {

using Octets = std::array<int, 4>;

class ToolkitAddressField : public tktest::ShownMainWindow
{
protected:
    void SetUp() override
    {
        ShownMainWindow::SetUp();
        field = dialog.widget<tk::qt::IpAddressField>(IDC_ADDRESS);
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

    // What the four fields show, joined by dots.
    QString shown() const
    {
        QStringList texts;
        for (int index = 0; index < 4; ++index)
            texts.append(field->fieldEdit(index)->text());
        return texts.join(QLatin1Char('.'));
    }

    tk::qt::IpAddressField *field = nullptr;
};

// Typing into the first field: the texts of the fields afterwards, joined
// by dots, and where the caret stands.
struct Typing
{
    const char *name;
    std::vector<std::variant<const char *, Qt::Key>> input;
    const char *fields;
    int focus;
    int cursor;
};

// Named in test listings by its name alone.
void PrintTo(const Typing &param, std::ostream *out)
{
    *out << param.name;
}

class ToolkitAddressTyping : public ToolkitAddressField, public testing::WithParamInterface<Typing>
{
};

TEST_P(ToolkitAddressTyping, LeavesTheFieldsAndCaretAsExpected)
{
    for (const auto &step : GetParam().input) {
        if (const auto *text = std::get_if<const char *>(&step))
            type(QString::fromUtf8(*text));
        else
            key(std::get<Qt::Key>(step));
    }
    EXPECT_EQ(shown(), QString::fromUtf8(GetParam().fields));
    ASSERT_EQ(focusedField(), GetParam().focus);
    EXPECT_EQ(field->fieldEdit(GetParam().focus)->cursorPosition(), GetParam().cursor);
}

INSTANTIATE_TEST_SUITE_P(
    , ToolkitAddressTyping,
    testing::Values(Typing{"DottedAddressFillsTheFields", {"192.168.0.10"}, "192.168.0.10", 3, 2},
                    Typing{"DotMovesOnOnlyFromAFilledField", {".", "7."}, "7...", 1, 0},
                    Typing{"OnlyDigitsAndAtMostThree", {"a1b-", "2", Qt::Key_Home, "3", "4"}, "312...", 0, 1},
                    Typing{"ValueAboveTheRangeIsClampedWhenTheFieldCompletes", {"300"}, "255...", 1, 0},
                    Typing{"BackspaceInABlankFieldGoesToTheEndOfThePreviousOne",
                           {"12.3", Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace}, "1...", 0, 1},
                    Typing{"LeftAtTheStartAndRightAtTheEndCrossFields",
                           {"12.34", Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Right}, "12.34..", 1, 0}),
    [](const testing::TestParamInfo<Typing> &typing) { return std::string(typing.param.name); });

TEST_F(ToolkitAddressField, BlankFieldsReadAsZeroAndSettersKeepEachFieldInItsRange)
{
    EXPECT_EQ(field->filledFields(), 0);
    EXPECT_EQ(field->address(), (Octets{0, 0, 0, 0}));
    field->setField(1, 5);
    EXPECT_EQ(field->address(), (Octets{0, 5, 0, 0}));
    EXPECT_EQ(field->filledFields(), 1);
    EXPECT_TRUE(field->isBlank(0));
    EXPECT_FALSE(field->isBlank(1));
    field->setRange(3, 10, 20);
    field->setAddress({-5, 256, 128, 99});
    EXPECT_EQ(shown(), QStringLiteral("0.255.128.20")); // what the user sees, not only what reads back
    field->setField(3, 1);
    field->setRange(7, 0, 1); // no such field
    field->setField(-1, 3);
    EXPECT_EQ(field->address(), (Octets{0, 255, 128, 10}));
}

} // namespace
