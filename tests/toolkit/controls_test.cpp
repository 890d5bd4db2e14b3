#include "toolkit/widgets/groupbox.h"
#include "toolkit/widgets/staticframe.h"

#include <QImage>

#include <gtest/gtest.h>

// Frames and group boxes lie over the controls they surround: they draw only
// their outline and let every click through to what lies beneath.
TEST(ToolkitStaticFrame, DrawsItsOutlineLeavesTheInsideUnpaintedAndLetsTheMouseThrough)
{
    tk::StaticFrame frame({.border = true, .sunken = true});
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
