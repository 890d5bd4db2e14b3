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

#include <string>
#include <vector>

namespace {

const std::string kVersionItemText = "バージョン情報 Mirel(&A)...";
const std::string kBox = "CVersionDlg template 100 owned by the panel with help";

class WindowMenuTest : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        openPanel();
    }

    void sysCommand(UINT id) { panel->dispatch({.kind = tk::EventKind::SysCommand, .id = static_cast<int>(id)}); }

    // A real right click on the window's background, outside every control.
    void rightClickBackground()
    {
        const tk::PixelRect corner = tk::duToPixels(3, 3, 0, 0, panel->baseUnits());
        const QPoint point(corner.x, corner.y);
        ASSERT_EQ(panel->childAt(point), nullptr);
        QTest::mouseClick(panel->windowHandle(), Qt::RightButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
    }

    // Records what tells one box from another, for each one that opens.
    WhenOpened recordBoxes()
    {
        return WhenOpened::modal([this](QWidget &window) {
            auto &dialog = static_cast<tk::Dialog &>(window);
            const auto *field = dialog.item<tk::MultiLineEdit>(IDC_HELP_TEXT);
            boxes.push_back(std::string(window.metaObject()->className()) + " template "
                            + std::to_string(dialog.dialogTemplate().id) + " owned "
                            + (window.parentWidget() == panel.get() ? "by the panel" : "elsewhere")
                            + (field != nullptr && !field->toPlainText().isEmpty() ? " with help" : " without help"));
        });
    }

    std::vector<std::string> boxes;
};

TEST_F(WindowMenuTest, SystemCommandsWhoseIdMaskedBy0xFFF0Is16OpenTheBox)
{
    const WhenOpened script = recordBoxes();
    for (UINT id = 16; id <= 31; ++id) {
        sysCommand(id);
        ASSERT_EQ(script.count(), static_cast<int>(id) - 15) << "id " << id;
    }
    // Only the four low bits are cleared; higher bits take part in the test.
    sysCommand(0x10010);
    EXPECT_EQ(script.count(), 17);
    EXPECT_EQ(boxes, std::vector<std::string>(17, kBox));
}

TEST_F(WindowMenuTest, TheMenuOfARightClickOnTheBackgroundOpensTheBoxByClickOrAccessKey)
{
    const WhenOpened dialogs = recordBoxes();
    for (const bool byKey : {false, true}) {
        const WhenOpened menus = WhenOpened::popup([byKey](QWidget &window) {
            auto *menu = qobject_cast<QMenu *>(&window);
            ASSERT_NE(menu, nullptr);
            QAction *item = menu->actions().back();
            EXPECT_EQ(item->data().toUInt(), IDM_ABOUTBOX);
            EXPECT_TRUE(menu->actions()[menu->actions().size() - 2]->isSeparator());
            EXPECT_TRUE(item->isEnabled());
            EXPECT_EQ(cp932::fromUtf8(item->text().toStdString()), cp932::fromUtf8(kVersionItemText));
            if (byKey)
                QTest::keyClick(menu, Qt::Key_A);
            else
                QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
        });
        rightClickBackground();
        EXPECT_EQ(menus.count(), 1);
    }
    EXPECT_EQ(boxes, std::vector<std::string>(2, kBox));
}

TEST_F(WindowMenuTest, HelpButtonAndMenuItemOpenTheSameBox)
{
    const WhenOpened script = recordBoxes();
    click(IDC_HELP_BUTTON);
    sysCommand(IDM_ABOUTBOX);
    EXPECT_EQ(boxes, std::vector<std::string>(2, kBox));
}

} // namespace
