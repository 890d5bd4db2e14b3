#include "app/remoteapp.h"

#include "toolkit/window/controls.h"
#include "ui/remotedlg.h"

CRemoteApp::CRemoteApp() = default;
CRemoteApp::~CRemoteApp() = default;

bool CRemoteApp::initInstance()
{
    // The settings key is never used, so none is made.
    tk::registerControlClasses();
    m_mainWindow = std::make_unique<CRemoteDlg>();
    m_mainWindow->doModal();
    // No message loop follows: once the window has closed, the program ends.
    return false;
}
