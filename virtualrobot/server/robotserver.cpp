#include "virtualrobot/server/robotserver.h"

#include "protocol/operation.h"
#include "protocol/timing.h"
#include "virtualrobot/server/connection.h"

#include <QTcpSocket>

#include <algorithm>
#include <chrono>
#include <type_traits>

namespace vr {

namespace {

const QString kRobotName = QStringLiteral("Korvan virtual ERS-7");
const QString kBusy = QStringLiteral("busy: another controller is connected");
const QString kRefusing = QStringLiteral("refused: this robot is told to refuse controllers");
const QString kWrongVersion = QStringLiteral("version: this robot speaks protocol %1").arg(protocol::kVersion);

// A reader that lags more than this behind gets no new frame until it
// catches up: the newest picture matters, not every picture.
constexpr qint64 kFrameBacklog = 64 * 1024;

// Operations the window's log keeps.
constexpr std::size_t kAnsweredKept = 50;

// The protocol allows one request outstanding; a client that gave up
// waiting may send a few more while a delayed answer is pending, but no more
// than this.
constexpr std::size_t kMaxPendingRequests = 8;

const char *postureName(Posture posture)
{
    switch (posture) {
    case Posture::Stand:
        return "stand";
    case Posture::Sit:
        return "sit";
    case Posture::LieDown:
        return "lie";
    }
    return "?";
}

QLatin1String yesNo(bool value)
{
    return value ? QLatin1String("yes") : QLatin1String("no");
}

const char *pacingName(FramePacer::Reason reason)
{
    switch (reason) {
    case FramePacer::Reason::Full:
        return "full";
    case FramePacer::Reason::Link:
        return "link";
    case FramePacer::Reason::Waiting:
        return "waiting";
    }
    return "?";
}


} // namespace

RobotServer::RobotServer(ServerConfig config, QObject *parent)
    : QObject(parent)
    , m_config(std::move(config))
    , m_model(m_config.robot)
    , m_pacer(m_config.framesPerSecond)
{
    m_model.faults() = m_config.faults;
    m_clock.start();
    // Planned delays are promises to tests: a coarse timer may fire early.
    m_answer.setSingleShot(true);
    m_answer.setTimerType(Qt::PreciseTimer);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    m_dropTimer.setSingleShot(true);
    m_dropTimer.setTimerType(Qt::PreciseTimer);
    m_hangTimer.setSingleShot(true);
    m_hangTimer.setTimerType(Qt::PreciseTimer);
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_paceTimer, &QTimer::timeout, this, &RobotServer::pump);
    connect(&m_server, &QTcpServer::newConnection, this, &RobotServer::accept);
    connect(&m_answer, &QTimer::timeout, this, [this] {
        if (m_requests.empty() || !m_controller)
            return;
        const protocol::Request request = m_requests.front();
        m_requests.pop_front();
        const auto operation = protocol::operationFromCode(request.operation);
        const std::vector<int> arguments(request.arguments.begin(), request.arguments.end());
        const int result = operation ? m_model.perform(*operation, arguments, now()) : -1;
        const QString name =
            operation ? QLatin1String(protocol::operationName(*operation)) : QString::number(request.operation);
        m_trace.operation(request.sequence, name, arguments, result);
        m_answered.push_front({name, arguments, result});
        ++m_answeredInAll;
        if (m_answered.size() > kAnsweredKept)
            m_answered.pop_back();
        if (operation && operation == m_config.link.malformedReply) {
            m_trace.event(QStringLiteral("malformed"), {{QStringLiteral("instead"), QStringLiteral("reply")}});
            m_controller->sendMalformed();
        } else {
            m_controller->send(protocol::Reply{request.sequence, result});
        }
        answerNext();
    });
    connect(&m_frameTimer, &QTimer::timeout, this, &RobotServer::tick);
    connect(&m_renderer, &FrameRenderer::captured, this, &RobotServer::captured);
    connect(&m_dropTimer, &QTimer::timeout, this,
            [this] { dropController(QStringLiteral("fault: link cut after %1 ms").arg(m_config.link.dropAfter->count())); });
    connect(&m_hangTimer, &QTimer::timeout, this, [this] {
        if (!m_controller)
            return;
        m_trace.event(QStringLiteral("hang"));
        m_controller->hang();
    });
}

