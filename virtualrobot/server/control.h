#pragma once

#include "virtualrobot/model/world.h"

#include <QString>

#include <optional>

namespace vr {

/// The most frames one burst sends: ten seconds' worth, rendered in a
/// fraction of a second, so the robot never freezes on a burst.
inline constexpr int kMaxBurst = 300;

/// One line of the run-time control input.
struct ControlCommand
{
    enum class Kind {
        Drop,      ///< cut the controller's link, without Bye
        Bye,       ///< close the controller's link with Bye
        Battery,   ///< set the charge to number percent
        Pause,     ///< stop sending frames
        Resume,    ///< send frames again
        Burst,     ///< send number frames at once
        Malformed, ///< send one malformed message
        Hang,      ///< fall silent until the link ends
        Refuse,    ///< refuse new controllers when flag is set
        Result,    ///< text is an answer rule, as --result takes
        Delay,     ///< text is a delay rule, as --delay takes
        Heal,      ///< forget every planned fault
        Place,     ///< put placement's thing down by hand
        Reset,     ///< put everything in the room back
        Skip,      ///< let number ms of the robot's own time pass at once
        Status,    ///< print the robot's state
        Help,      ///< print the commands
        Quit,      ///< stop the robot
    };
    Kind kind = Kind::Help;
    int number = 0;
    bool flag = false;
    QString text;
    Placement placement;
    /// The line as typed, for the trace.
    QString line;
};

/// Reads one control line; an unknown or malformed line gives nothing and
/// sets error. Blank lines give nothing and no error.
std::optional<ControlCommand> parseControlLine(const QString &line, QString &error);

/// The word for a thing in a control line: "robot", "ball" or "bone".
QLatin1String thingWord(Thing thing);

/// The control line that carries out a placement, as the window sends it.
QString placementLine(const Placement &placement);

/// The list of control commands, one per line.
QString controlHelp();

} // namespace vr
