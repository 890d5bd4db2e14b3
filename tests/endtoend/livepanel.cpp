#include "tests/endtoend/livepanel.h"

#include "toolkit/widgets/progressbar.h"
#include "toolkit/widgets/windowevent.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

namespace {
constexpr int kBatteryTimer = 1;
} // namespace

bool LivePanel::open()
{
    m_window->create();
    QObject::connect(m_window->item<QLineEdit>(IDC_STATUS), &QLineEdit::textChanged, m_window.get(),
                     [this](const QString &text) { statusHistory.push_back(text.toStdString()); });
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window.get());
}

void LivePanel::clickAt(int id, QPoint at)
{
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow(id, at));
    QCoreApplication::processEvents();
}

void LivePanel::tickBattery()
{
    m_window->dispatch({.kind = tk::EventKind::Timer, .id = kBatteryTimer});
}

std::string LivePanel::text(int id) const
{
    const auto *edit = m_window->item<QLineEdit>(id);
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

int LivePanel::batteryBar() const
{
    return m_window->item<tk::ProgressBar>(IDC_BATTERY_BAR)->position();
}
