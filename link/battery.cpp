// The battery monitor: every tick of timer 1 reads the charge while online.
#include "ui/remotedlg.h"

#include "vaiboclient/cvaibo.h"

#include <cstdio>

void CRemoteDlg::onTimer(UINT id)
{
    if (id == kBatteryTimer && isOnline()) {
        const int level = m_robot->GetBatteryLevel();
        char figure[32];
        std::snprintf(figure, sizeof figure, "%d", level);
        m_batteryFigure.setText(figure);
        m_batteryBar.setPos(level);
    }
    defaultProcessing({.kind = tk::EventKind::Timer, .id = static_cast<int>(id)});
}
