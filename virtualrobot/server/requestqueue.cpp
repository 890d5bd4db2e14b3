#include "virtualrobot/server/requestqueue.h"

#include "protocol/operation.h"
#include "virtualrobot/server/controllerlink.h"

namespace vr {

namespace {

// Operations the window's log keeps.
constexpr std::size_t kAnsweredKept = 50;

} // namespace

RequestQueue::RequestQueue(RobotModel &model, Trace &trace, std::optional<Operation> malformedReply, Now now)
    : m_model(model), m_trace(trace), m_malformedReply(malformedReply), m_now(std::move(now))
{
    // Planned delays are promises to tests: a coarse timer may fire early.
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RequestQueue::answer);
}

void RequestQueue::serve(ControllerLink *controller)
{
    m_controller = controller;
    m_pending.clear();
    m_timer.stop();
}

bool RequestQueue::add(const protocol::Request &request)
{
    if (m_pending.size() == kMaxPending)
        return false;
    m_pending.push_back(request);
    answerNext();
    return true;
}

void RequestQueue::answerNext()
{
    if (m_pending.empty() || m_timer.isActive())
        return;
    const auto operation = protocol::operationFromCode(m_pending.front().operation);
    m_timer.start(operation ? m_model.faults().delay(*operation) : RobotModel::Millis{0});
}

void RequestQueue::answer()
{
    if (m_pending.empty() || !m_controller)
        return;
    const protocol::Request request = m_pending.front();
    m_pending.pop_front();
    const auto operation = protocol::operationFromCode(request.operation);
    const std::vector<int> arguments(request.arguments.begin(), request.arguments.end());
    const int result = operation ? m_model.perform(*operation, arguments, m_now()) : -1;
    const QString name = operation ? QLatin1String(protocol::operationName(*operation)) : QString::number(request.operation);
    m_trace.operation(request.sequence, name, arguments, result);
    m_answered.push_front({name, arguments, result});
    ++m_answeredInAll;
    if (m_answered.size() > kAnsweredKept)
        m_answered.pop_back();
    if (operation && operation == m_malformedReply) {
        m_trace.event(QStringLiteral("malformed"), {{QStringLiteral("instead"), QStringLiteral("reply")}});
        m_controller->sendMalformed();
    } else {
        m_controller->send(protocol::Reply{request.sequence, result});
    }
    answerNext();
}

} // namespace vr
