#include "res/resource.h"
#include "res/strings.h"
#include "tests/support/cp932.h"
#include "tests/support/panelfixture.h"
#include "tests/ui/whenopened.h"
#include "toolkit/core/dialogunits.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/systemmenu.h"
#include "ui/versiondlg.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kVersionItemText = "バージョン情報 Mirel(&A)...";

// What tells one version box from another.
struct BoxFacts
{
    std::string className;
    std::string title;
    int templateId = 0;
    QSize size;
    const QWidget *owner = nullptr;
    std::string helpText;

    bool operator==(const BoxFacts &) const = default;
};

BoxFacts factsOf(QWidget &window)
{
    auto &dialog = static_cast<tk::Dialog &>(window);
    const auto *field = dialog.item<tk::MultiLineEdit>(IDC_HELP_TEXT);
    return {window.metaObject()->className(),
            window.windowTitle().toStdString(),
            dialog.dialogTemplate().id,
            window.size(),
            window.parentWidget(),
            field != nullptr ? field->toPlainText().toStdString() : std::string()};
}

class WindowMenuTest : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        openPanel();
    }

    void sysCommand(UINT id)
    {
        panel->dispatch({.kind = tk::EventKind::SysCommand, .id = static_cast<int>(id)});
    }

    // A real right click on the window's background, outside every control.
    void rightClickBackground()
    {
        const tk::PixelRect corner = tk::duToPixels(3, 3, 0, 0, panel->baseUnits());
        const QPoint point(corner.x, corner.y);
        ASSERT_EQ(panel->childAt(point), nullptr);
        QTest::mouseClick(panel->windowHandle(), Qt::RightButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
    }

    // Records the facts of each version box that opens, once it is active.
    WhenOpened recordBoxes(std::vector<BoxFacts> &boxes)
    {
        return WhenOpened::modal([&boxes](QWidget &window) { boxes.push_back(factsOf(window)); });
    }
};

QAction *versionAction(const QMenu &menu)
{
    for (QAction *action : menu.actions()) {
        if (action->data().toUInt() == IDM_ABOUTBOX)
            return action;
    }
    return nullptr;
}

TEST_F(WindowMenuTest, MenuHoldsTheWindowCommandsThenASeparatorAndTheVersionItem)
{
    EXPECT_EQ(cp932::fromUtf8(res::loadString(IDS_ABOUTBOX).toStdString()), cp932::fromUtf8(kVersionItemText));
    EXPECT_TRUE(res::loadString(IDS_ABOUTBOX + 1).isEmpty());
    tk::SystemMenu *menu = panel->systemMenu();
    ASSERT_NE(menu, nullptr);
    const std::vector<tk::SystemMenu::Item> &items = menu->items();
    ASSERT_GE(items.size(), 3u);

    const tk::SystemMenu::Item &last = items.back();
    EXPECT_EQ(last.id, IDM_ABOUTBOX);
    EXPECT_EQ(IDM_ABOUTBOX, 16u);
    EXPECT_EQ(cp932::fromUtf8(last.text.toStdString()), cp932::fromUtf8(kVersionItemText));
    EXPECT_EQ(items[items.size() - 2].id, 0u) << "a separator before the item";

    std::vector<UINT> windowCommands;
    int versionRange = 0;
    for (const tk::SystemMenu::Item &item : items) {
        if (item.id >= tk::SC_MOVE)
            windowCommands.push_back(item.id);
        versionRange += (item.id & 0xFFF0) == 16 ? 1 : 0;
    }
    EXPECT_EQ(versionRange, 1) << "only id 16 of 16..31 is in the menu";
    for (const UINT command : {tk::SC_RESTORE, tk::SC_MOVE, tk::SC_MINIMIZE, tk::SC_CLOSE}) {
        EXPECT_NE(std::find(windowCommands.begin(), windowCommands.end(), command), windowCommands.end())
            << std::hex << command;
    }
}

