#pragma once

// The handful of Win32 scalar types that the robot client's interface and
// the window messages are written in: the system's own on Windows. On
// Linux a window handle is the QObject that stands for the window, so it
// can travel between threads as a plain pointer.
#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdint>

class QObject;

using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = QObject *;
#endif
