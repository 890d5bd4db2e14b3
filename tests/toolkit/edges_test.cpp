#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/edges.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using Role = QPalette::ColorRole;

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

void expectPixels(const QImage &picture, const std::vector<std::pair<QPoint, Role>> &expected)
{
    for (const auto &[point, role] : expected)
        EXPECT_EQ(picture.pixelColor(point), edgePalette().color(role)) << point.x() << "," << point.y();
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

TEST(ToolkitEdges, FillTheirWidthAndNeitherTheInsideNorOutsideOfAnySizeOfControl)
{
    const int edge = tk::edgeWidth(kAllEdges);
    EXPECT_EQ(edge, 3 + 1 + 2 + 1);
    EXPECT_EQ(drawOnPicture(QSize(40, 30), kAllEdges).inner, QRect(4 + edge, 4 + edge, 40 - 2 * edge, 30 - 2 * edge));
    for (int width = 0; width <= 40; width += width < 16 ? 1 : 24) {
        for (int height = 0; height <= 30; height += height < 16 ? 1 : 14) {
            const Drawn drawn = drawOnPicture(QSize(width, height), kAllEdges);
            ASSERT_EQ(drawn.inner.isEmpty(), width <= 2 * edge || height <= 2 * edge) << width << "x" << height;
            for (int y = 0; y < drawn.picture.height(); ++y) {
                for (int x = 0; x < drawn.picture.width(); ++x) {
                    const bool untouched = !drawn.control.contains(x, y) || (!drawn.inner.isEmpty() && drawn.inner.contains(x, y));
                    ASSERT_EQ(drawn.picture.pixelColor(x, y) == kBackground, untouched)
                        << width << "x" << height << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(ToolkitEdges, SunkenEdgeIsShadowOverLightAtTopLeft)
{
    // The bottom-right colour owns the corners it shares with the top-left.
    expectPixels(drawOnPicture(QSize(20, 20), tk::Edges{.sunken = true}, 0).picture,
                 {{{0, 10}, QPalette::Dark}, {{1, 10}, QPalette::Shadow}, {{19, 10}, QPalette::Light},
                  {{18, 10}, QPalette::Midlight}, {{10, 0}, QPalette::Dark}, {{10, 19}, QPalette::Light},
                  {{19, 0}, QPalette::Light}, {{0, 19}, QPalette::Light}});
}

// The main window's vertical rule: two pixels across, its edges far wider.
// Their sides cross inside it and show as a groove from top to bottom,
// without the outline its edges take whole.
TEST(ToolkitEdges, MainWindowRuleIsAContinuousGroove)
{
    tktest::RecordingDialog dialog(res::mainWindowTemplate());
    dialog.create();
    constexpr std::size_t kRule = 17;
    ASSERT_EQ(res::mainWindowTemplate().controls[kRule].cx, 1);
    auto *rule = qobject_cast<tk::StaticFrame *>(dialog.controls()[kRule]);
    ASSERT_NE(rule, nullptr);
    rule->setPalette(edgePalette());
    const QImage picture = rule->grab().toImage();
    ASSERT_EQ(picture.width(), 2);
    const int middle = picture.height() / 2;
    expectPixels(picture, {{{0, middle}, QPalette::Dark}, {{1, middle}, QPalette::Light}});
    for (int y = 1; y < picture.height() - 1; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            EXPECT_EQ(picture.pixelColor(x, y), picture.pixelColor(x, middle)) << x << "," << y;
            EXPECT_NE(picture.pixelColor(x, y), edgePalette().color(QPalette::WindowText)) << x << "," << y;
        }
    }
}

// The head angle group as the template makes it: a double raised edge round
// the control and an etched frame, dark then light on every side, inside
// whose top line the caption breaks.
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

    bool isWindow(int x, int y) const { return picture.pixelColor(x, y) == edgePalette().color(QPalette::Window); }

    tk::GroupBox group{QString::fromUtf8("頭角度")};
    QImage picture;
    const int edge = tk::edgeWidth({.raised = true});
    int frameTop = 0;
};

TEST_F(ToolkitGroupBox, RaisedEdgeRoundAnEtchedFrameWithSquareCornersAndNothingInside)
{
    const int left = edge;
    const int right = picture.width() - 1 - edge;
    const int bottom = picture.height() - 1 - edge;
    const int middle = picture.height() / 2;
    expectPixels(picture, {{{0, middle}, QPalette::Midlight}, {{1, middle}, QPalette::Light},
                           {{2, middle}, QPalette::Button}, {{picture.width() - 1, middle}, QPalette::Shadow},
                           {{middle, picture.height() - 2}, QPalette::Dark}, {{left, middle}, QPalette::Dark},
                           {{left + 1, middle}, QPalette::Light}, {{right - 1, middle}, QPalette::Dark},
                           {{right, middle}, QPalette::Light}, {{middle, bottom - 1}, QPalette::Dark},
                           {{middle, bottom}, QPalette::Light}, {{left, frameTop}, QPalette::Dark},
                           {{left + 1, frameTop + 1}, QPalette::Light}, {{right, frameTop}, QPalette::Light},
                           {{right - 1, frameTop + 1}, QPalette::Dark}, {{left, bottom}, QPalette::Light},
                           {{right, bottom}, QPalette::Light}, {{right - 1, bottom - 1}, QPalette::Dark}});
    // No second frame: the inside is the window's background but for the caption.
    const QRect caption = group.captionRect().adjusted(-1, 0, 1, 1);
    for (int y = frameTop + 2; y < bottom - 1; ++y) {
        for (int x = left + 2; x < right - 1; ++x)
            ASSERT_TRUE(caption.contains(x, y) || isWindow(x, y)) << x << "," << y;
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
        expectPixels(picture, {{{x, frameTop}, QPalette::Dark}});
    EXPECT_TRUE(isWindow(caption.left() - 1, frameTop));
    EXPECT_TRUE(isWindow(caption.right() + 1, frameTop));
    expectPixels(picture, {{{caption.right() + 2, frameTop}, QPalette::Dark}});
    // The first glyph stands clear of the frame's corner: above the line and
    // inside the frame's side there is only background.
    int ink = 0;
    for (int y = caption.top(); y <= caption.bottom(); ++y) {
        for (int x = y < frameTop ? edge : edge + 2; x < caption.left(); ++x) {
            if (y != frameTop && y != frameTop + 1) {
                EXPECT_TRUE(isWindow(x, y)) << x << "," << y;
            }
        }
        for (int x = caption.left(); x <= caption.right(); ++x)
            ink += isWindow(x, y) ? 0 : 1;
    }
    EXPECT_GT(ink, 20);
}

} // namespace
