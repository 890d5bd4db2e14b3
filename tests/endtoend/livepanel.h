#pragma once

#include "tests/support/paneluser.h"
#include "ui/remotedlg.h"

#include <memory>

/// The main window on the real robot client, which it creates itself, shown
/// offscreen and driven through its window like a person would.
class LivePanel : public PanelUser
{
public:
    /// Builds and shows the window; false when it is not exposed.
    bool open();
    CRemoteDlg &window() const { return *m_window; }
    /// One tick of the battery timer, as its five-second period would bring.
    void tickBattery();
    int batteryBar() const;

private:
    std::unique_ptr<CRemoteDlg> m_window = std::make_unique<CRemoteDlg>();
};
