#include "vaiboclient/panepainter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace vaibo {

PanePainter::PanePainter(const FrameStore &store) : m_store(store) {}

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
    if (m_pane)
        m_pane->installEventFilter(this);
}

QString PanePainter::readout(int framesPerSecond, std::chrono::milliseconds age)
{
    const QString ageText = age.count() < 1000
        ? QStringLiteral("%1 ms").arg(age.count())
        : QStringLiteral("%1 s").arg(static_cast<double>(age.count()) / 1000.0, 0, 'f', 1);
    return QStringLiteral("%1 fps  %2").arg(framesPerSecond).arg(ageText);
}

bool PanePainter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_pane)
        paint(m_pane);
    // The pane still paints itself, so its frame is drawn over the picture.
    return false;
}

void PanePainter::paint(QWidget *pane) const
{
    const auto now = FrameStore::Clock::now();
    const FrameStore::Picture picture = m_store.picture(now);
    if (picture.image.isNull())
        return;
    const QRect target = pane->contentsRect();
    QPainter painter(pane);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.image);

    const auto age = std::chrono::duration_cast<std::chrono::milliseconds>(now - picture.arrival);
    const QString text = readout(picture.framesPerSecond, age);
    QFont font = pane->font();
    font.setPixelSize(std::clamp(target.height() / 18, 8, 12));
    painter.setFont(font);
    QRect box = QFontMetrics(font).boundingRect(text).adjusted(-3, -1, 3, 1);
    box.moveBottomRight(target.bottomRight() - QPoint(2, 2));
    painter.fillRect(box, QColor(0, 0, 0, 110));
    painter.setPen(QColor(255, 255, 255, 210));
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace vaibo
