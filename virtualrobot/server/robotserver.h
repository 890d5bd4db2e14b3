#pragma once

#include "virtualrobot/model/robotmodel.h"
#include "virtualrobot/server/control.h"
#include "virtualrobot/server/controlinterpreter.h"
#include "virtualrobot/server/framepacer.h"
#include "virtualrobot/server/picturestream.h"
#include "virtualrobot/server/requestqueue.h"
#include "virtualrobot/server/serverconfig.h"
#include "virtualrobot/server/session.h"
#include "virtualrobot/server/trace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>

namespace vr {

/// The link as the robot's window shows it.
struct LinkView
{
    /// The controller's address and port; empty without one.
    QString controller;
    bool picturesPaused = false;
    bool refusing = false;
    /// Frames sent in the last second.
    int framesPerSecond = 0;
    /// The JPEG quality pictures are taken at, and why at that rate.
    int quality = FramePacer::kFullQuality;
    FramePacer::Reason pacing = FramePacer::Reason::Full;
    /// The last operations answered, newest first, and how many were
    /// answered in all.
    std::deque<AnsweredOperation> operations;
    std::uint64_t answeredInAll = 0;
};

/// The virtual robot on the network: the robot model behind its session
/// (one controller at a time, others get Refused), its request queue, its
/// picture stream and its control lines, and the link faults it was told to
/// rehearse.
class RobotServer : public QObject
{
    Q_OBJECT

public:
    explicit RobotServer(ServerConfig config, QObject *parent = nullptr);
    ~RobotServer() override;

    /// Opens the trace and starts listening. Returns false and sets error
    /// when either fails (a busy port, an address not on this machine).
    bool listen(QString &error);
    /// Where it listens; the port is the chosen one when 0 was asked for.
    QHostAddress address() const { return m_session.address(); }
    quint16 port() const { return m_session.port(); }

    /// Carries out a control command; returns what to tell the user, empty
    /// when there is nothing to say.
    QString control(const ControlCommand &command) { return m_control.control(command); }
    /// Reads and carries out one control line, as typed on standard input or
    /// given by the window; returns what to tell the user.
    QString controlLine(const QString &line) { return m_control.controlLine(line); }

    /// The robot behind the link.
    const RobotModel &model() const { return m_model; }
    /// Whether a controller holds the link.
    bool hasController() const { return m_session.controller() != nullptr; }
    /// One line describing the robot's state.
    QString status() const { return m_control.status(); }
    /// The link, for the window.
    LinkView linkView() const;
    /// The JPEG picture sent last; empty before the first.
    const std::vector<std::uint8_t> &lastPicture() const { return m_pictures.lastPicture(); }

Q_SIGNALS:
    /// A controller was welcomed, or its link ended.
    void controllerChanged(bool connected);
    /// The control input asked the robot to stop.
    void quitRequested();

private:
    void welcomed();
    void controllerSent(const protocol::Message &message);
    void controllerClosed();
    void tick();
    // The model's time: the clock's, run ahead by every skip control line.
    RobotModel::Millis now() const { return RobotModel::Millis{m_clock.elapsed()} + m_skipped; }

    ServerConfig m_config;
    RobotModel m_model;
    Trace m_trace;
    QElapsedTimer m_clock;
    RobotModel::Millis m_skipped{0};
    Session m_session{m_config, m_trace};
    RequestQueue m_requests;
    PictureStream m_pictures{m_model, m_trace, m_config};
    ControlInterpreter m_control;
    QTimer m_frameTimer;
    QTimer m_dropTimer;
    QTimer m_hangTimer;
    qint64 m_framesDue = 0;
};

} // namespace vr
