#pragma once

// The kinds of control are named first, so that the names below, which
// repeat them, are not taken for a shadowing of them.
#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/win32types.h"

#include <array>
#include <string>

namespace tk {

/// Makes the control classes known to the system, before any window holds
/// one; Qt's need nothing.
void registerControlClasses();

/// A control of a window, by its handle: what a handler may do to it. Texts
/// are UTF-8 and reach the platform exactly. A control wrapper is a handle
/// and nothing more; copies refer to the same control.
class Control
{
public:
    Control() = default;
    explicit Control(HWND handle) : m_handle(handle) {}

    HWND handle() const { return m_handle; }
    bool is(HWND other) const { return m_handle == other; }

    void setText(const char *text);
    std::string text() const;
    void setEnabled(bool enabled);
    bool isEnabled() const;
    void setVisible(bool visible);
    bool isVisible() const;
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    /// Paints the control again at once, not later.
    void repaint();

protected:
    HWND m_handle = nullptr;
};

/// A single-line or multi-line edit.
class Edit : public Control
{
public:
    using Control::Control;
    void clear() { setText(""); }
};

using PushButton = Control;
using StaticText = Control;
using StaticFrame = Control;

/// The IPv4 address field: four fields with ranges; a blank field reads as 0.
class IpAddressField : public Control
{
public:
    using Control::Control;
    void setRange(int field, int low, int high);
    /// Sets one field, clamped to its range; the others keep their text.
    void setField(int field, int value);
    /// Sets all four fields.
    void setAddress(const std::array<int, 4> &octets);
    /// The four fields, blank ones as 0.
    std::array<int, 4> address() const;
    /// Number of fields that are not blank.
    int filledFields() const;
};

/// A progress bar that keeps its position inside its range.
class ProgressBar : public Control
{
public:
    using Control::Control;
    void setRange(int low, int high);
    void setPos(int position);
    int position() const;
    int high() const;
};

/// The tabs of a tab control; selecting one raises TCN_SELCHANGE.
class TabControl : public Control
{
public:
    using Control::Control;
    int insertItem(int index, const char *text);
    /// Selected tab, -1 when none.
    int curSel() const;
};

/// A list box that never sorts what is inserted.
class ListBox : public Control
{
public:
    using Control::Control;
    /// Inserts a copy of text at index (-1 appends); returns its index.
    int insertString(int index, const char *text);
    int rowCount() const;
    /// Selected row, -1 when none.
    int curSel() const;
    std::string rowText(int row) const;
};

/// A slider; its scroll codes arrive as WM_HSCROLL or WM_VSCROLL events.
class Trackbar : public Control
{
public:
    using Control::Control;
    void setRangeMin(int minimum);
    void setRangeMax(int maximum);
    void setPageSize(int size);
    void setLineSize(int size);
    void setPos(int position);
    int position() const;
    int rangeMin() const;
    int rangeMax() const;
};

/// A window's menu, by the window that owns it.
class Menu
{
public:
    explicit Menu(HWND window) : m_window(window) {}
    void appendSeparator();
    void appendItem(UINT id, const char *text);

private:
    HWND m_window;
};

} // namespace tk
