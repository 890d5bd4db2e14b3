#pragma once

#include "protocol/message.h"
#include "virtualrobot/server/controllerlink.h"
#include "virtualrobot/server/serverconfig.h"
#include "virtualrobot/server/trace.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

namespace vr {

/// The robot's end of its links: listens, answers each Hello with Welcome
/// or Refused (another controller is connected, the robot is told to
/// refuse, or the peer speaks another version), keeps one controller at a
/// time and traces every peer's coming and going. What the controller sends
/// beyond the link's own business goes out as controllerSent.
class Session : public QObject
{
    Q_OBJECT

public:
    Session(const ServerConfig &config, Trace &trace, QObject *parent = nullptr);

    /// Starts listening; false with error set when the address or port
    /// cannot be had.
    bool listen(QString &error);
    QHostAddress address() const { return m_server.serverAddress(); }
    quint16 port() const { return m_server.serverPort(); }

    /// The welcomed controller; null without one.
    ControllerLink *controller() const { return m_controller; }
    /// Whether every Hello is refused.
    bool refusing() const { return m_refusing; }
    void setRefusing(bool refusing) { m_refusing = refusing; }

Q_SIGNALS:
    /// A controller was welcomed.
    void welcomed();
    /// The controller sent a Request, a FrameAck or a Pong.
    void controllerSent(const protocol::Message &message);
    /// The controller's link ended.
    void controllerClosed();

private:
    void accept();
    void handle(ControllerLink *connection, const protocol::Message &message);
    void handleController(const protocol::Message &message);
    void greet(ControllerLink *connection, const protocol::Hello &hello);
    void refuse(ControllerLink *connection, const QString &reason);
    void closed(ControllerLink *connection, const QString &reason);

    const ServerConfig &m_config;
    Trace &m_trace;
    QTcpServer m_server;
    QPointer<ControllerLink> m_controller;
    bool m_refusing = false;
};

} // namespace vr
