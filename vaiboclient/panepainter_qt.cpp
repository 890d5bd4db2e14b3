// The pane painted with QPainter: an event filter on the pane's widget paints
// before the widget paints its frame. The overlay's text is also the pane's
// accessible description.
#include "vaiboclient/panepainter.h"

#include "toolkit/core/clock.h"
#include "vaiboclient/paneoverlay.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace vaibo {

class PanePainter::Pane : public QObject
{
public:
    Pane(FrameStore &store, QWidget *widget) : m_store(store), m_widget(widget)
    {
        m_widget->installEventFilter(this);
        fit();
        m_ageTimer.setInterval(overlay::kAgeTick);
        connect(&m_ageTimer, &QTimer::timeout, this, &Pane::repaintIfStale);
        m_ageTimer.start();
    }

    ~Pane() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }

    QWidget *widget() const { return m_widget; }

    void refresh()
    {
        if (m_widget)
            m_widget->update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget) {
            if (event->type() == QEvent::Paint)
                paint();
            else if (event->type() == QEvent::Resize)
                fit();
        }
        // The pane still paints itself, so its frame is drawn over the picture.
        return false;
    }

private:
    // A font with its metrics and the margin around its text, worked out
    // once per pane size rather than on every paint.
    struct Lettering
    {
        QFont font;
        QFontMetrics metrics{font};
        QSize margin;

        void set(const QFont &base, const overlay::Lettering &lettering)
        {
            font = base;
            font.setPixelSize(lettering.pixelSize);
            metrics = QFontMetrics(font);
            margin = QSize(lettering.margin.width, lettering.margin.height);
        }
        QSize boxFor(const QString &text) const
        {
            return QSize(metrics.horizontalAdvance(text), metrics.height()) + margin;
        }
    };

    void fit()
    {
        const QSize size = m_widget->contentsRect().size();
        m_store.setPictureSize({size.width(), size.height()});
        m_readout.set(m_widget->font(), overlay::readoutLettering(size.height()));
        m_note.set(m_widget->font(), overlay::noteLettering(size.height()));
    }

    void repaintIfStale()
    {
        const auto now = tk::now();
        if (m_widget && overlay::isStale(m_store.picture(now), now))
            m_widget->update();
    }

    void paint()
    {
        const auto now = tk::now();
        const FrameStore::Picture picture = m_store.picture(now);
        if (!picture.image)
            return;
        const QRect target = m_widget->contentsRect();
        QPainter painter(m_widget);
        // The pixels are only borrowed for this paint: the shared bitmap lives on.
        const Bitmap &bitmap = *picture.image;
        const QImage image(reinterpret_cast<const uchar *>(bitmap.pixels.data()), bitmap.size.width, bitmap.size.height,
                           QImage::Format_RGB32);
        // The network thread scales each picture to the pane; only one decoded
        // before the pane changed size needs scaling here.
        if (image.size() == target.size()) {
            painter.drawImage(target.topLeft(), image);
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, image);
        }

        const QString text = QString::fromStdString(overlay::textFor(picture, now));
        const Lettering &lettering = picture.live ? m_readout : m_note;
        QRect box(QPoint(), lettering.boxFor(text));
        if (picture.live) {
            box.moveBottomRight(target.bottomRight() - QPoint(overlay::kCornerGap, overlay::kCornerGap));
        } else {
            painter.fillRect(target, QColor(0, 0, 0, overlay::kDimAlpha));
            box.moveCenter(target.center());
        }
        painter.setFont(lettering.font);
        painter.fillRect(box, QColor(0, 0, 0, overlay::kBoxAlpha));
        painter.setPen(QColor(255, 255, 255, overlay::kTextAlpha));
        painter.drawText(box, Qt::AlignCenter, text);
        m_widget->setAccessibleDescription(text);
    }

    FrameStore &m_store;
    QPointer<QWidget> m_widget;
    QTimer m_ageTimer{this};
    Lettering m_readout;
    Lettering m_note;
};

PanePainter::PanePainter(FrameStore &store) : m_store(store) {}

PanePainter::~PanePainter() = default;

bool PanePainter::setPane(HWND pane)
{
    auto *widget = qobject_cast<QWidget *>(pane);
    if (widget == nullptr)
        return false;
    if (!m_pane || m_pane->widget() != widget)
        m_pane = std::make_unique<Pane>(m_store, widget);
    return true;
}

void PanePainter::refresh()
{
    if (m_pane)
        m_pane->refresh();
}

} // namespace vaibo
