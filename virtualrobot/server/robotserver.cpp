#include "virtualrobot/server/robotserver.h"

#include "virtualrobot/server/controllerlink.h"

#include <algorithm>

namespace vr {

RobotServer::RobotServer(ServerConfig config, QObject *parent)
    : QObject(parent)
    , m_config(std::move(config))
    , m_model(m_config.robot)
    , m_requests(m_model, m_trace, m_config.link.malformedReply, [this] { return now(); })
    , m_control(
          m_session, m_pictures, m_model, m_trace, [this](RobotModel::Millis span) { m_skipped += span; },
          [this] { Q_EMIT quitRequested(); })
{
    m_model.faults() = m_config.faults;
    m_clock.start();
    // Planned delays are promises to tests: a coarse timer may fire early.
    for (QTimer *timer : {&m_frameTimer, &m_dropTimer, &m_hangTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_session, &Session::welcomed, this, &RobotServer::welcomed);
    connect(&m_session, &Session::controllerSent, this, &RobotServer::controllerSent);
    connect(&m_session, &Session::controllerClosed, this, &RobotServer::controllerClosed);
    connect(&m_frameTimer, &QTimer::timeout, this, &RobotServer::tick);
    connect(&m_dropTimer, &QTimer::timeout, this, [this] {
        if (ControllerLink *controller = m_session.controller())
            controller->close(QStringLiteral("fault: link cut after %1 ms").arg(m_config.link.dropAfter->count()));
    });
    connect(&m_hangTimer, &QTimer::timeout, this, [this] {
        if (ControllerLink *controller = m_session.controller()) {
            m_trace.event(QStringLiteral("hang"));
            controller->hang();
        }
    });
}

RobotServer::~RobotServer() = default;

bool RobotServer::listen(QString &error)
{
    if (!m_config.tracePath.isEmpty() && !m_trace.open(m_config.tracePath, error))
        return false;
    if (!m_session.listen(error))
        return false;
    m_framesDue = 0;
    tick();
    return true;
}

LinkView RobotServer::linkView() const
{
    const ControllerLink *controller = m_session.controller();
    return {controller ? controller->peer() : QString(),
            m_pictures.paused(),
            m_session.refusing(),
            m_pictures.framesPerSecond(),
            m_pictures.quality(),
            m_pictures.pacing(),
            m_requests.answered(),
            m_requests.answeredInAll()};
}

void RobotServer::welcomed()
{
    ControllerLink *controller = m_session.controller();
    m_requests.serve(controller);
    m_pictures.serve(controller);
    if (m_config.link.dropAfter)
        m_dropTimer.start(*m_config.link.dropAfter);
    if (m_config.link.hangAfter)
        m_hangTimer.start(*m_config.link.hangAfter);
    Q_EMIT controllerChanged(true);
}

void RobotServer::controllerSent(const protocol::Message &message)
{
    ControllerLink *controller = m_session.controller();
    if (const auto *request = std::get_if<protocol::Request>(&message)) {
        if (!m_requests.add(*request))
            controller->close(QStringLiteral("protocol fault: more than %1 requests unanswered")
                                  .arg(RequestQueue::kMaxPending));
    } else if (const auto *ack = std::get_if<protocol::FrameAck>(&message)) {
        if (!m_pictures.acknowledged(*ack))
            controller->close(QStringLiteral("protocol fault: an acknowledgement of frame %1, never sent").arg(ack->sequence));
    } else if (const auto *pong = std::get_if<protocol::Pong>(&message)) {
        if (!m_pictures.ponged(*pong))
            controller->close(QStringLiteral("protocol fault: a pong for no ping"));
    }
}

void RobotServer::controllerClosed()
{
    m_requests.serve(nullptr);
    m_pictures.serve(nullptr);
    m_dropTimer.stop();
    m_hangTimer.stop();
    m_model.controllerLost(now());
    Q_EMIT controllerChanged(false);
}

void RobotServer::tick()
{
    m_model.advance(now());
    m_pictures.pump();
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

} // namespace vr
