#pragma once

#include <cstdint>

class QObject;

// The handful of Win32 scalar types that the robot client's interface and the
// window messages are written in. A window handle is the QObject that stands
// for the window, so it can travel between threads as a plain pointer.
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = QObject *;
