#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/systemmenu.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

using tk::EventKind;
using tktest::RecordingDialog;

std::vector<UINT> idsOf(const tk::SystemMenu &menu)
{
    std::vector<UINT> ids;
    for (const tk::SystemMenu::Item &item : menu.items())
        ids.push_back(item.id);
    return ids;
}

TEST(ToolkitSystemMenu, HoldsTheUsualWindowCommands)
{
    const tk::SystemMenu menu(true);
    EXPECT_EQ(idsOf(menu), (std::vector<UINT>{tk::SC_RESTORE, tk::SC_MOVE, tk::SC_MINIMIZE, 0, tk::SC_CLOSE}));
    EXPECT_EQ(menu.items()[0].text, QString::fromUtf8("元のサイズに戻す(&R)"));
    EXPECT_EQ(menu.items()[1].text, QString::fromUtf8("移動(&M)"));
    EXPECT_EQ(menu.items()[2].text, QString::fromUtf8("最小化(&N)"));
    EXPECT_EQ(menu.items()[4].text, QString::fromUtf8("閉じる(&C)\tAlt+F4"));
}

TEST(ToolkitSystemMenu, MinimiseOnlyWithAMinimiseBox)
{
    const tk::SystemMenu menu(false);
    EXPECT_EQ(idsOf(menu), (std::vector<UINT>{tk::SC_RESTORE, tk::SC_MOVE, 0, tk::SC_CLOSE}));
}

TEST(ToolkitSystemMenu, AppendedItemsComeLast)
{
    tk::SystemMenu menu(true);
    menu.appendSeparator();
    menu.appendItem(16, QString::fromUtf8("バージョン情報(&A)..."));
    const std::vector<UINT> ids = idsOf(menu);
    ASSERT_EQ(ids.size(), 7u);
    EXPECT_EQ(ids[5], 0u);
    EXPECT_EQ(ids[6], 16u);
    EXPECT_EQ(menu.items()[6].text, QString::fromUtf8("バージョン情報(&A)..."));
}

TEST(ToolkitSystemMenu, PopupActionsCarryTheIds)
{
    tk::SystemMenu menu(true);
    menu.appendItem(16, QStringLiteral("About"));
    QWidget parent;
    QMenu *popup = menu.createMenu(&parent);
    std::vector<UINT> ids;
    for (QAction *action : popup->actions())
        ids.push_back(action->isSeparator() ? 0 : action->data().toUInt());
    EXPECT_EQ(ids, idsOf(menu));
    ASSERT_NE(popup->defaultAction(), nullptr);
    EXPECT_EQ(popup->defaultAction()->data().toUInt(), tk::SC_CLOSE);
}

TEST(ToolkitSystemMenu, WindowsWithASystemMenuHaveOne)
{
    RecordingDialog main(res::mainWindowTemplate());
    ASSERT_NE(main.systemMenu(), nullptr);
    EXPECT_EQ(idsOf(*main.systemMenu()), idsOf(tk::SystemMenu(true)));
    RecordingDialog version(res::versionDialogTemplate());
    ASSERT_NE(version.systemMenu(), nullptr);
    EXPECT_EQ(idsOf(*version.systemMenu()), idsOf(tk::SystemMenu(false)));
}

