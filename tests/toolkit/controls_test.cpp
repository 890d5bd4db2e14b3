#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QTabBar>

namespace {

using tk::EventKind;
using tktest::ShownMainWindow;

// --- tab control ----------------------------------------------------------

class ToolkitPageTabs : public ShownMainWindow
{
protected:
    void SetUp() override
    {
        ShownMainWindow::SetUp();
        tabs = dialog.item<tk::TabControl>(1021);
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(tabs->curSel(), -1);
        EXPECT_EQ(tabs->insertItem(0, QString::fromUtf8("歩行")), 0);
        EXPECT_EQ(tabs->insertItem(1, QStringLiteral("MWCID")), 1);
    }

    std::vector<tk::WindowEvent> notifications() const { return dialog.eventsOf(EventKind::Notify); }
    QPoint tabCentre(int index) const { return inWindow(tabs->tabBar(), tabs->tabBar()->tabRect(index).center()); }

    tk::TabControl *tabs = nullptr;
};

TEST_F(ToolkitPageTabs, OnlyTheUsersChangesOfTheItemNotify)
{
    click(tabCentre(0));
    QWheelEvent wheel(tabCentre(0), tabs->mapToGlobal(QPoint()), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window(), &wheel);
    EXPECT_EQ(tabs->curSel(), 0);
    EXPECT_TRUE(notifications().empty());
    click(tabCentre(1));
    EXPECT_EQ(tabs->curSel(), 1);
    ASSERT_EQ(notifications().size(), 1u);
    EXPECT_EQ(notifications()[0].id, 1021);
    EXPECT_EQ(notifications()[0].code, tk::TCN_SELCHANGE);
    EXPECT_EQ(notifications()[0].control, tabs);
    // Arrow keys change the item while the tab row has the focus.
    ASSERT_EQ(QApplication::focusWidget(), tabs->tabBar());
    key(Qt::Key_Left);
    EXPECT_EQ(tabs->curSel(), 0);
    key(Qt::Key_Right);
    EXPECT_EQ(tabs->curSel(), 1);
    EXPECT_EQ(notifications().size(), 3u);
}

// --- statics and buttons --------------------------------------------------

TEST(ToolkitStaticFrame, DrawsItsOutlineLeavesTheInsideUnpaintedAndLetsTheMouseThrough)
{
    tk::StaticFrame frame(true, true, false, false);
    frame.resize(60, 40);
    QImage picture(60, 40, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    frame.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(picture.pixelColor(30, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(0, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(30, 39), QColor(Qt::red));
    EXPECT_TRUE(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(tk::GroupBox(QStringLiteral("g")).testAttribute(Qt::WA_TransparentForMouseEvents));
}

} // namespace
