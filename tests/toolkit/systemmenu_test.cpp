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

TEST(ToolkitSystemMenu, HoldsTheUsualWindowCommandsThenTheAppendedOnes)
{
    EXPECT_EQ(idsOf(tk::SystemMenu(false)), (std::vector<UINT>{tk::SC_RESTORE, tk::SC_MOVE, 0, tk::SC_CLOSE}));
    tk::SystemMenu menu(true);
    menu.appendSeparator();
    menu.appendItem(16, QString::fromUtf8("バージョン情報(&A)..."));
    EXPECT_EQ(idsOf(menu), (std::vector<UINT>{tk::SC_RESTORE, tk::SC_MOVE, tk::SC_MINIMIZE, 0, tk::SC_CLOSE, 0, 16}));
    QStringList texts;
    for (const tk::SystemMenu::Item &item : menu.items())
        texts.append(item.id == 0 ? QString() : item.text);
    EXPECT_EQ(texts.join(QLatin1Char('|')), QString::fromUtf8("元のサイズに戻す(&R)|移動(&M)|最小化(&N)||閉じる(&C)\tAlt+F4||"
                                                              "バージョン情報(&A)..."));
    QWidget parent;
    QMenu *popup = menu.createMenu(&parent);
    std::vector<UINT> actionIds;
    for (QAction *action : popup->actions())
        actionIds.push_back(action->isSeparator() ? 0 : action->data().toUInt());
    EXPECT_EQ(actionIds, idsOf(menu));
    ASSERT_NE(popup->defaultAction(), nullptr);
    EXPECT_EQ(popup->defaultAction()->data().toUInt(), tk::SC_CLOSE);
}

TEST(ToolkitSystemMenu, WindowsHaveOneAsTheirFrameSays)
{
    RecordingDialog main(res::mainWindowTemplate());
    ASSERT_NE(main.systemMenu(), nullptr);
    EXPECT_EQ(idsOf(*main.systemMenu()), idsOf(tk::SystemMenu(true)));
    RecordingDialog version(res::versionDialogTemplate());
    ASSERT_NE(version.systemMenu(), nullptr);
    EXPECT_EQ(idsOf(*version.systemMenu()), idsOf(tk::SystemMenu(false)));
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
        ASSERT_TRUE(tktest::showActive(dialog));
    }

    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    QMenu *openMenu() const { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }

    QMenu *rightClick(const QPoint &point)
    {
        QTest::mouseClick(dialog.windowHandle(), Qt::RightButton, {}, point);
        return openMenu();
    }

    std::vector<tk::WindowEvent> sysCommands() const { return dialog.eventsOf(EventKind::SysCommand); }

    RecordingDialog dialog{res::mainWindowTemplate()};
    const QPoint background{3, 3}; // outside the outer frame
};

TEST_F(ToolkitSystemMenuWindow, RightClickOnTheBackgroundOrAStaticOpensTheMenuButNotOnAControl)
{
    EXPECT_EQ(rightClick(tktest::centreOf(dialog, 1001)), nullptr);
    // Inside the outer frame, below the vertical rule, over no control.
    const QPoint insideFrame(tk::duToPixelsX(210, dialog.baseUnits()), tk::duToPixelsY(320, dialog.baseUnits()));
    ASSERT_TRUE(dialog.controls()[33]->geometry().contains(insideFrame));
    EXPECT_NE(rightClick(insideFrame), nullptr);
    openMenu()->close();
    QMenu *menu = rightClick(background);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 7);
    EXPECT_EQ(menu->actions()[6]->data().toUInt(), 16u);
    // Restore is offered only when there is something to restore.
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[2]->isEnabled());
}

TEST_F(ToolkitSystemMenuWindow, AltSpaceOpensTheMenuWithoutPressingTheButton)
{
    dialog.item(1001)->setFocus();
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_NE(openMenu(), nullptr);
    EXPECT_TRUE(dialog.eventsOf(EventKind::Command).empty());
}

TEST_F(ToolkitSystemMenuWindow, ChosenItemsRaiseTheirSysCommandAndGetDefaultProcessingUnlessRouted)
{
    struct Choice
    {
        Qt::Key accessKey;
        bool routed;
        UINT id;
        bool closes;
    };
    for (const Choice &choice : {Choice{Qt::Key_A, false, 16, false}, Choice{Qt::Key_C, true, tk::SC_CLOSE, false},
                                 Choice{Qt::Key_N, false, tk::SC_MINIMIZE, false},
                                 Choice{Qt::Key_C, false, tk::SC_CLOSE, true}}) {
        SCOPED_TRACE(testing::Message() << "item " << choice.id << (choice.routed ? " routed" : ""));
        dialog.events.clear();
        dialog.takes = [&choice](const tk::WindowEvent &event) {
            return choice.routed && event.kind == EventKind::SysCommand;
        };
        QMenu *menu = rightClick(background);
        ASSERT_NE(menu, nullptr);
        QTest::keyClick(menu, choice.accessKey);
        ASSERT_EQ(sysCommands().size(), 1u);
        EXPECT_EQ(sysCommands()[0].id, static_cast<int>(choice.id));
        EXPECT_EQ(dialog.isVisible(), !choice.closes);
        EXPECT_EQ(dialog.eventsOf(EventKind::Command).size(), choice.closes ? 1u : 0u); // as the close box does
        if (choice.id == tk::SC_MINIMIZE) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isMinimized(); }, 2000));
            ASSERT_TRUE(tktest::showActive(dialog));
        }
    }
    EXPECT_EQ(dialog.eventsOf(EventKind::Command)[0].id, tk::IDCANCEL);
}

TEST_F(ToolkitSystemMenuWindow, AltF4IsTheCloseCommand)
{
    dialog.takes = [](const tk::WindowEvent &event) { return event.kind == EventKind::SysCommand; };
    QTest::keyClick(dialog.windowHandle(), Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(sysCommands().size(), 1u);
    EXPECT_EQ(sysCommands()[0].id, static_cast<int>(tk::SC_CLOSE));
}

} // namespace
