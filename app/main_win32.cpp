#include "app/remoteapp.h"

#include "toolkit/core/win32types.h"

#include <cstdio>
#include <cstdlib>

int main()
{
    // The address field, the slider, the tabs and the progress bar are
    // common controls: their classes are registered before any window.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES | ICC_BAR_CLASSES
                                                       | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    CRemoteApp app;
    app.initInstance();
    // Closing tells the robot nothing: the link ends with the process. No
    // destructor runs, so the robot client never gets to say Bye.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
