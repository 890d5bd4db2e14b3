#include "tests/endtoend/livepanel.h"

#include "res/resource.h"
#include "toolkit/core/windowevent.h"

namespace {
constexpr int kBatteryTimer = 1;
} // namespace

bool LivePanel::open()
{
    m_window->create();
    return show(*m_window);
}

void LivePanel::tickBattery()
{
    m_window->dispatch({.kind = tk::EventKind::Timer, .id = kBatteryTimer});
}

int LivePanel::batteryBar() const
{
    return m_window->item<tk::ProgressBar>(IDC_BATTERY_BAR).position();
}
