#pragma once

#include "vaiboclient/framestore.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace vaibo {

/// Paints the newest camera picture into a pane of the panel whenever the
/// pane paints, scaled to its contents rectangle, with a small readout of
/// the frame rate and the picture's age in the bottom right corner. The
/// pane's own painting (its frame) follows on top.
class PanePainter : public QObject
{
public:
    explicit PanePainter(const FrameStore &store);
    ~PanePainter() override;

    /// Paints into this pane from now on, instead of any earlier one.
    void setPane(QWidget *pane);

    /// The readout for a rate and an age, as painted.
    static QString readout(int framesPerSecond, std::chrono::milliseconds age);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paint(QWidget *pane) const;

    const FrameStore &m_store;
    QPointer<QWidget> m_pane;
};

} // namespace vaibo
