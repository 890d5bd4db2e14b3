#include "toolkit/widgets/tabcontrol.h"

#include <QPainter>
#include <QScopedValueRollback>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QWheelEvent>

#include <algorithm>

namespace tk::qt {

namespace {

// The wheel does not change a tab control's item.
class TabRow : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    void wheelEvent(QWheelEvent *event) override { event->ignore(); }
};

} // namespace

TabControl::TabControl(QWidget *parent) : QWidget(parent), m_tabBar(new TabRow(this))
{
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    m_tabBar->setFocusPolicy(Qt::ClickFocus);
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(m_tabBar);
    connect(m_tabBar, &QTabBar::currentChanged, this, [this] {
        if (!m_programmatic)
            Q_EMIT selectionChanged();
    });
}

int TabControl::insertItem(int index, const QString &text)
{
    if (index < 0)
        return -1;
    // The first item becomes current without a notification.
    const QScopedValueRollback programmatic(m_programmatic, true);
    const int inserted = m_tabBar->insertTab(std::min(index, m_tabBar->count()), text);
    layoutTabBar();
    return inserted;
}

int TabControl::curSel() const
{
    return m_tabBar->currentIndex();
}

int TabControl::setCurSel(int index)
{
    if (index < 0 || index >= m_tabBar->count())
        return -1;
    const int previous = m_tabBar->currentIndex();
    const QScopedValueRollback programmatic(m_programmatic, true);
    m_tabBar->setCurrentIndex(index);
    return previous;
}

void TabControl::paintEvent(QPaintEvent *)
{
    // The page frame below the tab row; the pages are other windows' business.
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    const int top = m_tabBar->height() - style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    option.rect = QRect(0, top, width(), height() - top);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = m_tabBar->size();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

void TabControl::resizeEvent(QResizeEvent *)
{
    layoutTabBar();
}

void TabControl::layoutTabBar()
{
    m_tabBar->setGeometry(0, 0, width(), m_tabBar->sizeHint().height());
    update();
}

} // namespace tk::qt
