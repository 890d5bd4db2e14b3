#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/edges.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QColor kBackground(Qt::magenta);

// A palette whose every edge colour can be told apart.
QPalette edgePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(250, 250, 250));
    palette.setColor(QPalette::Midlight, QColor(200, 200, 200));
    palette.setColor(QPalette::Button, QColor(180, 180, 180));
    palette.setColor(QPalette::Dark, QColor(120, 120, 120));
    palette.setColor(QPalette::Shadow, QColor(40, 40, 40));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 90));
    palette.setColor(QPalette::Window, QColor(225, 225, 215));
    return palette;
}

constexpr tk::Edges kAllEdges{.raised = true, .border = true, .sunken = true, .thin = true};

// Edges drawn at (margin, margin) on a larger picture, so that anything
// drawn outside the control shows.
struct Drawn
{
    QImage picture;
    QRect control;
    QRect inner;
};

Drawn drawOnPicture(const QSize &size, const tk::Edges &edges, int margin = 4)
{
    Drawn drawn{QImage(size + QSize(2 * margin, 2 * margin), QImage::Format_RGB32),
                QRect(QPoint(margin, margin), size), QRect()};
    drawn.picture.fill(kBackground);
    QPainter painter(&drawn.picture);
    drawn.inner = tk::drawEdges(painter, drawn.control, edgePalette(), edges);
    return drawn;
}

TEST(ToolkitEdges, LeaveTheInsideOfAWideControlAlone)
{
    const Drawn drawn = drawOnPicture(QSize(40, 30), kAllEdges);
    const int width = tk::edgeWidth(kAllEdges);
    EXPECT_EQ(width, 3 + 1 + 2 + 1);
    EXPECT_EQ(drawn.inner, drawn.control.adjusted(width, width, -width, -width));
    for (int y = drawn.control.top(); y <= drawn.control.bottom(); ++y) {
        for (int x = drawn.control.left(); x <= drawn.control.right(); ++x)
            EXPECT_EQ(drawn.picture.pixelColor(x, y) == kBackground, drawn.inner.contains(x, y)) << x << "," << y;
    }
}

TEST(ToolkitEdges, SunkenEdgeIsShadowOverLightAtTopLeft)
{
    const Drawn drawn = drawOnPicture(QSize(20, 20), tk::Edges{.sunken = true}, 0);
    const QPalette palette = edgePalette();
    EXPECT_EQ(drawn.picture.pixelColor(0, 10), palette.color(QPalette::Dark));
    EXPECT_EQ(drawn.picture.pixelColor(1, 10), palette.color(QPalette::Shadow));
    EXPECT_EQ(drawn.picture.pixelColor(19, 10), palette.color(QPalette::Light));
    EXPECT_EQ(drawn.picture.pixelColor(18, 10), palette.color(QPalette::Midlight));
    EXPECT_EQ(drawn.picture.pixelColor(10, 0), palette.color(QPalette::Dark));
    EXPECT_EQ(drawn.picture.pixelColor(10, 19), palette.color(QPalette::Light));
    // The bottom-right colour owns the corners it shares with the top-left.
    EXPECT_EQ(drawn.picture.pixelColor(19, 0), palette.color(QPalette::Light));
    EXPECT_EQ(drawn.picture.pixelColor(0, 19), palette.color(QPalette::Light));
}

TEST(ToolkitEdges, NeverDrawOutsideATinyControl)
{
    for (int width = 0; width <= 16; ++width) {
        for (int height = 0; height <= 16; ++height) {
            const Drawn drawn = drawOnPicture(QSize(width, height), kAllEdges);
            const int edge = tk::edgeWidth(kAllEdges);
            EXPECT_EQ(drawn.inner.isEmpty(), width <= 2 * edge || height <= 2 * edge) << width << "x" << height;
            for (int y = 0; y < drawn.picture.height(); ++y) {
                for (int x = 0; x < drawn.picture.width(); ++x) {
                    if (!drawn.control.contains(x, y)) {
                        ASSERT_EQ(drawn.picture.pixelColor(x, y), kBackground)
                            << width << "x" << height << " at " << x << "," << y;
                    }
                }
            }
        }
    }
}

