#include "tests/support/panelfixture.h"

#include "framework/catalogue.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using robotlink::LinkState;
using Calls = std::vector<std::string>;

namespace {

constexpr int kWalkingPage = 0;
constexpr int kMwcidPage = 1;

class ContentPage : public PanelTest
{
protected:
    tk::ListBox list() const { return panel->item<tk::ListBox>(IDC_CONTENT_LIST); }

    // A real click on a tab item, as a person makes it.
    void clickTab(int index)
    {
        PanelUser::clickTab(IDC_PAGE_TABS, index);
        ASSERT_EQ(panel->item<tk::TabControl>(IDC_PAGE_TABS).curSel(), index);
    }

    // The row of the nth occurrence of a text, -1 when there is none.
    int rowOf(const char *text, int occurrence) const
    {
        for (int row = 0; row < list().rowCount(); ++row) {
            if (list().rowText(row) == text && occurrence-- == 0)
                return row;
        }
        return -1;
    }

    void expectWalkingPage(bool shown)
    {
        for (int id : {IDC_FORWARD, IDC_GAS_ATTACK})
            EXPECT_EQ(isVisible(id), shown) << id;
        EXPECT_EQ(isVisible(IDC_CONTENT_LIST), !shown);
        EXPECT_EQ(isVisible(IDC_LIST_HINT), !shown);
        EXPECT_TRUE(isVisible(IDC_STAND)) << "outside the pages";
    }
};

} // namespace

TEST_F(ContentPage, TabClicksSwitchPagesAndFillTheListOnceInCatalogueOrder)
{
    openPanel();
    clickTab(kMwcidPage);
    expectWalkingPage(false);
    // Every row of the catalogue, in its order, and no more.
    int rows = 0;
    for (; kContentCatalogue[rows] != nullptr; ++rows)
        ASSERT_EQ(list().rowText(rows), kContentCatalogue[rows]) << "row " << rows;
    ASSERT_EQ(list().rowCount(), rows);
    enterLinkState(LinkState::Online);
    clickTab(kWalkingPage);
    expectWalkingPage(true);
    clickTab(kMwcidPage);
    expectWalkingPage(false);
    EXPECT_EQ(list().rowCount(), rows) << "filled once";
    EXPECT_EQ(robot->calls, Calls{}) << "switching pages sends nothing";
}

// Repeated numbers, the smallest and largest numbers and parentheses inside
// the description; nothing while not online.
TEST_F(ContentPage, ADoubleClickedRowPlaysTheNumberBeforeTheColonWhileOnline)
{
    openPanel();
    clickTab(kMwcidPage);
    enterLinkState(LinkState::Connecting);
    doubleClickRow(IDC_CONTENT_LIST, 2);
    EXPECT_EQ(robot->calls, Calls{});
    enterLinkState(LinkState::Online);
    for (const auto &[text, occurrence, mwcid] :
         {std::tuple{"2919: 投げる(stand)", 1, 2919}, std::tuple{"603: 揺らすのを停止する(walk)", 0, 603},
          std::tuple{"4042: シャッター音(any)", 0, 4042},
          std::tuple{"2345: 音＋LED(顔)＋LED(背中全部3秒ほど点灯)(any)", 0, 2345}}) {
        SCOPED_TRACE(text);
        const int row = rowOf(text, occurrence);
        ASSERT_GE(row, 0);
        robot->calls.clear();
        doubleClickRow(IDC_CONTENT_LIST, row);
        const std::string number = std::to_string(mwcid);
        EXPECT_EQ(robot->calls, Calls{"PlayContents(" + number + ", 0)"});
        EXPECT_EQ(statusText(), "コマンド(MWCID=" + number + ")送信");
    }
    robot->script("PlayContents", {-1});
    doubleClickRow(IDC_CONTENT_LIST, 5);
    EXPECT_EQ(statusText(), "コマンド送信失敗");
}
