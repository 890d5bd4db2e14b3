#pragma once

#include <memory>

class CRemoteDlg;

/// The application object: starts the panel and ends the program when the
/// main window closes.
class CRemoteApp
{
public:
    CRemoteApp();
    ~CRemoteApp();

    /// Runs the start-up steps; the main window is shown modally inside. The
    /// window, and the robot client it holds, stay until the process ends.
    bool initInstance();

private:
    std::unique_ptr<CRemoteDlg> m_mainWindow;
};
