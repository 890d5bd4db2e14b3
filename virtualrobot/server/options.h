#pragma once

#include "virtualrobot/server/serverconfig.h"

#include <QString>
#include <QStringList>

namespace vr {

/// What the command line asked for.
struct ParsedOptions
{
    enum class Outcome { Run, ShowHelp, ShowVersion, Error };
    Outcome outcome = Outcome::Run;
    ServerConfig config;
    /// Whether the robot's window was asked for.
    bool window = false;
    /// The message for Error, the text for ShowHelp and ShowVersion.
    QString text;
};

/// Reads the virtual robot's command line (arguments[0] is the program).
ParsedOptions parseOptions(const QStringList &arguments);

} // namespace vr
