#pragma once

#include "res/resource.h"
#include "ui/remotedlg.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// A person at a main window: real clicks and keys through the window, and
/// what the window shows them, every text of the status line included. The
/// same on both toolkits: Qt's test input on Linux, mouse and key messages
/// to the real controls on Windows.
class PanelUser
{
public:
    enum class Key { Escape, Return, Tab, Left, Right, Up, Down, PageDown, Home, End };

    /// A real left click at the centre of a control.
    void click(int id);
    /// A real left click on one tab of a tab control.
    void clickTab(int id, int index);
    /// A real double click on a row of a list, scrolled into view first.
    void doubleClickRow(int id, int row);
    /// Gives a control the keyboard focus, as a click into it would.
    void focus(int id);
    /// A real key press and release, sent to the window's focus.
    void pressKey(Key key);
    /// The close box of the window's frame.
    void clickCloseBox();
    /// Runs what is queued for the window, as its message loop would.
    void pump();

    /// The text a control shows.
    std::string text(int id) const;
    std::string statusText() const { return text(IDC_STATUS); }
    bool isEnabled(int id) const;
    bool isVisible(int id) const;
    /// Whether the window is still open.
    bool isOpen() const;
    /// The colour, 0xRRGGBB, that a person sees in the middle of a control.
    std::uint32_t colourInMiddle(int id) const;

    /// The items of the window menu: id and text, 0 for a separator.
    struct MenuItem
    {
        UINT id;
        std::string text;
    };
    std::vector<MenuItem> windowMenu() const;

    /// Runs check on the next modal box once it is open, then closes the
    /// box with OK; call before whatever opens it.
    void whenBoxOpens(std::function<void(HWND box)> check);
    /// The text a control of a box shows, once it shows any.
    static std::string shownText(HWND box, int id);
    /// The window a box was opened over.
    static HWND ownerOf(HWND box);

    /// Counts the paints of a control from now on.
    void countPaints(int id);
    int paints() const { return m_paints; }

    /// Every text the status line has shown since the window opened.
    std::vector<std::string> statusHistory;
    /// Runs on each new text of the status line.
    std::function<void(const std::string &)> onStatus;

    /// Records a new text of the status line; the toolkit's side calls it.
    void statusChanged(const std::string &text)
    {
        statusHistory.push_back(text);
        if (onStatus)
            onStatus(text);
    }

protected:    /// Shows the window and records its status line from now on; false when
    /// the window is never exposed.
    bool show(CRemoteDlg &window);

private:
    CRemoteDlg *m_window = nullptr;
    int m_paints = 0;
};
