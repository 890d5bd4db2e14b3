// The control operations as the system's own messages to the controls.
#include "toolkit/window/controls.h"

#include "toolkit/core/utf16.h"

#include <algorithm>
#include <vector>

namespace tk {

namespace {

LRESULT send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessageW(control, message, wParam, lParam);
}

LPARAM pointerTo(const std::wstring &wide)
{
    return reinterpret_cast<LPARAM>(wide.c_str());
}

// The four edits of an address field, left to right.
std::vector<HWND> fieldEdits(HWND field)
{
    std::vector<HWND> edits;
    for (HWND child = ::GetWindow(field, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        edits.push_back(child);
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
        RECT first, second;
        ::GetWindowRect(a, &first);
        ::GetWindowRect(b, &second);
        return first.left < second.left;
    });
    return edits;
}

} // namespace

void registerControlClasses()
{
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                     ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
}

void Control::setText(const char *text)
{
    ::SetWindowTextW(m_handle, widen(text).c_str());
}

std::string Control::text() const
{
    std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(m_handle)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(m_handle, wide.data(), static_cast<int>(wide.size()))));
    return narrow(wide);
}

void Control::setEnabled(bool enabled)
{
    ::EnableWindow(m_handle, enabled ? TRUE : FALSE);
}

bool Control::isEnabled() const
{
    return ::IsWindowEnabled(m_handle) != FALSE;
}

void Control::setVisible(bool visible)
{
    ::ShowWindow(m_handle, visible ? SW_SHOW : SW_HIDE);
}

bool Control::isVisible() const
{
    return ::IsWindowVisible(m_handle) != FALSE;
}

void Control::repaint()
{
    ::RedrawWindow(m_handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void IpAddressField::setRange(int field, int low, int high)
{
    send(m_handle, IPM_SETRANGE, static_cast<WPARAM>(field), MAKEIPRANGE(low, high));
}

void IpAddressField::setField(int field, int value)
{
    // The control sets only all four fields at once; one field is its edit.
    const std::vector<HWND> edits = fieldEdits(m_handle);
    if (field < 0 || static_cast<std::size_t>(field) >= edits.size())
        return;
    ::SetWindowTextW(edits[static_cast<std::size_t>(field)], std::to_wstring(std::clamp(value, 0, 255)).c_str());
}

void IpAddressField::setAddress(const std::array<int, 4> &octets)
{
    const auto octet = [&](std::size_t index) { return static_cast<BYTE>(std::clamp(octets[index], 0, 255)); };
    send(m_handle, IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(octet(0), octet(1), octet(2), octet(3))));
}

std::array<int, 4> IpAddressField::address() const
{
    DWORD packed = 0;
    send(m_handle, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
    return {FIRST_IPADDRESS(packed), SECOND_IPADDRESS(packed), THIRD_IPADDRESS(packed), FOURTH_IPADDRESS(packed)};
}

int IpAddressField::filledFields() const
{
    DWORD packed = 0;
    return static_cast<int>(send(m_handle, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed)));
}

void ProgressBar::setRange(int low, int high)
{
    send(m_handle, PBM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void ProgressBar::setPos(int position)
{
    send(m_handle, PBM_SETPOS, static_cast<WPARAM>(position));
}

int ProgressBar::position() const
{
    return static_cast<int>(send(m_handle, PBM_GETPOS));
}

int ProgressBar::high() const
{
    return static_cast<int>(send(m_handle, PBM_GETRANGE, FALSE));
}

int TabControl::insertItem(int index, const char *caption)
{
    std::wstring wide = widen(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    return static_cast<int>(
        send(m_handle, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

int TabControl::curSel() const
{
    return static_cast<int>(send(m_handle, TCM_GETCURSEL));
}

int ListBox::insertString(int index, const char *row)
{
    return static_cast<int>(send(m_handle, LB_INSERTSTRING, static_cast<WPARAM>(index), pointerTo(widen(row))));
}

int ListBox::rowCount() const
{
    return static_cast<int>(send(m_handle, LB_GETCOUNT));
}

int ListBox::curSel() const
{
    return static_cast<int>(send(m_handle, LB_GETCURSEL));
}

std::string ListBox::rowText(int row) const
{
    const LRESULT length = send(m_handle, LB_GETTEXTLEN, static_cast<WPARAM>(row));
    if (length < 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        send(m_handle, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(wide.data()))));
    return narrow(wide);
}

void Trackbar::setRangeMin(int minimum)
{
    send(m_handle, TBM_SETRANGEMIN, TRUE, minimum);
}

void Trackbar::setRangeMax(int maximum)
{
    send(m_handle, TBM_SETRANGEMAX, TRUE, maximum);
}

void Trackbar::setPageSize(int size)
{
    send(m_handle, TBM_SETPAGESIZE, 0, size);
}

void Trackbar::setLineSize(int size)
{
    send(m_handle, TBM_SETLINESIZE, 0, size);
}

void Trackbar::setPos(int position)
{
    send(m_handle, TBM_SETPOS, TRUE, position);
}

int Trackbar::position() const
{
    return static_cast<int>(send(m_handle, TBM_GETPOS));
}

int Trackbar::rangeMin() const
{
    return static_cast<int>(send(m_handle, TBM_GETRANGEMIN));
}

int Trackbar::rangeMax() const
{
    return static_cast<int>(send(m_handle, TBM_GETRANGEMAX));
}

void Menu::appendSeparator()
{
    ::AppendMenuW(::GetSystemMenu(m_window, FALSE), MF_SEPARATOR, 0, nullptr);
}

void Menu::appendItem(UINT id, const char *caption)
{
    ::AppendMenuW(::GetSystemMenu(m_window, FALSE), MF_STRING, id, widen(caption).c_str());
}

} // namespace tk
