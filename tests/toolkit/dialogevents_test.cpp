#include "res/resource.h"
#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/listbox.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using tk::EventKind;
using tktest::RecordingDialog;
using tktest::showActive;

using Action = std::function<void(RecordingDialog &)>;

Action keys(std::vector<QKeyCombination> combinations)
{
    return [combinations](RecordingDialog &dialog) {
        for (const QKeyCombination combination : combinations)
            QTest::keyClick(dialog.window().windowHandle(), combination.key(), combination.keyboardModifiers());
    };
}

// What one user action on a shown window raises: the one command, and
// whether default processing then ends the window with it.
struct UserCommand
{
    const char *name;
    const tk::DialogTemplate &dialogTemplate;
    int focusId;
    Action act;
    bool routed;
    int commandId;
    int controlId; // the control named by the command; 0 for none checked
    bool ends;
};

// Named in test listings by its name alone.
void PrintTo(const UserCommand &param, std::ostream *out)
{
    *out << param.name;
}

using ToolkitDialogCommands = testing::TestWithParam<UserCommand>;

TEST_P(ToolkitDialogCommands, RaiseOneCommand)
{
    const UserCommand &expected = GetParam();
    RecordingDialog dialog(expected.dialogTemplate);
    ASSERT_TRUE(showActive(dialog));
    if (auto *list = dialog.widget<tk::qt::ListBox>(IDC_CONTENT_LIST))
        list->insertString(-1, QStringLiteral("2126: row"));
    if (expected.routed)
        dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    dialog.widget(expected.focusId)->setFocus();
    expected.act(dialog);
    const auto commands = dialog.eventsOf(EventKind::Command);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, expected.commandId);
    EXPECT_EQ(commands[0].code, BN_CLICKED);
    if (expected.controlId != 0) {
        EXPECT_EQ(commands[0].control, dialog.widget(expected.controlId));
    }
    EXPECT_EQ(dialog.window().isVisible(), !expected.ends);
    if (expected.ends) {
        EXPECT_EQ(dialog.result(), expected.commandId);
    }
}

const Action kCloseBox = [](RecordingDialog &dialog) { dialog.window().close(); };
const Action kClickBoneGrab = [](RecordingDialog &dialog) {
    const QWidget *button = dialog.widget(IDC_BONE_GRAB);
    QTest::mouseClick(dialog.window().windowHandle(), Qt::LeftButton, {}, button->mapTo(&dialog.window(), button->rect().center()));
};

INSTANTIATE_TEST_SUITE_P(
    , ToolkitDialogCommands,
    testing::Values(
        UserCommand{"EnterOnAFocusedButtonClicksIt", res::mainWindowTemplate(), IDC_CONNECT, keys({Qt::Key_Return}), true,
                    IDC_CONNECT, IDC_CONNECT, false},
        UserCommand{"EnterElsewhereIsOkAndEndsWithOk", res::mainWindowTemplate(), IDC_STATUS, keys({Qt::Key_Return}), false,
                    IDOK, 0, true},
        UserCommand{"EnterInTheListIsNotADoubleClick", res::mainWindowTemplate(), IDC_CONTENT_LIST,
                    keys({Qt::Key_Down, Qt::Key_Return}), true, IDOK, 0, false},
        UserCommand{"EnterGoesToTheDefaultButton", res::versionDialogTemplate(), IDC_HELP_TEXT, keys({Qt::Key_Return}), true,
                    IDOK, IDOK, false},
        UserCommand{"EscapeIsCancelAndEndsWithCancel", res::mainWindowTemplate(), IDC_CONNECT, keys({Qt::Key_Escape}), false,
                    IDCANCEL, 0, true},
        UserCommand{"UnroutedCloseBoxEndsWithCancel", res::mainWindowTemplate(), IDC_CONNECT, kCloseBox, false, IDCANCEL,
                    0, true},
        UserCommand{"ButtonClickThroughTheWindow", res::mainWindowTemplate(), IDC_CONNECT, kClickBoneGrab, true, IDC_BONE_GRAB, IDC_BONE_GRAB,
                    false}),
    [](const testing::TestParamInfo<UserCommand> &command) { return std::string(command.param.name); });

TEST(ToolkitDialogEnter, ADisabledDefaultButtonTakesNoEnter)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    ASSERT_TRUE(showActive(dialog));
    dialog.widget(IDOK)->setEnabled(false);
    dialog.widget(IDC_HELP_TEXT)->setFocus();
    QTest::keyClick(dialog.window().windowHandle(), Qt::Key_Return);
    EXPECT_TRUE(dialog.eventsOf(EventKind::Command).empty());
    EXPECT_TRUE(dialog.window().isVisible());
}

// The window menu's own commands, unrouted, do what the frame's buttons do;
// the low four bits of the id are ignored.
TEST(ToolkitDialogSysCommand, DefaultProcessingMinimisesRestoresAndCloses)
{
    RecordingDialog dialog(res::mainWindowTemplate());
    ASSERT_TRUE(showActive(dialog));
    dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(SC_MINIMIZE | 0x2)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.window().isMinimized(); }, 2000));
    dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(SC_RESTORE)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.window().isMinimized(); }, 2000));
    dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(SC_CLOSE)});
    EXPECT_FALSE(dialog.window().isVisible());
    EXPECT_EQ(dialog.result(), IDCANCEL);
}

} // namespace