TEST(ToolkitSystemMenu, WindowWithoutOneHasNone)
{
    static constexpr std::array<tk::ControlTemplate, 0> kNoControls{};
    const tk::DialogTemplate plain{1, "plain", 0, 0, 100, 50, "MS UI Gothic", 9,
                                   tk::style::Popup | tk::style::Caption, 0, kNoControls};
    RecordingDialog dialog(plain);
    EXPECT_EQ(dialog.systemMenu(), nullptr);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

class ToolkitSystemMenuWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        dialog.create();
        dialog.systemMenu()->appendSeparator();
        dialog.systemMenu()->appendItem(16, QString::fromUtf8("バージョン情報(&A)..."));
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    QMenu *openMenu() const { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }

    void rightClick(const QPoint &point)
    {
        QTest::mouseClick(dialog.windowHandle(), Qt::RightButton, {}, point);
    }

    QPoint centreOf(int id) const
    {
        QWidget *control = dialog.item(id);
        return control->mapTo(&dialog, control->rect().center());
    }

    std::vector<tk::WindowEvent> sysCommands() const { return dialog.eventsOf(EventKind::SysCommand); }

    /// Opens the menu on the background and chooses an item by its access key;
    /// the id of the one system command raised, or 0.
    int choose(Qt::Key accessKey)
    {
        rightClick(background);
        QMenu *menu = openMenu();
        if (menu == nullptr)
            return 0;
        QTest::keyClick(menu, accessKey);
        return sysCommands().size() == 1 ? sysCommands()[0].id : 0;
    }

    RecordingDialog dialog{res::mainWindowTemplate()};
    const QPoint background{3, 3}; // outside the outer frame
};

TEST_F(ToolkitSystemMenuWindow, RightClickOnTheBackgroundOpensTheMenu)
{
    rightClick(background);
    QMenu *menu = openMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 7);
    EXPECT_EQ(menu->actions()[6]->data().toUInt(), 16u);
}

TEST_F(ToolkitSystemMenuWindow, RightClickOverAStaticAlsoOpensTheMenu)
{
    // The outer frame and the labels are the window's background to the pointer.
    // Inside the outer frame, below the vertical rule, over no control.
    const QPoint insideFrame(tk::duToPixelsX(210, dialog.baseUnits()), tk::duToPixelsY(320, dialog.baseUnits()));
    QWidget *outerFrame = dialog.controls()[33];
    ASSERT_TRUE(outerFrame->geometry().contains(insideFrame));
    rightClick(insideFrame);
    EXPECT_NE(openMenu(), nullptr);
}

TEST_F(ToolkitSystemMenuWindow, RightClickOnAControlDoesNot)
{
    rightClick(centreOf(1001));
    EXPECT_EQ(openMenu(), nullptr);
}

TEST_F(ToolkitSystemMenuWindow, AltSpaceOpensTheMenu)
{
    dialog.item(1001)->setFocus();
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_NE(openMenu(), nullptr);
    EXPECT_TRUE(dialog.eventsOf(EventKind::Command).empty()); // the button was not pressed
}

TEST_F(ToolkitSystemMenuWindow, ChoosingAnAppendedItemRaisesItsSysCommand)
{
    EXPECT_EQ(choose(Qt::Key_A), 16);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ToolkitSystemMenuWindow, ChoosingCloseClosesAsTheCloseBoxDoes)
{
    EXPECT_EQ(choose(Qt::Key_C), static_cast<int>(tk::SC_CLOSE));
    const auto commands = dialog.eventsOf(EventKind::Command);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, tk::IDCANCEL);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ToolkitSystemMenuWindow, ChoosingMinimiseMinimises)
{
    EXPECT_EQ(choose(Qt::Key_N), static_cast<int>(tk::SC_MINIMIZE));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isMinimized(); }, 2000));
}

TEST_F(ToolkitSystemMenuWindow, RestoreIsOfferedOnlyWhenThereIsSomethingToRestore)
{
    rightClick(background);
    QMenu *menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[2]->isEnabled());
}

TEST_F(ToolkitSystemMenuWindow, RoutedSysCommandGetsNoDefaultProcessing)
{
    dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::SysCommand; };
    EXPECT_EQ(choose(Qt::Key_C), static_cast<int>(tk::SC_CLOSE));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ToolkitSystemMenuWindow, AltF4IsTheCloseCommand)
{
    dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::SysCommand; };
    QTest::keyClick(dialog.windowHandle(), Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(sysCommands().size(), 1u);
    EXPECT_EQ(sysCommands()[0].id, static_cast<int>(tk::SC_CLOSE));
}

} // namespace
