#include "virtualrobot/server/controllerlink.h"

#include "protocol/encoder.h"
#include "protocol/wireformat.h"

#include <QTcpSocket>

#include <vector>

namespace vr {

namespace {

// A Reply with flags set in its header: the protocol wants flags of 0.
std::vector<std::uint8_t> malformedReply()
{
    std::vector<std::uint8_t> bytes = protocol::encode(protocol::Reply{1, 0});
    bytes[protocol::kFlagsByte] = 0x7F;
    return bytes;
}

// Frames stop at a far smaller backlog, so only a peer that sends and never
// reads gets here: the link ends before its answers fill the memory.
constexpr qint64 kWriteBacklogLimit = 2 * 1024 * 1024;

} // namespace

ControllerLink::ControllerLink(QTcpSocket *socket, const LinkTimings &timings, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_peer(QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()))
{
    m_socket->setParent(this);
    // Small messages and synchronous calls: Nagle's delay would sit in every round trip.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_heartbeat.setInterval(timings.heartbeat);
    m_deadLink.setInterval(timings.deadLink);
    m_deadLink.setSingleShot(true);
    m_handshake.setInterval(timings.handshake);
    m_handshake.setSingleShot(true);
    connect(m_socket, &QTcpSocket::readyRead, this, &ControllerLink::readAvailable);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { finish(QStringLiteral("peer closed the link")); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] { finish(m_socket->errorString()); });
    connect(&m_heartbeat, &QTimer::timeout, this, [this] { send(protocol::Heartbeat{}); });
    connect(&m_deadLink, &QTimer::timeout, this, [this] { close(QStringLiteral("dead link: nothing received")); });
    connect(&m_handshake, &QTimer::timeout, this, [this] { close(QStringLiteral("no Hello in time")); });
    m_deadLink.start();
    m_handshake.start();
}

void ControllerLink::markWelcomed()
{
    m_handshake.stop();
    // Before Welcome a client takes nothing else, heartbeats included.
    m_heartbeat.start();
}

bool ControllerLink::send(const protocol::Message &message)
{
    const auto bytes = protocol::encode(message);
    return !bytes.empty() && write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void ControllerLink::sendMalformed()
{
    const std::vector<std::uint8_t> bytes = malformedReply();
    write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
}

bool ControllerLink::write(const char *bytes, qint64 size)
{
    if (m_closed || m_hung)
        return false;
    if (m_socket->bytesToWrite() > kWriteBacklogLimit) {
        close(QStringLiteral("flood: the peer does not read"));
        return false;
    }
    m_socket->write(bytes, size);
    if (m_heartbeat.isActive())
        m_heartbeat.start();
    return true;
}

void ControllerLink::hang()
{
    m_hung = true;
    m_heartbeat.stop();
}

qint64 ControllerLink::bytesToWrite() const
{
    return m_socket->bytesToWrite();
}

void ControllerLink::close(const QString &reason, const std::optional<protocol::Message> &last)
{
    if (m_closed)
        return;
    if (last)
        send(*last);
    // What was sent goes out before the socket does: it is deleted with
    // this connection.
    m_socket->flush();
    // Finished first: closing the socket reports its own reason at once.
    finish(reason);
    if (last)
        m_socket->disconnectFromHost();
    else
        m_socket->abort();
}

void ControllerLink::readAvailable()
{
    if (m_closed)
        return;
    const QByteArray bytes = m_socket->readAll();
    m_deadLink.start();
    m_decoder.feed(reinterpret_cast<const std::uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    // Messages that came before a fault still count; then the link ends.
    while (auto message = m_decoder.next()) {
        Q_EMIT received(*message);
        if (m_closed)
            return;
    }
    if (m_decoder.error() != protocol::Decoder::Error::None)
        Q_EMIT faulted(m_decoder.error());
}

void ControllerLink::finish(const QString &reason)
{
    if (m_closed)
        return;
    m_closed = true;
    m_heartbeat.stop();
    m_deadLink.stop();
    m_handshake.stop();
    Q_EMIT closed(reason);
    deleteLater();
}

} // namespace vr
