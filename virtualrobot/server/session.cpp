#include "virtualrobot/server/session.h"

#include "protocol/timing.h"
#include "virtualrobot/server/controllerlink.h"

#include <QTcpSocket>

#include <type_traits>

namespace vr {

namespace {

const QString kRobotName = QStringLiteral("Korvan virtual ERS-7");
const QString kBusy = QStringLiteral("busy: another controller is connected");
const QString kRefusing = QStringLiteral("refused: this robot is told to refuse controllers");
const QString kWrongVersion = QStringLiteral("version: this robot speaks protocol %1").arg(protocol::kVersion);

QString faultOf(const QString &what)
{
    return QStringLiteral("protocol fault: ") + what;
}

QLatin1String typeNameOf(const protocol::Message &message)
{
    return QLatin1String(protocol::typeName(static_cast<std::uint8_t>(protocol::typeOf(message))));
}

} // namespace

Session::Session(const ServerConfig &config, Trace &trace, QObject *parent)
    : QObject(parent), m_config(config), m_trace(trace), m_refusing(config.link.refuseConnections)
{
    connect(&m_server, &QTcpServer::newConnection, this, &Session::accept);
}

bool Session::listen(QString &error)
{
    if (!m_server.listen(m_config.address, m_config.port)) {
        error = QStringLiteral("cannot listen on %1:%2: %3")
                    .arg(m_config.address.toString())
                    .arg(m_config.port)
                    .arg(m_server.errorString());
        return false;
    }
    m_trace.event(QStringLiteral("listen"), {{QStringLiteral("address"), address().toString()},
                                             {QStringLiteral("port"), port()}});
    return true;
}

void Session::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        auto *connection = new ControllerLink(socket, m_config.timings, this);
        m_trace.event(QStringLiteral("connect"), {{QStringLiteral("peer"), connection->peer()}});
        connect(connection, &ControllerLink::received, this,
                [this, connection](const protocol::Message &message) { handle(connection, message); });
        connect(connection, &ControllerLink::faulted, this, [this, connection](protocol::Decoder::Error error) {
            if (error == protocol::Decoder::Error::BadVersion && connection != m_controller)
                refuse(connection, kWrongVersion);
            else
                connection->close(faultOf(QLatin1String(protocol::errorName(error))));
        });
        connect(connection, &ControllerLink::closed, this,
                [this, connection](const QString &reason) { closed(connection, reason); });
    }
}

void Session::handle(ControllerLink *connection, const protocol::Message &message)
{
    if (connection == m_controller) {
        handleController(message);
        return;
    }
    if (const auto *hello = std::get_if<protocol::Hello>(&message))
        greet(connection, *hello);
    else if (const auto *bye = std::get_if<protocol::Bye>(&message))
        connection->close(QStringLiteral("peer said Bye: %1").arg(QString::fromStdString(bye->reason)));
    else
        connection->close(faultOf(QStringLiteral("a %1 before Hello").arg(typeNameOf(message))));
}

void Session::handleController(const protocol::Message &message)
{
    std::visit(
        [&](const auto &content) {
            using Type = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<Type, protocol::Hello>) {
                m_controller->close(faultOf(QStringLiteral("a second Hello")));
            } else if constexpr (std::is_same_v<Type, protocol::Ping>) {
                m_controller->send(protocol::Pong{content.origin, protocol::epochMicroseconds()});
            } else if constexpr (std::is_same_v<Type, protocol::Bye>) {
                m_controller->close(QStringLiteral("peer said Bye: %1").arg(QString::fromStdString(content.reason)));
            } else if constexpr (std::is_same_v<Type, protocol::Request> || std::is_same_v<Type, protocol::FrameAck>
                                 || std::is_same_v<Type, protocol::Pong>) {
                Q_EMIT controllerSent(message);
            } else if constexpr (!std::is_same_v<Type, protocol::Heartbeat>) {
                m_controller->close(faultOf(QStringLiteral("a %1 from a controller").arg(typeNameOf(message))));
            }
        },
        message);
}

void Session::greet(ControllerLink *connection, const protocol::Hello &hello)
{
    if (m_refusing) {
        refuse(connection, kRefusing);
        return;
    }
    if (m_controller) {
        refuse(connection, kBusy);
        return;
    }
    connection->markWelcomed();
    connection->send(protocol::Welcome{protocol::kVersion, kRobotName.toStdString()});
    m_controller = connection;
    m_trace.event(QStringLiteral("welcome"), {{QStringLiteral("peer"), connection->peer()},
                                              {QStringLiteral("client"), QString::fromStdString(hello.name)}});
    Q_EMIT welcomed();
}

void Session::refuse(ControllerLink *connection, const QString &reason)
{
    m_trace.event(QStringLiteral("refuse"), {{QStringLiteral("peer"), connection->peer()},
                                             {QStringLiteral("reason"), reason}});
    connection->close(reason, protocol::Refused{reason.toStdString()});
}

void Session::closed(ControllerLink *connection, const QString &reason)
{
    m_trace.event(QStringLiteral("close"), {{QStringLiteral("peer"), connection->peer()},
                                            {QStringLiteral("reason"), reason}});
    if (connection != m_controller)
        return;
    m_controller = nullptr;
    Q_EMIT controllerClosed();
}

} // namespace vr
