#pragma once

#include "toolkit/widgets/edges.h"

#include <QSlider>
#include <QTimer>

namespace tk::qt {

/// raises TB_ENDTRACK.
class Trackbar : public QSlider
{
    Q_OBJECT
public:
    explicit Trackbar(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setRangeMin(int minimum);
    void setRangeMax(int maximum);
    void setPageSize(int size);
    void setLineSize(int size);
    /// Moves the thumb without raising a notification.
    void setPos(int position);
    int position() const { return value(); }
    void setEdges(const Edges &edges);
    /// Where the thumb is drawn and hit.
    QRect thumbRect() const;

Q_SIGNALS:
    void scrolled(int code);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    enum class Drag { None, Thumb, Channel };

    /// Moves to target (kept in range) and notifies; nothing at all when
    /// the thumb is already there.
    void step(int target, int code);
    void pageTowardPointer();
    /// What lies inside the edges: channel, thumb and focus rectangle.
    QRect clientArea() const;
    int along(const QPoint &point) const;
    int valueAtThumbStart(int pixel) const;

    Edges m_edges;
    Drag m_drag = Drag::None;
    int m_grabOffset = 0;
    QPoint m_pointer;
    QTimer m_repeat;
    int m_wheelRemainder = 0;
};

} // namespace tk::qt
