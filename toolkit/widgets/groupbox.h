#pragma once

#include "toolkit/widgets/edges.h"

#include <QGroupBox>

namespace tk::qt {

/// A group box that only draws; clicks pass to the controls inside.
class GroupBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupBox(const QString &caption, QWidget *parent = nullptr);

    void setEdges(const Edges &edges);
    /// Where the caption is drawn, breaking the frame's top line.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Edges m_edges;
};

} // namespace tk::qt
