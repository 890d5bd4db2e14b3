#include "vaiboclient/panepainter.h"

#include "toolkit/core/clock.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace vaibo {

namespace {

using namespace std::chrono_literals;

// A picture this old is stale. Its age then counts in tenths of a second,
// so while no frame comes the pane is repainted four times a second.
constexpr auto kStaleAfter = 1s;
constexpr auto kAgeTick = 250ms;

// Milliseconds up to a second, then seconds with one decimal.
QString duration(std::chrono::milliseconds time)
{
    if (time < 1s)
        return QStringLiteral("%1 ms").arg(time.count());
    return QStringLiteral("%1 s").arg(static_cast<double>(time.count()) / 1000.0, 0, 'f', 1);
}

} // namespace

PanePainter::PanePainter(FrameStore &store) : m_store(store)
{
    m_ageTimer.setInterval(kAgeTick);
    connect(&m_ageTimer, &QTimer::timeout, this, &PanePainter::repaintIfStale);
}

PanePainter::~PanePainter()
{
    if (m_pane)
        m_pane->removeEventFilter(this);
}

void PanePainter::setPane(QWidget *pane)
{
    if (pane == m_pane)
        return;
    if (m_pane)
        m_pane->removeEventFilter(this);
    m_pane = pane;
    if (!m_pane)
        return;
    m_pane->installEventFilter(this);
    fitTo(m_pane);
    m_ageTimer.start();
}

void PanePainter::refresh()
{
    if (m_pane)
        m_pane->update();
}

QString PanePainter::readout(int framesPerSecond, std::chrono::milliseconds age,
                             std::optional<std::chrono::microseconds> roundTrip)
{
    const QString text = QStringLiteral("%1 fps %2").arg(framesPerSecond).arg(duration(age));
    if (!roundTrip)
        return text;
    return text + QStringLiteral(" ⇄ ") + duration(std::chrono::duration_cast<std::chrono::milliseconds>(*roundTrip));
}

QString PanePainter::staleNote(bool linkUp)
{
    return linkUp ? QStringLiteral("受信待ち") : QStringLiteral("通信切断");
}

bool PanePainter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane) {
        if (event->type() == QEvent::Paint)
            paint(m_pane);
        else if (event->type() == QEvent::Resize)
            fitTo(m_pane);
    }
    // The pane still paints itself, so its frame is drawn over the picture.
    return false;
}

void PanePainter::fitTo(QWidget *pane)
{
    const QSize size = pane->contentsRect().size();
    m_store.setPictureSize({size.width(), size.height()});
    m_readout.set(pane->font(), std::clamp(size.height() / 18, 8, 12), QSize(6, 2));
    m_note.set(pane->font(), std::clamp(size.height() / 10, 8, 24), QSize(16, 8));
}

void PanePainter::Lettering::set(const QFont &base, int pixelSize, QSize textMargin)
{
    font = base;
    font.setPixelSize(pixelSize);
    metrics = QFontMetrics(font);
    margin = textMargin;
}

QSize PanePainter::Lettering::boxFor(const QString &text) const
{
    return QSize(metrics.horizontalAdvance(text), metrics.height()) + margin;
}

void PanePainter::repaintIfStale()
{
    if (!m_pane)
        return;
    const auto now = tk::now();
    const FrameStore::Picture picture = m_store.picture(now);
    if (picture.image && now - picture.captured >= kStaleAfter)
        m_pane->update();
}

void PanePainter::paint(QWidget *pane) const
{
    const auto now = tk::now();
    const FrameStore::Picture picture = m_store.picture(now);
    if (!picture.image)
        return;
    const QRect target = pane->contentsRect();
    QPainter painter(pane);
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

    QString text;
    QRect box;
    if (picture.live) {
        text =
            readout(picture.framesPerSecond,
                    std::chrono::duration_cast<std::chrono::milliseconds>(now - picture.captured), picture.roundTrip);
        painter.setFont(m_readout.font);
        box.setSize(m_readout.boxFor(text));
        box.moveBottomRight(target.bottomRight() - QPoint(2, 2));
    } else {
        painter.fillRect(target, QColor(0, 0, 0, 140));
        text = staleNote(picture.linkUp);
        painter.setFont(m_note.font);
        box.setSize(m_note.boxFor(text));
        box.moveCenter(target.center());
    }
    painter.fillRect(box, QColor(0, 0, 0, 110));
    painter.setPen(QColor(255, 255, 255, 210));
    painter.drawText(box, Qt::AlignCenter, text);
    pane->setAccessibleDescription(text);
}

} // namespace vaibo
