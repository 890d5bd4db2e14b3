#include "res/icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace res {
namespace {

// Drawn on a 256-unit grid: a robot dog's head, front view, with a dark
// visor and two lit eyes, floppy ears, and radio waves at its top right.
constexpr qreal kGrid = 256.0;

// Below this size the outer wave and the nose only blur the picture.
constexpr int kSmallSize = 24;

void paintBackground(QPainter &painter)
{
    QLinearGradient fill(0, 16, 0, 240);
    fill.setColorAt(0.0, QColor(0x2b, 0x6c, 0xa3));
    fill.setColorAt(1.0, QColor(0x12, 0x2f, 0x4f));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(12, 12, 232, 232), 52, 52);
}

void paintEars(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x8e, 0x9a, 0xa6));
    for (const qreal side : {-1.0, 1.0}) {
        painter.save();
        painter.translate(118 + side * 66, 146);
        painter.rotate(side * -22);
        painter.drawRoundedRect(QRectF(-19, -44, 38, 96), 19, 19);
        painter.restore();
    }
}

void paintHead(QPainter &painter)
{
    QLinearGradient shell(0, 92, 0, 220);
    shell.setColorAt(0.0, QColor(0xf7, 0xf9, 0xfb));
    shell.setColorAt(1.0, QColor(0xbf, 0xca, 0xd4));
    painter.setPen(QPen(QColor(0x0c, 0x1f, 0x33), 4));
    painter.setBrush(shell);

    QPainterPath head;
    head.addRoundedRect(QRectF(62, 92, 112, 98), 48, 44);
    QPainterPath muzzle;
    muzzle.addEllipse(QRectF(84, 150, 68, 66));
    painter.drawPath(head.united(muzzle));
}

void paintFace(QPainter &painter, bool small)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x17, 0x1c, 0x22));
    painter.drawRoundedRect(QRectF(74, 116, 88, 36), 18, 18);

    for (const qreal x : {98.0, 138.0}) {
        QRadialGradient glow(x, 134, 14);
        glow.setColorAt(0.0, QColor(0xb8, 0xff, 0xf4));
        glow.setColorAt(0.55, QColor(0x2e, 0xe6, 0xc9));
        glow.setColorAt(1.0, QColor(0x2e, 0xe6, 0xc9, 0));
        painter.setBrush(glow);
        painter.drawEllipse(QPointF(x, 134), small ? 14 : 12, small ? 14 : 12);
    }

    if (!small) {
        painter.setBrush(QColor(0x2a, 0x31, 0x3a));
        painter.drawEllipse(QRectF(108, 166, 20, 13));
    }
}

void paintWaves(QPainter &painter, bool small)
{
    // A light on the head's top right corner, sending into the icon's corner.
    const QPointF centre(168, 90);
    const QColor orange(0xff, 0xa0, 0x1c);
    painter.setPen(Qt::NoPen);
    painter.setBrush(orange);
    painter.drawEllipse(centre, 10, 10);

    // On small icons two thick waves read better than three thin ones.
    const int waves = small ? 2 : 3;
    const qreal spacing = small ? 24 : 17;
    painter.setPen(QPen(orange, small ? 14 : 10, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int wave = 1; wave <= waves; ++wave) {
        const qreal radius = 6 + wave * spacing;
        const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        // A quarter circle from the right (0 degrees) to the top; Qt counts
        // arcs in sixteenths of a degree.
        painter.drawArc(bounds, 0, 90 * 16);
    }
}

} // namespace

void paintApplicationIcon(QPainter &painter, int size)
{
    const bool small = size <= kSmallSize;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    paintBackground(painter);
    paintEars(painter);
    paintHead(painter);
    paintFace(painter, small);
    paintWaves(painter, small);
    painter.restore();
}

QImage applicationIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintApplicationIcon(painter, size);
    return image;
}

} // namespace res
