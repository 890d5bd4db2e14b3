#include "app/remoteapp.h"

#include <cstdio>
#include <cstdlib>

int main()
{
    CRemoteApp app;
    app.initInstance();
    // Closing tells the robot nothing: the link ends with the process. No
    // destructor runs, so the robot client never gets to say Bye.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