RobotServer::~RobotServer() = default;

bool RobotServer::listen(QString &error)
{
    if (!m_config.tracePath.isEmpty() && !m_trace.open(m_config.tracePath, error))
        return false;
    if (!m_server.listen(m_config.address, m_config.port)) {
        error = QStringLiteral("cannot listen on %1:%2: %3")
                    .arg(m_config.address.toString())
                    .arg(m_config.port)
                    .arg(m_server.errorString());
        return false;
    }
    m_trace.event(QStringLiteral("listen"), {{QStringLiteral("address"), address().toString()},
                                             {QStringLiteral("port"), port()}});
    m_framesDue = 0;
    tick();
    return true;
}

QString RobotServer::control(const ControlCommand &command)
{
    using Kind = ControlCommand::Kind;
    const QString noController = QStringLiteral("no controller is connected");
    m_trace.event(QStringLiteral("control"), {{QStringLiteral("line"), command.line}});
    switch (command.kind) {
    case Kind::Drop:
        if (!m_controller)
            return noController;
        dropController(QStringLiteral("control: drop"));
        return {};
    case Kind::Bye:
        if (!m_controller)
            return noController;
        {
            const QString reason = command.text.isEmpty() ? QStringLiteral("robot closing the link") : command.text;
            m_controller->close(QStringLiteral("control: bye"), protocol::Bye{reason.toStdString()});
        }
        return {};
    case Kind::Battery:
        m_model.setBatteryLevel(command.number);
        return {};
    case Kind::Pause:
    case Kind::Resume:
        m_paused = command.kind == Kind::Pause;
        return {};
    case Kind::Burst:
        if (!m_controller)
            return noController;
        for (int sent = 0; sent < command.number; ++sent) {
            if (!m_controller || !sendFrame())
                return QStringLiteral("burst: %1 of %2 frames sent; the controller is not reading")
                    .arg(sent)
                    .arg(command.number);
        }
        return {};
    case Kind::Malformed:
        if (!m_controller)
            return noController;
        m_trace.event(QStringLiteral("malformed"), {{QStringLiteral("instead"), QStringLiteral("control")}});
        m_controller->sendMalformed();
        return {};
    case Kind::Hang:
        if (!m_controller)
            return noController;
        m_trace.event(QStringLiteral("hang"));
        m_controller->hang();
        return {};
    case Kind::Refuse:
        m_config.link.refuseConnections = command.flag;
        return {};
    case Kind::Result:
        return QString::fromStdString(m_model.faults().addAnswerRule(command.text.toStdString()));
    case Kind::Delay:
        return QString::fromStdString(m_model.faults().addDelayRule(command.text.toStdString()));
    case Kind::Heal:
        m_model.faults().clear();
        return {};
    case Kind::Status:
        return status();
    case Kind::Help:
        return controlHelp();
    case Kind::Quit:
        if (m_controller)
            m_controller->close(QStringLiteral("control: quit"), protocol::Bye{"robot shutting down"});
        Q_EMIT quitRequested();
        return {};
    }
    return {};
}

QString RobotServer::controlLine(const QString &line)
{
    QString problem;
    const auto command = parseControlLine(line, problem);
    return command ? control(*command) : problem;
}

