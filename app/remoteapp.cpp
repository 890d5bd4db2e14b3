#include "app/remoteapp.h"

#include "ui/remotedlg.h"

bool CRemoteApp::initInstance()
{
    // The common controls and control hosting need no set-up on this
    // toolkit, and the settings key is never used, so neither is made.
    CRemoteDlg dialog;
    dialog.doModal();
    // No message loop follows: once the window has closed, the program ends.
    return false;
}
