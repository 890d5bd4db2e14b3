#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using tk::EventKind;
using tktest::RecordingDialog;

// A shown, active window built from a template.
struct ShownDialog
{
    explicit ShownDialog(const tk::DialogTemplate &dialogTemplate) : dialog(dialogTemplate)
    {
        dialog.create();
        dialog.show();
        dialog.activateWindow();
        ready = QTest::qWaitForWindowActive(&dialog);
    }

    RecordingDialog dialog;
    bool ready = false;
};

std::vector<tk::WindowEvent> commands(const RecordingDialog &dialog)
{
    return dialog.eventsOf(EventKind::Command);
}

TEST(ToolkitDialogKeys, EnterOnAFocusedButtonClicksIt)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    QWidget *connect = shown.dialog.item(1001);
    connect->setFocus();
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Return);
    const auto seen = commands(shown.dialog);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, 1001);
    EXPECT_EQ(seen[0].code, tk::BN_CLICKED);
    EXPECT_EQ(seen[0].control, connect);
}

TEST(ToolkitDialogKeys, EnterElsewhereIsTheOkCommandAndEndsWithOk)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.item(1008)->setFocus();
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Return);
    const auto seen = commands(shown.dialog);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, tk::IDOK);
    EXPECT_EQ(seen[0].code, tk::BN_CLICKED);
    EXPECT_FALSE(shown.dialog.isVisible());
    EXPECT_EQ(shown.dialog.result(), tk::IDOK);
}

TEST(ToolkitDialogKeys, RoutedOkCommandKeepsTheWindowOpen)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    shown.dialog.item(1008)->setFocus();
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(commands(shown.dialog).size(), 1u);
    EXPECT_EQ(commands(shown.dialog)[0].id, tk::IDOK);
    EXPECT_TRUE(shown.dialog.isVisible());
}

TEST(ToolkitDialogKeys, EnterInTheListIsNotADoubleClick)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    auto *list = shown.dialog.item<tk::ListBox>(1034);
    list->insertString(-1, QStringLiteral("2126: row"));
    list->setFocus();
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Down);
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Return);
    const auto seen = commands(shown.dialog);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, tk::IDOK);
}

TEST(ToolkitDialogKeys, EnterGoesToTheDefaultButtonsCommand)
{
    ShownDialog shown(res::versionDialogTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    shown.dialog.item(1006)->setFocus();
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Return);
    const auto seen = commands(shown.dialog);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, tk::IDOK);
    EXPECT_EQ(seen[0].control, shown.dialog.item(tk::IDOK));
}

TEST(ToolkitDialogKeys, EscapeIsTheCancelCommandAndEndsWithCancel)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.item(1001)->setFocus();
    QTest::keyClick(shown.dialog.windowHandle(), Qt::Key_Escape);
    const auto seen = commands(shown.dialog);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, tk::IDCANCEL);
    EXPECT_FALSE(shown.dialog.isVisible());
    EXPECT_EQ(shown.dialog.result(), tk::IDCANCEL);
}

TEST(ToolkitDialogClose, CloseBoxIsTheCancelCommand)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    EXPECT_FALSE(shown.dialog.close());
    ASSERT_EQ(commands(shown.dialog).size(), 1u);
    EXPECT_EQ(commands(shown.dialog)[0].id, tk::IDCANCEL);
    EXPECT_TRUE(shown.dialog.isVisible());
}

TEST(ToolkitDialogClose, UnroutedCloseBoxEndsTheDialogWithCancel)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.close();
    EXPECT_FALSE(shown.dialog.isVisible());
    EXPECT_EQ(shown.dialog.result(), tk::IDCANCEL);
    EXPECT_EQ(commands(shown.dialog).size(), 1u);
}

TEST(ToolkitDialogModal, DoModalReturnsTheResultGivenToEndDialog)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.endDialog(1234); });
    EXPECT_EQ(dialog.doModal(), 1234);
    EXPECT_EQ(dialog.controls().size(), res::versionDialogTemplate().controls.size());
}

TEST(ToolkitDialogModal, OkButtonEndsTheModalRunWithOk)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    QTimer::singleShot(0, &dialog, [&dialog] {
        QWidget *ok = dialog.item(tk::IDOK);
        QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, ok->mapTo(&dialog, ok->rect().center()));
    });
    EXPECT_EQ(dialog.doModal(), tk::IDOK);
}

