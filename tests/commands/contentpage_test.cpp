#include "tests/support/cp932.h"
#include "tests/support/panelfixture.h"

#include "commands/catalogue.h"
#include "res/resource.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/windowevent.h"

#include <QCoreApplication>
#include <QTabBar>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using robotlink::LinkState;
using Calls = std::vector<std::string>;

namespace {

constexpr int kRows = 1087;
constexpr int kWalkingPage = 0;
constexpr int kMwcidPage = 1;

constexpr std::array kWalkingPageButtons{1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029,
                                         1030, 1031, 1032, 1033, 1038, 1039, 1040};
// Controls outside the pages: the frame, connection, posture, stop, slider
// and bone controls and the rest.
constexpr std::array kAlwaysShown{2,    1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008,
                                  1013, 1016, 1017, 1019, 1020, 1021, 1036, 1037, 1041};

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
        for (int id : kWalkingPageButtons)
            EXPECT_EQ(isVisible(id), shown) << id;
        EXPECT_EQ(isVisible(IDC_CONTENT_LIST), !shown);
        EXPECT_EQ(isVisible(IDC_LIST_HINT), !shown);
        for (int id : kAlwaysShown)
            EXPECT_TRUE(isVisible(id)) << id;
    }

    // The MWCID page, filled, on a link in the given state.
    void openListIn(LinkState state)
    {
        openPanel();
        clickTab(kMwcidPage);
        enterLinkState(state);
        m_before = statusText();
    }

    // Where a row shows in the list's own coordinates, after scrolling to it.
    QPoint rowCentre(int row)
    {
        QListWidgetItem *item = list()->item(row);
        list()->scrollToItem(item);
        QCoreApplication::processEvents();
        const QRect rect = list()->visualItemRect(item);
        EXPECT_TRUE(list()->viewport()->rect().contains(rect.center())) << "row " << row << " is not in view";
        return list()->viewport()->mapTo(list(), rect.center());
    }

    void doubleClickRow(int row) { doubleClick(IDC_CONTENT_LIST, rowCentre(row)); }
    void clickRow(int row) { clickAt(list(), rowCentre(row)); }

    std::string m_before;
};

TEST_F(ContentPage, TabClicksSwitchPagesAndFillTheListOnceInCatalogueOrder)
{
    openPanel();
    ASSERT_EQ(panel->linkState(), LinkState::Offline);
    clickTab(kMwcidPage);
    expectWalkingPage(false);
    ASSERT_EQ(list()->rowCount(), kRows);
    for (int row = 0; row < kRows; ++row)
        ASSERT_EQ(list()->rowText(row).toStdString(), kContentCatalogue[row]) << "row " << row;
    EXPECT_EQ(list()->rowText(kRows - 1).toStdString(), "2642: 顔LEDの持続表示を消す(any)");
    clickRow(10);
    for (LinkState state : {LinkState::Offline, LinkState::Connecting, LinkState::Online, LinkState::Disconnecting}) {
        SCOPED_TRACE(linkStateName(state));
        enterLinkState(state);
        clickTab(kWalkingPage);
        expectWalkingPage(true);
        clickTab(kMwcidPage);
        expectWalkingPage(false);
        EXPECT_EQ(list()->rowCount(), kRows);
        EXPECT_EQ(list()->curSel(), 10) << "the selection stays";
        EXPECT_EQ(robot->calls, Calls{}) << "switching pages sends nothing";
    }
}

// Repeated numbers and texts, the smallest and largest numbers and
// parentheses inside the description.
TEST_F(ContentPage, ADoubleClickedRowPlaysTheNumberBeforeTheColon)
{
    openListIn(LinkState::Online);
    struct RowCase
    {
        const char *text;
        int occurrence; // among rows of the same text
        int mwcid;
    };
    for (const RowCase &rowCase : {RowCase{"2126: かがみ姿勢(standb)", 0, 2126}, RowCase{"2010: 素早く立つ(standf)", 0, 2010},
                                   RowCase{"2919: 投げる(stand)", 1, 2919}, RowCase{"603: 揺らすのを停止する(walk)", 0, 603},
                                   RowCase{"4042: シャッター音(any)", 0, 4042},
                                   RowCase{"2345: 音＋LED(顔)＋LED(背中全部3秒ほど点灯)(any)", 0, 2345},
                                   RowCase{"2642: 顔LEDの持続表示を消す(any)", 0, 2642}}) {
        SCOPED_TRACE(rowCase.text);
        const QList<QListWidgetItem *> matches = list()->findItems(QString::fromUtf8(rowCase.text), Qt::MatchExactly);
        ASSERT_GT(matches.size(), rowCase.occurrence);
        const int row = list()->row(matches[rowCase.occurrence]);
        robot->calls.clear();
        doubleClickRow(row);
        EXPECT_EQ(list()->curSel(), row);
        const std::string number = std::to_string(rowCase.mwcid);
        EXPECT_EQ(robot->calls, Calls{"PlayContents(" + number + ", 0)"});
        EXPECT_EQ(statusText(), "コマンド(MWCID=" + number + ")送信");
    }
}

TEST_F(ContentPage, ADoubleClickSendsNothingWhileNotOnline)
{
    for (const LinkState state : {LinkState::Offline, LinkState::Connecting, LinkState::Disconnecting}) {
        SCOPED_TRACE(linkStateName(state));
        openListIn(state);
        doubleClickRow(2);
        EXPECT_EQ(list()->curSel(), 2) << "the row is still selected";
        EXPECT_EQ(robot->calls, Calls{});
        EXPECT_EQ(statusText(), m_before);
    }
}

} // namespace
