#pragma once

#include "protocol/message.h"
#include "virtualrobot/camera/camera.h"
#include "virtualrobot/model/robotmodel.h"
#include "virtualrobot/server/control.h"
#include "virtualrobot/server/framepacer.h"
#include "virtualrobot/server/framerenderer.h"
#include "virtualrobot/server/serverconfig.h"
#include "virtualrobot/server/trace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include <deque>

namespace vr {

class Connection;

/// One operation the robot answered, as its trace records it.
struct AnsweredOperation
{
    QString name;
    std::vector<int> arguments;
    int result = 0;
};

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

/// The virtual robot on the network: listens for the panel's robot client,
/// serves one controller at a time (others get Refused), answers its
/// requests from the robot model, sends camera frames while pictures play,
/// and rehearses the link faults it was told to.
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
    QHostAddress address() const { return m_server.serverAddress(); }
    quint16 port() const { return m_server.serverPort(); }

    /// Carries out a control command; returns what to tell the user, empty
    /// when there is nothing to say.
    QString control(const ControlCommand &command);
    /// Reads and carries out one control line, as typed on standard input or
    /// given by the window; returns what to tell the user.
    QString controlLine(const QString &line);

    /// The robot behind the link.
    const RobotModel &model() const { return m_model; }
    /// Whether a controller holds the link.
    bool hasController() const { return !m_controller.isNull(); }
    /// One line describing the robot's state.
    QString status() const;
    /// The link, for the window.
    LinkView linkView() const;
    /// The JPEG picture sent last; empty before the first.
    const std::vector<std::uint8_t> &lastPicture() const { return m_lastPicture; }

Q_SIGNALS:
    /// A controller was welcomed, or its link ended.
    void controllerChanged(bool connected);
    /// The control input asked the robot to stop.
    void quitRequested();

private:
    void accept();
    void handle(Connection *connection, const protocol::Message &message);
    void greet(Connection *connection, const protocol::Hello &hello);
    void refuse(Connection *connection, const QString &reason);
    void controllerClosed(const QString &reason);
    void answerNext();
    void tick();
    /// Takes the next picture, or sends the robot's Ping, as soon as the
    /// link has room for it and the frame rate allows.
    void pump();
    void acknowledged(Connection *connection, const protocol::FrameAck &ack);
    void ponged(Connection *connection, const protocol::Pong &pong);
    /// What the next frame's turn brings.
    enum class Slot { Picture, Malformed, Skipped };
    Slot nextSlot();
    /// Takes and sends a picture at once unless the controller lags; false
    /// when nothing went out.
    bool sendFrame();
    /// When a picture was taken and at which quality.
    struct Capture
    {
        std::uint64_t startedUs = 0;
        int quality = FramePacer::kFullQuality;
    };
    void captured(const std::vector<std::uint8_t> &jpeg);
    bool sendPicture(const std::vector<std::uint8_t> &jpeg, const Capture &capture);
    void dropController(const QString &reason);
    RobotModel::Millis now() const { return RobotModel::Millis{m_clock.elapsed()}; }

    ServerConfig m_config;
    RobotModel m_model;
    Camera m_camera;
    FrameRenderer m_renderer;
    Trace m_trace;
    QTcpServer m_server;
    QElapsedTimer m_clock;
    QPointer<Connection> m_controller;
    std::deque<protocol::Request> m_requests;
    QTimer m_answer;
    QTimer m_frameTimer;
    QTimer m_dropTimer;
    QTimer m_hangTimer;
    QTimer m_paceTimer;
    FramePacer m_pacer;
    FramePacer::Clock::time_point m_lastCapture{};
    // The picture on the camera's thread.
    Capture m_capture;
    qint64 m_framesDue = 0;
    quint32 m_frameSequence = 0;
    int m_linkFrames = 0;
    bool m_malformedSent = false;
    bool m_paused = false;
    std::vector<std::uint8_t> m_jpeg;
    std::vector<std::uint8_t> m_lastPicture;
    std::deque<qint64> m_frameTimes;
    std::deque<AnsweredOperation> m_answered;
    std::uint64_t m_answeredInAll = 0;
};

} // namespace vr