TEST_F(WindowMenuTest, SystemCommandsSixteenToThirtyOneOpenTheBox)
{
    std::vector<BoxFacts> boxes;
    const WhenOpened script = recordBoxes(boxes);
    for (UINT id = 16; id <= 31; ++id) {
        sysCommand(id);
        ASSERT_EQ(script.count(), static_cast<int>(id) - 15) << "id " << id;
    }
    // Only the four low bits are cleared; higher bits take part in the test.
    sysCommand(0x10010);
    EXPECT_EQ(script.count(), 17);
    for (const BoxFacts &box : boxes) {
        EXPECT_EQ(box.className, "CVersionDlg");
        EXPECT_EQ(box.owner, panel.get());
    }
}

TEST_F(WindowMenuTest, OtherSystemCommandsPassToDefaultProcessing)
{
    std::vector<BoxFacts> boxes;
    const WhenOpened script = recordBoxes(boxes);
    for (const UINT id : {0u, 1u, 15u, 32u, 47u, 0x1010u, 0xF000u}) {
        sysCommand(id);
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(panel->isMinimized());
    // The default processing minimises and restores the window.
    sysCommand(tk::SC_MINIMIZE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel->isMinimized());
    sysCommand(tk::SC_RESTORE);
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->isMinimized());
    EXPECT_EQ(script.count(), 0);
}

TEST_F(WindowMenuTest, RightClickOnTheBackgroundShowsTheMenuAndItsItemOpensTheBox)
{
    std::vector<BoxFacts> boxes;
    const WhenOpened dialogs = recordBoxes(boxes);
    const WhenOpened menus = WhenOpened::popup([](QWidget &window) {
        auto *menu = qobject_cast<QMenu *>(&window);
        ASSERT_NE(menu, nullptr);
        QAction *item = versionAction(*menu);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(menu->actions().back(), item);
        EXPECT_TRUE(menu->actions()[menu->actions().size() - 2]->isSeparator());
        EXPECT_TRUE(item->isEnabled());
        EXPECT_EQ(cp932::fromUtf8(item->text().toStdString()), cp932::fromUtf8(kVersionItemText));

        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
    });
    rightClickBackground();
    EXPECT_EQ(menus.count(), 1);
    ASSERT_EQ(dialogs.count(), 1);
    EXPECT_EQ(boxes.front().className, "CVersionDlg");
}

TEST_F(WindowMenuTest, AccessKeyAChoosesTheItemLikeAClick)
{
    std::vector<BoxFacts> boxes;
    const WhenOpened dialogs = recordBoxes(boxes);
    const WhenOpened menus = WhenOpened::popup([](QWidget &menu) { QTest::keyClick(&menu, Qt::Key_A); });
    rightClickBackground();
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(dialogs.count(), 1);
}

TEST_F(WindowMenuTest, HelpButtonAndMenuItemOpenTheSameBox)
{
    std::vector<BoxFacts> boxes;
    const WhenOpened script = recordBoxes(boxes);
    click(IDC_HELP_BUTTON);
    sysCommand(IDM_ABOUTBOX);
    ASSERT_EQ(script.count(), 2);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], boxes[1]);
    EXPECT_EQ(boxes[0].className, "CVersionDlg");
    EXPECT_EQ(boxes[0].templateId, 100);
    EXPECT_FALSE(boxes[0].helpText.empty());
}

TEST_F(WindowMenuTest, TheMainWindowTakesNoInputWhileTheBoxIsOpen)
{
    int nestedBoxes = 0;
    const WhenOpened script = WhenOpened::modal([&](QWidget &window) {
        const WhenOpened nested = WhenOpened::modalOver(window, [](QWidget &) {});
        click(IDC_HELP_BUTTON);
        rightClickBackground();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        nestedBoxes = nested.count();
    });
    click(IDC_HELP_BUTTON);
    EXPECT_EQ(script.count(), 1);
    EXPECT_EQ(nestedBoxes, 0);
}

} // namespace