// The rule between the window's halves: a frame two pixels wide whose
// edges are far wider. Their sides cross inside it and show as a groove.
TEST(ToolkitEdges, TwoPixelWideFrameShowsAGrooveOverItsWholeHeight)
{
    const tk::Edges rule{.raised = true, .sunken = true};
    const Drawn drawn = drawOnPicture(QSize(2, 60), rule, 0);
    const QPalette palette = edgePalette();
    EXPECT_TRUE(drawn.inner.isEmpty());
    for (int y = 1; y < 59; ++y) {
        EXPECT_EQ(drawn.picture.pixelColor(0, y), palette.color(QPalette::Dark)) << y;
        EXPECT_EQ(drawn.picture.pixelColor(1, y), palette.color(QPalette::Light)) << y;
    }
}

TEST(ToolkitEdges, TwoPixelHighFrameShowsAGrooveOverItsWholeWidth)
{
    const Drawn drawn = drawOnPicture(QSize(60, 2), tk::Edges{.raised = true, .sunken = true}, 0);
    const QPalette palette = edgePalette();
    for (int x = 1; x < 59; ++x) {
        EXPECT_EQ(drawn.picture.pixelColor(x, 0), palette.color(QPalette::Dark)) << x;
        EXPECT_EQ(drawn.picture.pixelColor(x, 1), palette.color(QPalette::Light)) << x;
    }
}

TEST(ToolkitEdges, EtchedLineIsDarkThenLightOnEverySide)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(kBackground);
    QPainter painter(&picture);
    tk::drawEtched(painter, picture.rect(), edgePalette());
    painter.end();
    const QColor dark = edgePalette().color(QPalette::Dark);
    const QColor light = edgePalette().color(QPalette::Light);
    EXPECT_EQ(picture.pixelColor(0, 10), dark);
    EXPECT_EQ(picture.pixelColor(1, 10), light);
    EXPECT_EQ(picture.pixelColor(18, 10), dark);
    EXPECT_EQ(picture.pixelColor(19, 10), light);
    EXPECT_EQ(picture.pixelColor(10, 0), dark);
    EXPECT_EQ(picture.pixelColor(10, 1), light);
    EXPECT_EQ(picture.pixelColor(10, 18), dark);
    EXPECT_EQ(picture.pixelColor(10, 19), light);
    EXPECT_EQ(picture.pixelColor(10, 10), kBackground);
}

// The main window's vertical rule as built from its template: a
// continuous line from top to bottom, without the outline of its client
// area, which its edges take whole.
TEST(ToolkitEdges, MainWindowRuleIsAContinuousLine)
{
    tktest::RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    constexpr std::size_t kRule = 17;
    ASSERT_EQ(res::mainWindowTemplate().controls[kRule].cx, 1);
    ASSERT_EQ(res::mainWindowTemplate().controls[kRule].cy, 254);
    auto *rule = qobject_cast<tk::StaticFrame *>(dialog.controls()[kRule]);
    ASSERT_NE(rule, nullptr);
    rule->setPalette(edgePalette());
    const QImage picture = rule->grab().toImage();
    ASSERT_LT(picture.width(), 2 * tk::edgeWidth({.raised = true, .sunken = true}));
    const QColor outline = edgePalette().color(QPalette::WindowText);
    const int middle = picture.height() / 2;
    EXPECT_EQ(picture.pixelColor(0, middle), edgePalette().color(QPalette::Dark));
    for (int y = 1; y < picture.height() - 1; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            EXPECT_EQ(picture.pixelColor(x, y), picture.pixelColor(x, middle)) << x << "," << y;
            EXPECT_NE(picture.pixelColor(x, y), outline) << x << "," << y;
        }
    }
}

// The head angle group as the template makes it: a double raised edge
// round the control and an etched frame inside whose top line the caption
// breaks.
class ToolkitGroupBox : public testing::Test
{
protected:
    void SetUp() override
    {
        group.setEdges({.raised = true});
        group.setPalette(edgePalette());
        group.resize(150, 100);
        picture = group.grab().toImage();
        frameTop = edge + group.fontMetrics().height() / 2 - 1;
    }