TEST(ToolkitDialogModal, EscapeEndsTheModalRunWithCancel)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape); });
    EXPECT_EQ(dialog.doModal(), tk::IDCANCEL);
}

TEST(ToolkitDialogActivation, ActivationAndDeactivationAreRaisedAfterQtsOwnHandling)
{
    ShownDialog shown(res::versionDialogTemplate());
    ASSERT_TRUE(shown.ready);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.dialog.eventsOf(EventKind::Activate).empty(); }, 2000));
    EXPECT_EQ(shown.dialog.eventsOf(EventKind::Activate).back().code, 1);
    // By the time the window hears of its activation, the focus is back.
    QWidget *focusAtActivation = nullptr;
    shown.dialog.takes = [&](const tk::WindowEvent &event) {
        if (event.kind == EventKind::Activate && event.code == 1)
            focusAtActivation = QApplication::focusWidget();
        return false;
    };
    shown.dialog.item(1006)->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(shown.dialog.eventsOf(EventKind::Activate).back().code, 0);
    shown.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.dialog.eventsOf(EventKind::Activate).back().code == 1; }, 2000));
    EXPECT_EQ(focusAtActivation, shown.dialog.item(1006));
}

TEST(ToolkitDialogPaint, PaintIsRaisedAndItsDefaultPaintsTheDialog)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    bool painted = false;
    dialog.takes = [&](const tk::WindowEvent &event) {
        if (event.kind != EventKind::Paint)
            return false;
        QPainter painter(&dialog);
        painter.fillRect(dialog.rect(), Qt::red);
        painted = true;
        return true;
    };
    const QImage picture = dialog.grab().toImage();
    EXPECT_TRUE(painted);
    EXPECT_FALSE(dialog.eventsOf(EventKind::Paint).empty());
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(Qt::red));
}

TEST(ToolkitDialogMinimise, MinimisedWindowTakesTheDragIconAsItsIcon)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::green);
    shown.dialog.icon = QIcon(pixmap);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::QueryDragIcon; };
    shown.dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(tk::SC_MINIMIZE)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.dialog.isMinimized(); }, 2000));
    EXPECT_FALSE(shown.dialog.eventsOf(EventKind::QueryDragIcon).empty());
    EXPECT_EQ(shown.dialog.windowIcon().pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::green));
}

TEST(ToolkitDialogMinimise, UnansweredDragIconLeavesTheIconAlone)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    const qint64 before = shown.dialog.windowIcon().cacheKey();
    shown.dialog.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.dialog.isMinimized(); }, 2000));
    EXPECT_FALSE(shown.dialog.eventsOf(EventKind::QueryDragIcon).empty());
    EXPECT_EQ(shown.dialog.windowIcon().cacheKey(), before);
}

TEST(ToolkitDialogSysCommand, DefaultProcessingMinimisesRestoresAndClosesIgnoringTheLowBits)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(tk::SC_MINIMIZE | 0x2)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.dialog.isMinimized(); }, 2000));
    shown.dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(tk::SC_RESTORE)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.dialog.isMinimized(); }, 2000));
    shown.dialog.dispatch({.kind = EventKind::SysCommand, .id = 16});
    EXPECT_TRUE(shown.dialog.isVisible());
    shown.dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(tk::SC_CLOSE)});
    EXPECT_FALSE(shown.dialog.isVisible());
    EXPECT_EQ(shown.dialog.result(), tk::IDCANCEL);
    ASSERT_FALSE(commands(shown.dialog).empty());
    EXPECT_EQ(commands(shown.dialog).back().id, tk::IDCANCEL);
}

TEST(ToolkitDialogCommands, ButtonClickThroughTheWindowIsACommand)
{
    ShownDialog shown(res::mainWindowTemplate());
    ASSERT_TRUE(shown.ready);
    shown.dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::Command; };
    QWidget *button = shown.dialog.item(1041);
    QTest::mouseClick(shown.dialog.windowHandle(), Qt::LeftButton, {}, button->mapTo(&shown.dialog, button->rect().center()));
    ASSERT_EQ(commands(shown.dialog).size(), 1u);
    EXPECT_EQ(commands(shown.dialog)[0].id, 1041);
    EXPECT_EQ(commands(shown.dialog)[0].control, button);
}

} // namespace
