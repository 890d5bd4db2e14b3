#pragma once

#include "ui/remotedlg.h"

#include <QPoint>

#include <string>
#include <vector>

/// A person at a main window: real clicks and keys through the window, and
/// what the window shows them, every text of the status line included.
class PanelUser
{
public:
    QWidget *control(int id) const;
    /// A real left click at the centre of a control.
    void click(int id) { clickAt(control(id), control(id)->rect().center()); }
    /// A real left click at a point of any widget of the window.
    void clickAt(QWidget *widget, QPoint at);
    /// A real double click at a point of a control.
    void doubleClick(int id, QPoint at);
    /// A real key press and release, sent to the window's focus.
    void pressKey(Qt::Key key);

    /// The text of an edit control.
    std::string text(int id) const;
    std::string statusText() const;
    bool isEnabled(int id) const { return control(id)->isEnabled(); }
    bool isVisible(int id) const { return control(id)->isVisible(); }

    /// Every text the status line has shown since the window opened.
    std::vector<std::string> statusHistory;

protected:
    /// Shows the window and records its status line from now on; false when
    /// the window is never exposed.
    bool show(CRemoteDlg &window);

private:
    CRemoteDlg *m_window = nullptr;
};
