#include "toolkit/widgets/progressbar.h"

#include "toolkit/widgets/edges.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace tk::qt {

namespace {

constexpr int kBlockGap = 2;

int clampTo(int value, int low, int high)
{
    return std::clamp(value, std::min(low, high), std::max(low, high));
}

} // namespace

ProgressBar::ProgressBar(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ProgressBar::setRange(int low, int high)
{
    // The limits travel as two 16-bit words.
    m_low = static_cast<std::uint16_t>(low);
    m_high = static_cast<std::uint16_t>(high);
    m_position = clampTo(m_position, m_low, m_high);
    update();
}

void ProgressBar::setPos(int position)
{
    m_position = clampTo(position, m_low, m_high);
    update();
}

void ProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect inner = drawEdges(painter, rect(), palette(), Edges{.border = true}).adjusted(1, 1, -1, -1);
    const int span = m_high - m_low;
    if (span <= 0 || inner.isEmpty())
        return;
    const int filled = static_cast<int>(static_cast<long long>(inner.width()) * (m_position - m_low) / span);
    // Segmented look: blocks two thirds as wide as the bar is high.
    const int blockWidth = std::max(1, inner.height() * 2 / 3);
    painter.setClipRect(inner);
    for (int x = 0; x < filled; x += blockWidth + kBlockGap)
        painter.fillRect(inner.left() + x, inner.top(), blockWidth, inner.height(), palette().color(QPalette::Highlight));
}

} // namespace tk::qt
