#pragma once

#include "vaiboclient/framestore.h"

#include <QFont>
#include <QFontMetrics>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace vaibo {

/// Paints the newest camera picture into a pane of the panel whenever the
/// pane paints, filling its contents rectangle, with a small readout of the
/// frame rate and the picture's age in the bottom right corner. The pane's
/// own painting (its frame) follows on top. The readout never lies: without
/// new frames the pane is painted again every second, so the age counts up
/// and the rate falls to 0; a picture from a link that has ended is shown
/// dimmed with a note instead of the readout. The readout or note is also
/// the pane's accessible description.
class PanePainter : public QObject
{
public:
    explicit PanePainter(FrameStore &store);
    ~PanePainter() override;

    /// Paints into this pane from now on, instead of any earlier one.
    void setPane(QWidget *pane);
    /// Paints the pane again: the link came up or ended.
    void refresh();

    /// The readout for a rate, the picture's age from its capture and the
    /// link's round trip, as painted: "12 fps 180 ms ⇄ 40 ms".
    static QString readout(int framesPerSecond, std::chrono::milliseconds age,
                           std::optional<std::chrono::microseconds> roundTrip);
    /// The note over a picture that is not live.
    static QString staleNote(bool linkUp);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A font with its metrics and the margin around its text, worked out
    // once per pane size rather than on every paint.
    struct Lettering
    {
        QFont font;
        QFontMetrics metrics{font};
        QSize margin;

        void set(const QFont &base, int pixelSize, QSize textMargin);
        QSize boxFor(const QString &text) const;
    };

    void paint(QWidget *pane) const;
    void fitTo(QWidget *pane);
    void repaintIfStale();

    FrameStore &m_store;
    QPointer<QWidget> m_pane;
    QTimer m_ageTimer{this};
    Lettering m_readout;
    Lettering m_note;
};

} // namespace vaibo