LinkView RobotServer::linkView() const
{
    const qint64 oneSecondAgo = m_clock.elapsed() - 1000;
    const auto recent = std::count_if(m_frameTimes.begin(), m_frameTimes.end(),
                                      [oneSecondAgo](qint64 at) { return at > oneSecondAgo; });
    return {m_controller ? m_controller->peer() : QString(),
            m_paused,
            m_config.link.refuseConnections,
            static_cast<int>(recent),
            m_pacer.quality(),
            m_pacer.reason(FramePacer::Clock::now()),
            m_answered,
            m_answeredInAll};
}

QString RobotServer::status() const
{
    const Pose pose = m_model.pose();
    const auto content = m_model.playingContent();
    const LinkView link = linkView();
    return QStringLiteral("controller=%1 remote=%2 camera=%3 frames=%4 posture=%5 x=%6 y=%7 heading=%8 pan=%9 "
                          "tilt=%10 battery=%11 moving=%12 content=%13 sending=%14fps quality=%15 pacing=%16")
        .arg(m_controller ? m_controller->peer() : QStringLiteral("none"), yesNo(m_model.remoteControl()),
             m_model.cameraOn() ? (m_paused ? QLatin1String("paused") : QLatin1String("on")) : QLatin1String("off"))
        .arg(m_frameSequence)
        .arg(QLatin1String(postureName(m_model.posture())))
        .arg(pose.x, 0, 'f', 0)
        .arg(pose.y, 0, 'f', 0)
        .arg(pose.heading, 0, 'f', 0)
        .arg(m_model.headPan(), 0, 'f', 0)
        .arg(m_model.headTilt(), 0, 'f', 0)
        .arg(m_model.battery(), 0, 'f', 1)
        .arg(yesNo(m_model.moving()))
        .arg(content ? QString::number(*content) : QStringLiteral("none"))
        .arg(link.framesPerSecond)
        .arg(link.quality)
        .arg(QLatin1String(pacingName(link.pacing)));
}

void RobotServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        auto *connection = new Connection(socket, m_config.timings, this);
        m_trace.event(QStringLiteral("connect"), {{QStringLiteral("peer"), connection->peer()}});
        connect(connection, &Connection::received, this,
                [this, connection](const protocol::Message &message) { handle(connection, message); });
        connect(connection, &Connection::faulted, this, [this, connection](protocol::Decoder::Error error) {
            const QString reason = QStringLiteral("protocol fault: %1").arg(QLatin1String(protocol::errorName(error)));
            if (error == protocol::Decoder::Error::BadVersion && connection != m_controller) {
                refuse(connection, kWrongVersion);
                return;
            }
            connection->close(reason);
        });
        connect(connection, &Connection::closed, this, [this, connection](const QString &reason) {
            if (connection == m_controller) {
                controllerClosed(reason);
                return;
            }
            m_trace.event(QStringLiteral("close"), {{QStringLiteral("peer"), connection->peer()},
                                                    {QStringLiteral("reason"), reason}});
        });
    }
}

void RobotServer::handle(Connection *connection, const protocol::Message &message)
{
    const bool controller = connection == m_controller;
    std::visit(
        [&](const auto &content) {
            using Type = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<Type, protocol::Hello>) {
                if (controller)
                    connection->close(QStringLiteral("protocol fault: a second Hello"));
                else
                    greet(connection, content);
            } else if constexpr (std::is_same_v<Type, protocol::Request>) {
                if (!controller) {
                    connection->close(QStringLiteral("protocol fault: a request before Hello"));
                    return;
                }
                if (m_requests.size() == kMaxPendingRequests) {
                    connection->close(
                        QStringLiteral("protocol fault: more than %1 requests unanswered").arg(kMaxPendingRequests));
                    return;
                }
                m_requests.push_back(content);
                answerNext();
            } else if constexpr (std::is_same_v<Type, protocol::Heartbeat>) {
                if (!controller)
                    connection->close(QStringLiteral("protocol fault: a heartbeat before Hello"));
            } else if constexpr (std::is_same_v<Type, protocol::FrameAck>) {
                acknowledged(connection, content);
            } else if constexpr (std::is_same_v<Type, protocol::Ping>) {
                if (controller)
                    connection->send(protocol::Pong{content.origin, protocol::epochMicroseconds()});
                else
                    connection->close(QStringLiteral("protocol fault: a ping before Hello"));
            } else if constexpr (std::is_same_v<Type, protocol::Pong>) {
                ponged(connection, content);
            } else if constexpr (std::is_same_v<Type, protocol::Bye>) {
                connection->close(QStringLiteral("peer said Bye: %1").arg(QString::fromStdString(content.reason)));
            } else {
                connection->close(QStringLiteral("protocol fault: a %1 from a controller")
                                      .arg(QLatin1String(protocol::typeName(
                                          static_cast<std::uint8_t>(protocol::typeOf(message))))));
            }
        },
        message);
}

