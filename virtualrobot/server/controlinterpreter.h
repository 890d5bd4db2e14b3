#pragma once

#include "virtualrobot/model/robotmodel.h"
#include "virtualrobot/server/control.h"
#include "virtualrobot/server/picturestream.h"
#include "virtualrobot/server/session.h"
#include "virtualrobot/server/trace.h"

#include <QString>

#include <functional>

namespace vr {

/// Carries out the control lines, typed on standard input or given by the
/// robot's window, on the robot's parts, and words its state in one line.
class ControlInterpreter
{
public:
    ControlInterpreter(Session &session, PictureStream &pictures, RobotModel &model, Trace &trace,
                       std::function<void(RobotModel::Millis)> skipTime, std::function<void()> quit);

    /// Carries out a control command; returns what to tell the user, empty
    /// when there is nothing to say.
    QString control(const ControlCommand &command);
    /// Reads and carries out one control line; returns what to tell the user.
    QString controlLine(const QString &line);
    /// One line describing the robot's state.
    QString status() const;

private:
    Session &m_session;
    PictureStream &m_pictures;
    RobotModel &m_model;
    Trace &m_trace;
    std::function<void(RobotModel::Millis)> m_skipTime;
    std::function<void()> m_quit;
};

} // namespace vr
