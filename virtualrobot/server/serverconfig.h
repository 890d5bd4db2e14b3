#pragma once

#include "protocol/message.h"
#include "protocol/timing.h"
#include "virtualrobot/model/faultplan.h"
#include "virtualrobot/model/operationlookup.h"
#include "virtualrobot/model/robotmodel.h"

#include <QHostAddress>
#include <QString>

#include <chrono>
#include <optional>

namespace vr {

/// Failures of the link itself that the robot can be told to rehearse.
struct LinkFaults
{
    /// Answer every Hello with Refused.
    bool refuseConnections = false;
    /// Cut the link this long after Welcome, without Bye.
    std::optional<std::chrono::milliseconds> dropAfter;
    /// Cut the link once this many frames were sent on it.
    std::optional<int> dropAfterFrames;
    /// Fall silent this long after Welcome: no replies, frames or heartbeats.
    std::optional<std::chrono::milliseconds> hangAfter;
    /// Send one malformed message in place of the frame after this many.
    std::optional<int> malformedAfterFrames;
    /// Answer this operation with a malformed message instead of its Reply.
    std::optional<Operation> malformedReply;
};

/// The protocol's timings, shortened by tests.
struct LinkTimings
{
    std::chrono::milliseconds heartbeat = protocol::kHeartbeatInterval;
    std::chrono::milliseconds deadLink = protocol::kDeadLinkTimeout;
    std::chrono::milliseconds handshake = protocol::kHandshakeTimeout;
};

/// Everything a virtual robot is started with.
struct ServerConfig
{
    QHostAddress address{QHostAddress::LocalHost};
    quint16 port = protocol::kDefaultPort;
    QString tracePath;
    RobotSettings robot;
    FaultPlan faults;
    LinkFaults link;
    LinkTimings timings;
    int framesPerSecond = 30;
};

} // namespace vr
