#pragma once

#include "protocol/decoder.h"
#include "protocol/message.h"
#include "protocol/operation.h"

#include <QByteArray>
#include <QTcpSocket>

#include <chrono>
#include <optional>

// A bare controller for the virtual robot's tests: speaks the protocol over
// a loopback socket, waits by running the event loop so that a robot in the
// same thread keeps working.
class TestClient
{
public:
    using Millis = std::chrono::milliseconds;

    // A message as it goes on the wire.
    static QByteArray bytesOf(const protocol::Message &message);

    bool connectTo(quint16 port);
    void send(const protocol::Message &message) { sendRaw(bytesOf(message)); }
    void sendRaw(const QByteArray &bytes) { m_socket.write(bytes); }
    // Hello, then true on Welcome.
    bool handshake();
    // The next message, heartbeats and frames included; empty on time-out,
    // a closed link or a fault. Frames are acknowledged and Pings answered.
    std::optional<protocol::Message> receive(Millis timeout = Millis{2000});
    // The next message of the type within the time, skipping others.
    template <typename Type>
    std::optional<Type> receiveA(Millis timeout = Millis{2000})
    {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + timeout;
        while (auto message = receive(std::chrono::duration_cast<Millis>(deadline - Clock::now()))) {
            if (auto *wanted = std::get_if<Type>(&*message))
                return *wanted;
        }
        return std::nullopt;
    }
    // Sends a request and waits for its reply, skipping frames; empty when
    // no reply came.
    std::optional<int> call(protocol::Operation operation, std::vector<std::int32_t> arguments = {});
    // Waits until the robot has closed the link.
    bool waitClosed(Millis timeout = Millis{2000});
    // Sends what was written, then cuts the link.
    void close()
    {
        m_socket.flush();
        m_socket.abort();
    }
    bool connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    protocol::Decoder::Error error() const { return m_decoder.error(); }

private:
    // Runs the event loop until bytes arrive, the link ends or time is up.
    void waitForTraffic(Millis timeout);

    QTcpSocket m_socket;
    protocol::Decoder m_decoder;
    std::uint32_t m_sequence = 0;
};