void RobotServer::greet(Connection *connection, const protocol::Hello &hello)
{
    if (m_config.link.refuseConnections) {
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
    m_pacer.reset();
    m_linkFrames = 0;
    m_malformedSent = false;
    m_trace.event(QStringLiteral("welcome"), {{QStringLiteral("peer"), connection->peer()},
                                              {QStringLiteral("client"), QString::fromStdString(hello.name)}});
    if (m_config.link.dropAfter)
        m_dropTimer.start(*m_config.link.dropAfter);
    if (m_config.link.hangAfter)
        m_hangTimer.start(*m_config.link.hangAfter);
    Q_EMIT controllerChanged(true);
}

void RobotServer::refuse(Connection *connection, const QString &reason)
{
    m_trace.event(QStringLiteral("refuse"), {{QStringLiteral("peer"), connection->peer()},
                                             {QStringLiteral("reason"), reason}});
    connection->close(reason, protocol::Refused{reason.toStdString()});
}

void RobotServer::controllerClosed(const QString &reason)
{
    m_trace.event(QStringLiteral("close"), {{QStringLiteral("peer"), m_controller->peer()},
                                            {QStringLiteral("reason"), reason}});
    m_controller = nullptr;
    m_requests.clear();
    m_answer.stop();
    m_dropTimer.stop();
    m_hangTimer.stop();
    m_model.controllerLost(now());
    Q_EMIT controllerChanged(false);
}

void RobotServer::answerNext()
{
    if (m_requests.empty() || m_answer.isActive())
        return;
    const auto operation = protocol::operationFromCode(m_requests.front().operation);
    m_answer.start(operation ? m_model.faults().delay(*operation) : RobotModel::Millis{0});
}

void RobotServer::acknowledged(Connection *connection, const protocol::FrameAck &ack)
{
    if (connection != m_controller || !m_pacer.acknowledged(ack.sequence, FramePacer::Clock::now())) {
        connection->close(QStringLiteral("protocol fault: an acknowledgement of frame %1, never sent").arg(ack.sequence));
        return;
    }
    pump();
}

void RobotServer::ponged(Connection *connection, const protocol::Pong &pong)
{
    if (connection != m_controller || !m_pacer.pingAnswered(pong.origin, FramePacer::Clock::now())) {
        connection->close(QStringLiteral("protocol fault: a pong for no ping"));
        return;
    }
    pump();
}

void RobotServer::pump()
{
    if (!m_controller || !m_model.cameraOn() || m_paused || m_renderer.busy())
        return;
    const auto at = FramePacer::Clock::now();
    if (m_pacer.pingDue(at)) {
        m_controller->send(protocol::Ping{m_pacer.pingSent(at)});
        return;
    }
    // The picture is taken when it can leave at once, so it is as fresh as
    // the link allows; never more often than the frame rate.
    std::optional<FramePacer::Clock::time_point> opens = m_pacer.opensAt(at);
    if (opens)
        opens = std::max(*opens, m_lastCapture + m_pacer.period());
    if (!opens || *opens > at) {
        if (opens)
            m_paceTimer.start(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*opens - at).count()));
        return;
    }
    if (nextSlot() != Slot::Picture)
        return;
    m_lastCapture = at;
    // The picture is taken on the camera's thread; requests are answered
    // meanwhile, and the frame goes out once it is ready.
    m_capture = {protocol::epochMicroseconds(), m_pacer.quality()};
    m_renderer.capture(m_model.scene(), m_capture.quality);
}

