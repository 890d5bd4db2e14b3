#pragma once

#include "res/resource.h"
#include "ui/remotedlg.h"

#include <QPoint>

#include <memory>
#include <string>
#include <vector>

/// The main window on the real robot client, which it creates itself, shown
/// offscreen and driven through its window like a person would.
class LivePanel
{
public:
    /// Builds and shows the window; false when it is not exposed.
    bool open();
    CRemoteDlg &window() const { return *m_window; }
    QWidget *control(int id) const { return m_window->item(id); }
    /// A control's centre in the window's coordinates.
    QPoint centre(int id) const { return inWindow(id, control(id)->rect().center()); }

    /// A real left click at the centre of a control, through the window.
    void click(int id) { clickAt(id, control(id)->rect().center()); }
    /// A real left click at a point of a control, through the window.
    void clickAt(int id, QPoint at);
    /// One tick of the battery timer, as its five-second period would bring.
    void tickBattery();

    /// The text of an edit control.
    std::string text(int id) const;
    std::string status() const { return text(IDC_STATUS); }
    bool isEnabled(int id) const { return control(id)->isEnabled(); }
    int batteryBar() const;

    /// Every text the status line showed since the window opened.
    std::vector<std::string> statusHistory;

private:
    QPoint inWindow(int id, QPoint at) const { return control(id)->mapTo(m_window.get(), at); }

    std::unique_ptr<CRemoteDlg> m_window = std::make_unique<CRemoteDlg>();
};
