#pragma once

// The handful of Win32 types and constants that the robot client's
// interface, the window events and the handlers are written in: the
// system's own on Windows. On Linux a window handle is the QObject that
// stands for the window, so it can travel between threads as a plain
// pointer, and an icon handle is a QIcon that lives as long as the program.
#if defined(_WIN32)
#include <windows.h>

#include <commctrl.h>
#else
#include <cstdint>

class QIcon;
class QObject;

using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = QObject *;
using HICON = const QIcon *;

// The command ids of a dialog's OK and cancel commands.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Notification codes.
constexpr int BN_CLICKED = 0;
constexpr int LBN_DBLCLK = 2;
constexpr int TCN_SELCHANGE = -551;

// Trackbar scroll codes.
constexpr int TB_LINEUP = 0;
constexpr int TB_LINEDOWN = 1;
constexpr int TB_PAGEUP = 2;
constexpr int TB_PAGEDOWN = 3;
constexpr int TB_THUMBPOSITION = 4;
constexpr int TB_THUMBTRACK = 5;
constexpr int TB_TOP = 6;
constexpr int TB_BOTTOM = 7;
constexpr int TB_ENDTRACK = 8;

// System commands.
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;
#endif
