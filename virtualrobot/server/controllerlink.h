#pragma once

#include "protocol/decoder.h"
#include "protocol/message.h"
#include "virtualrobot/server/serverconfig.h"

#include <QObject>
#include <QTimer>

#include <optional>

class QTcpSocket;

namespace vr {

/// One TCP peer of the robot: decodes what it sends, sends messages,
/// keeps the link alive with heartbeats and closes it when the peer falls
/// silent or never says Hello.
class ControllerLink : public QObject
{
    Q_OBJECT

public:
    /// Takes over a connected socket.
    ControllerLink(QTcpSocket *socket, const LinkTimings &timings, QObject *parent = nullptr);

    /// The peer's address and port, for the trace.
    QString peer() const { return m_peer; }
    /// The Hello was answered with Welcome: no handshake deadline any more.
    void markWelcomed();
    /// Sends a message; false once closed or hung. A peer that leaves too
    /// much unread loses the link.
    bool send(const protocol::Message &message);
    /// Sends bytes that no decoder accepts.
    void sendMalformed();
    /// Sends nothing any more, heartbeats included, until the link ends.
    void hang();
    /// Bytes still waiting to leave the send buffer.
    qint64 bytesToWrite() const;
    /// Ends the link: sends the last message (a Bye or a Refused) and closes,
    /// or without one cuts the link at once. closed() follows.
    void close(const QString &reason, const std::optional<protocol::Message> &last = std::nullopt);

Q_SIGNALS:
    /// A message came in.
    void received(const protocol::Message &message);
    /// The peer broke the protocol; the link is to be closed.
    void faulted(protocol::Decoder::Error error);
    /// The link ended, once, with the reason.
    void closed(const QString &reason);

private:
    bool write(const char *bytes, qint64 size);
    void readAvailable();
    void finish(const QString &reason);

    QTcpSocket *m_socket = nullptr;
    QString m_peer;
    protocol::Decoder m_decoder;
    QTimer m_heartbeat;
    QTimer m_deadLink;
    QTimer m_handshake;
    bool m_hung = false;
    bool m_closed = false;
};

} // namespace vr
