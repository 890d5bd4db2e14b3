#pragma once

/// The application object: starts the panel and ends the program when the
/// main window closes.
class CRemoteApp
{
public:
    /// Runs the start-up steps; the main window is shown modally inside.
    bool initInstance();
};
