#include "tests/peers/testclient.h"

#include "protocol/encoder.h"
#include "tests/peers/duties.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>

bool TestClient::connectTo(quint16 port)
{
    // The system completes the handshake before the robot accepts, so the
    // robot's event loop need not run meanwhile.
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    return m_socket.waitForConnected(2000);
}

QByteArray TestClient::bytesOf(const protocol::Message &message)
{
    const auto bytes = protocol::encode(message);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

bool TestClient::handshake()
{
    send(protocol::Hello{protocol::kVersion, "test client"});
    return receiveA<protocol::Welcome>().has_value();
}

std::optional<protocol::Message> TestClient::receive(Millis timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (auto message = m_decoder.next()) {
            // Answered as the panel's client answers, so that pictures flow.
            if (const auto owed = peers::clientAnswer(*message))
                send(*owed);
            return message;
        }
        if (m_decoder.error() != protocol::Decoder::Error::None)
            return std::nullopt;
        const QByteArray bytes = m_socket.readAll();
        if (!bytes.isEmpty()) {
            m_decoder.feed(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size()));
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline || m_socket.state() != QAbstractSocket::ConnectedState)
            return std::nullopt;
        waitForTraffic(std::chrono::duration_cast<Millis>(deadline - now) + Millis{1});
    }
}

std::optional<int> TestClient::call(protocol::Operation operation, std::vector<std::int32_t> arguments)
{
    const std::uint32_t sequence = ++m_sequence;
    send(protocol::Request{sequence, static_cast<std::uint16_t>(operation), std::move(arguments)});
    const auto reply = receiveA<protocol::Reply>();
    if (!reply || reply->sequence != sequence)
        return std::nullopt;
    return reply->result;
}

bool TestClient::waitClosed(Millis timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (m_socket.state() == QAbstractSocket::ConnectedState) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        m_socket.readAll();
        waitForTraffic(std::chrono::duration_cast<Millis>(deadline - now) + Millis{1});
    }
    return true;
}

void TestClient::waitForTraffic(Millis timeout)
{
    QEventLoop loop;
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&m_socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&m_socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec();
}
