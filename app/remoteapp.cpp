#include "app/remoteapp.h"

#include "ui/remotedlg.h"

CRemoteApp::CRemoteApp() = default;
CRemoteApp::~CRemoteApp() = default;

bool CRemoteApp::initInstance()
{
    // The common controls and control hosting need no set-up on this
    // toolkit, and the settings key is never used, so neither is made.
    m_mainWindow = std::make_unique<CRemoteDlg>();
    m_mainWindow->doModal();
    // No message loop follows: once the window has closed, the program ends.
    return false;
}