void RobotServer::tick()
{
    m_model.advance(now());
    pump();
    // Frames are due on a fixed grid, so the rate holds whatever a tick costs;
    // after a long stall the grid starts again rather than catching up.
    const double period = 1000.0 / m_config.framesPerSecond;
    const qint64 elapsed = m_clock.elapsed();
    ++m_framesDue;
    auto due = static_cast<qint64>(static_cast<double>(m_framesDue) * period);
    if (due + 3 * period < static_cast<double>(elapsed)) {
        m_framesDue = static_cast<qint64>(static_cast<double>(elapsed) / period) + 1;
        due = static_cast<qint64>(static_cast<double>(m_framesDue) * period);
    }
    m_frameTimer.start(static_cast<int>(std::max<qint64>(0, due - elapsed)));
}

RobotServer::Slot RobotServer::nextSlot()
{
    if (m_controller->bytesToWrite() > kFrameBacklog) {
        m_trace.event(QStringLiteral("skip"), {{QStringLiteral("backlog"), m_controller->bytesToWrite()}});
        return Slot::Skipped;
    }
    const auto &faults = m_config.link;
    if (faults.malformedAfterFrames && !m_malformedSent && m_linkFrames == *faults.malformedAfterFrames) {
        m_malformedSent = true;
        m_trace.event(QStringLiteral("malformed"), {{QStringLiteral("instead"), QStringLiteral("frame")}});
        m_controller->sendMalformed();
        return Slot::Malformed;
    }
    return Slot::Picture;
}

bool RobotServer::sendFrame()
{
    switch (nextSlot()) {
    case Slot::Skipped:
        return false;
    case Slot::Malformed:
        return true;
    case Slot::Picture:
        break;
    }
    const Capture capture{protocol::epochMicroseconds(), m_pacer.quality()};
    m_camera.setQuality(capture.quality);
    return m_camera.capture(m_model.scene(), m_jpeg) && sendPicture(m_jpeg, capture);
}

void RobotServer::captured(const std::vector<std::uint8_t> &jpeg)
{
    // The link or the pictures may have stopped while it was being taken.
    if (m_controller && m_model.cameraOn() && !m_paused && !jpeg.empty() && sendPicture(jpeg, m_capture))
        pump();
}

bool RobotServer::sendPicture(const std::vector<std::uint8_t> &jpeg, const Capture &capture)
{
    protocol::Frame frame;
    frame.sequence = ++m_frameSequence;
    frame.timestampUs = capture.startedUs;
    frame.width = kFrameWidth;
    frame.height = kFrameHeight;
    frame.jpeg = jpeg;
    if (!m_controller->send(frame))
        return false;
    m_pacer.sent(frame.sequence, frame.jpeg.size() + protocol::kHeaderSize, FramePacer::Clock::now());
    m_trace.frame(frame.sequence, static_cast<qsizetype>(frame.jpeg.size()), capture.quality);
    m_lastPicture = jpeg;
    m_frameTimes.push_back(m_clock.elapsed());
    while (m_frameTimes.front() < m_frameTimes.back() - 1000)
        m_frameTimes.pop_front();
    ++m_linkFrames;
    const auto &faults = m_config.link;
    if (faults.dropAfterFrames && m_linkFrames >= *faults.dropAfterFrames)
        dropController(QStringLiteral("fault: link cut after %1 frames").arg(m_linkFrames));
    return true;
}

void RobotServer::dropController(const QString &reason)
{
    if (m_controller)
        m_controller->close(reason);
}

} // namespace vr
