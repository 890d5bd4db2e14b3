#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/win32types.h"

namespace res {

/// The main window.
constexpr int kMainWindowTemplate = 102;
/// The version dialog.
constexpr int kVersionDialogTemplate = 100;

/// Pages of the main window's page tabs, by tab index.
constexpr int kWalkingPage = 0;
constexpr int kMwcidPage = 1;

const tk::DialogTemplate &mainWindowTemplate();
const tk::DialogTemplate &versionDialogTemplate();

} // namespace res