    QRgb at(int x, int y) const { return picture.pixel(x, y); }
    static QRgb colour(QPalette::ColorRole role) { return edgePalette().color(role).rgb(); }

    tk::GroupBox group{QString::fromUtf8("頭角度")};
    QImage picture;
    const int edge = tk::edgeWidth({.raised = true});
    int frameTop = 0;
};

TEST_F(ToolkitGroupBox, RaisedEdgeGoesRoundTheControl)
{
    const int middle = picture.height() / 2;
    EXPECT_EQ(at(0, middle), colour(QPalette::Midlight));
    EXPECT_EQ(at(1, middle), colour(QPalette::Light));
    EXPECT_EQ(at(2, middle), colour(QPalette::Button));
    EXPECT_EQ(at(picture.width() - 1, middle), colour(QPalette::Shadow));
    EXPECT_EQ(at(middle, picture.height() - 2), colour(QPalette::Dark));
}

TEST_F(ToolkitGroupBox, EtchedFrameHasSquareCornersAndNothingInside)
{
    const int left = edge;
    const int right = picture.width() - 1 - edge;
    const int bottom = picture.height() - 1 - edge;
    EXPECT_EQ(at(left, frameTop), colour(QPalette::Dark));
    EXPECT_EQ(at(left + 1, frameTop + 1), colour(QPalette::Light));
    EXPECT_EQ(at(right, frameTop), colour(QPalette::Light));
    EXPECT_EQ(at(right - 1, frameTop + 1), colour(QPalette::Dark));
    EXPECT_EQ(at(left, bottom), colour(QPalette::Light));
    EXPECT_EQ(at(right, bottom), colour(QPalette::Light));
    EXPECT_EQ(at(right - 1, bottom - 1), colour(QPalette::Dark));
    // No second frame: the inside is the window's background, but for the
    // caption that reaches into it.
    const QRect caption = group.captionRect().adjusted(-1, 0, 1, 1);
    for (int y = frameTop + 2; y < bottom - 1; ++y) {
        for (int x = left + 2; x < right - 1; ++x) {
            if (!caption.contains(x, y)) {
                ASSERT_EQ(at(x, y), colour(QPalette::Window)) << x << "," << y;
            }
        }
    }
}

TEST_F(ToolkitGroupBox, CaptionBreaksTheTopLineAfterAMargin)
{
    const QRect caption = group.captionRect();
    EXPECT_GE(caption.left(), edge + 5);
    EXPECT_EQ(caption.top(), edge);
    EXPECT_NEAR(caption.center().y(), frameTop, 1);
    // The line runs up to a pixel before the caption and goes on a pixel after it.
    for (int x = edge; x < caption.left() - 1; ++x)
        EXPECT_EQ(at(x, frameTop), colour(QPalette::Dark)) << x;
    EXPECT_EQ(at(caption.left() - 1, frameTop), colour(QPalette::Window));
    EXPECT_EQ(at(caption.right() + 1, frameTop), colour(QPalette::Window));
    EXPECT_EQ(at(caption.right() + 2, frameTop), colour(QPalette::Dark));
    // The first glyph stands clear of the frame's corner: above the line
    // and inside the frame's side there is only background.
    for (int y = caption.top(); y <= caption.bottom(); ++y) {
        const int first = y < frameTop ? edge : edge + 2;
        for (int x = first; x < caption.left(); ++x) {
            if (y != frameTop && y != frameTop + 1) {
                EXPECT_EQ(at(x, y), colour(QPalette::Window)) << x << "," << y;
            }
        }
    }
    int ink = 0;
    for (int y = caption.top(); y <= caption.bottom(); ++y) {
        for (int x = caption.left(); x <= caption.right(); ++x)
            ink += at(x, y) != colour(QPalette::Window) ? 1 : 0;
    }
    EXPECT_GT(ink, 20);
}

} // namespace
