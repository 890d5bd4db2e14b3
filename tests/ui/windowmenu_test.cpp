#include "res/resource.h"
#include "tests/support/panelfixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using WindowMenu = PanelTest;

// The help button and the window menu's item, appended after a separator
// with string 101, each open the version box over the panel, its help text
// written, until it is closed. The item's id is compared under the system
// command mask: the low four bits are the system's.
TEST_F(WindowMenu, HelpButtonAndMenuItemOpenTheVersionBox)
{
    openPanel();
    // Found by its id: Wine puts an item of its own last in every window menu.
    const std::vector<MenuItem> items = windowMenu();
    const auto item = std::find_if(items.begin(), items.end(),
                                   [](const MenuItem &each) { return each.id == static_cast<UINT>(IDM_ABOUTBOX); });
    ASSERT_NE(item, items.end());
    ASSERT_NE(item, items.begin());
    EXPECT_EQ(item[-1].id, 0u) << "a separator before it";
    EXPECT_EQ(item->text, "バージョン情報 Mirel(&A)...");
    std::vector<std::string> boxes;
    const auto record = [&](HWND box) {
        EXPECT_FALSE(shownText(box, IDC_HELP_TEXT).empty());
        boxes.push_back(ownerOf(box) == panel->handle() ? "over the panel" : "elsewhere");
    };
    whenBoxOpens(record);
    click(IDC_HELP_BUTTON);
    whenBoxOpens(record);
    panel->dispatch({.kind = tk::EventKind::SysCommand, .id = IDM_ABOUTBOX | 0x3});
    EXPECT_EQ(boxes, std::vector<std::string>(2, "over the panel"));
}

} // namespace
