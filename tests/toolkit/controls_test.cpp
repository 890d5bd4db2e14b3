#include "toolkit/core/dialogunits.h"
#include "toolkit/widgets/groupbox.h"
#include "toolkit/widgets/staticframe.h"
#include "toolkit/widgets/tabcontrol.h"

#include <QImage>
#include <QTabBar>

#include <gtest/gtest.h>

// Frames and group boxes lie over the controls they surround: they draw only
// their outline and let every click through to what lies beneath.
TEST(ToolkitStaticFrame, DrawsItsOutlineLeavesTheInsideUnpaintedAndLetsTheMouseThrough)
{
    tk::qt::StaticFrame frame({.border = true, .sunken = true});
    frame.resize(60, 40);
    QImage picture(60, 40, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    frame.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(picture.pixelColor(30, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(0, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(30, 39), QColor(Qt::red));
    EXPECT_TRUE(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(tk::qt::GroupBox(QStringLiteral("g")).testAttribute(Qt::WA_TransparentForMouseEvents));
}

// Only a person's choice of a tab notifies; the program's own does not.
TEST(ToolkitTabControl, NotifiesOnlyWhenAnotherTabIsChosenByThePerson)
{
    tk::qt::TabControl tabs;
    int notified = 0;
    QObject::connect(&tabs, &tk::qt::TabControl::selectionChanged, [&notified] { ++notified; });
    tabs.insertItem(0, QStringLiteral("a"));
    tabs.insertItem(1, QStringLiteral("b"));
    EXPECT_EQ(tabs.setCurSel(1), 0);
    EXPECT_EQ(tabs.setCurSel(2), -1);
    EXPECT_EQ(notified, 0);
    tabs.tabBar()->setCurrentIndex(0); // what a click on the row does
    EXPECT_EQ(notified, 1);
}

// Dialog units become pixels rounded to the nearest, halves away from zero.
TEST(ToolkitDialogUnits, RoundToTheNearestPixel)
{
    const tk::BaseUnits units{6, 13};
    EXPECT_EQ(tk::duToPixelsX(3, units), 5); // 4.5
    EXPECT_EQ(tk::duToPixelsX(-3, units), -5);
    EXPECT_EQ(tk::duToPixelsY(3, units), 5); // 4.875
    EXPECT_EQ(tk::duToPixelsY(1, units), 2); // 1.625
    EXPECT_EQ(tk::mulDiv(7, 1, 0), -1);
}
