#pragma once

#include "protocol/message.h"
#include "virtualrobot/model/robotmodel.h"
#include "virtualrobot/server/trace.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

namespace vr {

class ControllerLink;

/// One operation the robot answered, as its trace records it.
struct AnsweredOperation
{
    QString name;
    std::vector<int> arguments;
    int result = 0;
};

/// The controller's requests, answered one at a time and in order from the
/// robot model, each after the delay the fault plan gives its operation.
/// Keeps the last answers for the robot's window.
class RequestQueue : public QObject
{
public:
    using Now = std::function<RobotModel::Millis()>;

    /// The protocol allows one request outstanding; a client that gave up
    /// waiting may send a few more while a delayed answer is pending, but
    /// no more than this.
    static constexpr std::size_t kMaxPending = 8;

    RequestQueue(RobotModel &model, Trace &trace, std::optional<Operation> malformedReply, Now now);

    /// The controller the answers go to; a new one starts with none pending.
    void serve(ControllerLink *controller);
    /// Queues a request. False when the controller already has the most
    /// unanswered: it is flooding and loses its link.
    bool add(const protocol::Request &request);

    /// The last operations answered, newest first, and how many in all.
    const std::deque<AnsweredOperation> &answered() const { return m_answered; }
    std::uint64_t answeredInAll() const { return m_answeredInAll; }

private:
    void answerNext();
    void answer();

    RobotModel &m_model;
    Trace &m_trace;
    std::optional<Operation> m_malformedReply;
    Now m_now;
    QPointer<ControllerLink> m_controller;
    std::deque<protocol::Request> m_pending;
    QTimer m_timer;
    std::deque<AnsweredOperation> m_answered;
    std::uint64_t m_answeredInAll = 0;
};

} // namespace vr
