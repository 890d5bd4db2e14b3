#pragma once

#include "toolkit/widgets/edges.h"

#include <QFrame>

namespace tk::qt {

/// unpainted, optionally with edges. Never takes a click.
class StaticFrame : public QFrame
{
    Q_OBJECT
public:
    explicit StaticFrame(const Edges &edges, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Edges m_edges;
};

} // namespace tk::qt
