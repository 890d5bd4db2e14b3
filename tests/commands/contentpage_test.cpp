#include "tests/support/panelfixture.h"

#include "framework/catalogue.h"
#include "res/resource.h"
#include "toolkit/widgets/listbox.h"
#include "toolkit/widgets/tabcontrol.h"

#include <QCoreApplication>
#include <QTabBar>

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
    tk::TabControl *tabs() const { return panel->item<tk::TabControl>(IDC_PAGE_TABS); }
    tk::ListBox *list() const { return panel->item<tk::ListBox>(IDC_CONTENT_LIST); }

    // A real click on a tab item, as a person makes it.
    void clickTab(int index)
    {
        QTabBar *bar = tabs()->tabBar();
        clickAt(bar, bar->tabRect(index).center());
        ASSERT_EQ(tabs()->curSel(), index);
    }

    void expectWalkingPage(bool shown)
    {
        for (int id : {IDC_FORWARD, IDC_GAS_ATTACK})
            EXPECT_EQ(isVisible(id), shown) << id;
        EXPECT_EQ(isVisible(IDC_CONTENT_LIST), !shown);
        EXPECT_EQ(isVisible(IDC_LIST_HINT), !shown);
        EXPECT_TRUE(isVisible(IDC_STAND)) << "outside the pages";
    }

    // A real double click on a row, after scrolling it into view.
    void doubleClickRow(int row)
    {
        QListWidgetItem *item = list()->item(row);
        list()->scrollToItem(item);
        QCoreApplication::processEvents();
        doubleClick(IDC_CONTENT_LIST, list()->viewport()->mapTo(list(), list()->visualItemRect(item).center()));
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
        ASSERT_EQ(list()->rowText(rows).toStdString(), kContentCatalogue[rows]) << "row " << rows;
    ASSERT_EQ(list()->rowCount(), rows);
    enterLinkState(LinkState::Online);
    clickTab(kWalkingPage);
    expectWalkingPage(true);
    clickTab(kMwcidPage);
    expectWalkingPage(false);
    EXPECT_EQ(list()->rowCount(), rows) << "filled once";
    EXPECT_EQ(robot->calls, Calls{}) << "switching pages sends nothing";
}

// Repeated numbers, the smallest and largest numbers and parentheses inside
// the description; nothing while not online.
TEST_F(ContentPage, ADoubleClickedRowPlaysTheNumberBeforeTheColonWhileOnline)
{
    openPanel();
    clickTab(kMwcidPage);
    enterLinkState(LinkState::Connecting);
    doubleClickRow(2);
    EXPECT_EQ(robot->calls, Calls{});
    enterLinkState(LinkState::Online);
    for (const auto &[text, occurrence, mwcid] :
         {std::tuple{"2919: 投げる(stand)", 1, 2919}, std::tuple{"603: 揺らすのを停止する(walk)", 0, 603},
          std::tuple{"4042: シャッター音(any)", 0, 4042},
          std::tuple{"2345: 音＋LED(顔)＋LED(背中全部3秒ほど点灯)(any)", 0, 2345}}) {
        SCOPED_TRACE(text);
        const QList<QListWidgetItem *> matches = list()->findItems(QString::fromUtf8(text), Qt::MatchExactly);
        ASSERT_GT(matches.size(), occurrence);
        robot->calls.clear();
        doubleClickRow(list()->row(matches[occurrence]));
        const std::string number = std::to_string(mwcid);
        EXPECT_EQ(robot->calls, Calls{"PlayContents(" + number + ", 0)"});
        EXPECT_EQ(statusText(), "コマンド(MWCID=" + number + ")送信");
    }
    robot->script("PlayContents", {-1});
    doubleClickRow(5);
    EXPECT_EQ(statusText(), "コマンド送信失敗");
}
