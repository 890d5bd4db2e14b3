#include "virtualrobot/server/controlinterpreter.h"

#include "virtualrobot/server/controllerlink.h"

namespace vr {

namespace {

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

QString refusal(const Placement &placement, Misplacement misplacement)
{
    const QLatin1String thing = thingWord(placement.thing);
    switch (misplacement) {
    case Misplacement::OutsideRoom:
        return QStringLiteral("refused: that is outside the room (x 0-%1, y 0-%2 mm); the %3 stays where it is")
            .arg(room::kWidth)
            .arg(room::kDepth)
            .arg(thing);
    case Misplacement::InWall:
        return placement.at ? QStringLiteral("refused: the %1 would be in a wall there; it stays where it is").arg(thing)
                            : QStringLiteral("refused: a wall is in front of the robot; the %1 stays where it is")
                                  .arg(thing);
    }
    return {};
}

QString point(Vec2 at)
{
    return QStringLiteral("%1,%2").arg(at.x, 0, 'f', 0).arg(at.y, 0, 'f', 0);
}

QLatin1String yesNo(bool value)
{
    return value ? QLatin1String("yes") : QLatin1String("no");
}

} // namespace

ControlInterpreter::ControlInterpreter(Session &session, PictureStream &pictures, RobotModel &model, Trace &trace,
                                       std::function<void(RobotModel::Millis)> skipTime, std::function<void()> quit)
    : m_session(session), m_pictures(pictures), m_model(model), m_trace(trace), m_skipTime(std::move(skipTime)),
      m_quit(std::move(quit))
{
}

QString ControlInterpreter::control(const ControlCommand &command)
{
    using Kind = ControlCommand::Kind;
    m_trace.event(QStringLiteral("control"), {{QStringLiteral("line"), command.line}});
    ControllerLink *controller = m_session.controller();
    const bool needsController = command.kind == Kind::Drop || command.kind == Kind::Bye || command.kind == Kind::Burst
                                 || command.kind == Kind::Malformed || command.kind == Kind::Hang;
    if (needsController && controller == nullptr)
        return QStringLiteral("no controller is connected");
    switch (command.kind) {
    case Kind::Drop:
        controller->close(QStringLiteral("control: drop"));
        return {};
    case Kind::Bye: {
        const QString reason = command.text.isEmpty() ? QStringLiteral("robot closing the link") : command.text;
        controller->close(QStringLiteral("control: bye"), protocol::Bye{reason.toStdString()});
        return {};
    }
    case Kind::Battery:
        m_model.setBatteryLevel(command.number);
        return {};
    case Kind::Pause:
    case Kind::Resume:
        m_pictures.setPaused(command.kind == Kind::Pause);
        return {};
    case Kind::Burst:
        if (const int sent = m_pictures.burst(command.number); sent < command.number)
            return QStringLiteral("burst: %1 of %2 frames sent; the controller is not reading")
                .arg(sent)
                .arg(command.number);
        return {};
    case Kind::Malformed:
        m_trace.event(QStringLiteral("malformed"), {{QStringLiteral("instead"), QStringLiteral("control")}});
        controller->sendMalformed();
        return {};
    case Kind::Hang:
        m_trace.event(QStringLiteral("hang"));
        controller->hang();
        return {};
    case Kind::Refuse:
        m_session.setRefusing(command.flag);
        return {};
    case Kind::Result:
        return QString::fromStdString(m_model.faults().addAnswerRule(command.text.toStdString()));
    case Kind::Delay:
        return QString::fromStdString(m_model.faults().addDelayRule(command.text.toStdString()));
    case Kind::Heal:
        m_model.faults().clear();
        return {};
    case Kind::Place:
        if (const auto misplaced = m_model.place(command.placement))
            return refusal(command.placement, *misplaced);
        return {};
    case Kind::Reset:
        m_model.resetRoom();
        return {};
    case Kind::Skip:
        m_skipTime(RobotModel::Millis{command.number});
        return {};
    case Kind::Status:
        return status();
    case Kind::Help:
        return controlHelp();
    case Kind::Quit:
        if (controller)
            controller->close(QStringLiteral("control: quit"), protocol::Bye{"robot shutting down"});
        m_quit();
        return {};
    }
    return {};
}

QString ControlInterpreter::controlLine(const QString &line)
{
    QString problem;
    const auto command = parseControlLine(line, problem);
    return command ? control(*command) : problem;
}

QString ControlInterpreter::status() const
{
    const Pose pose = m_model.pose();
    const Scene scene = m_model.scene();
    const auto content = m_model.playingContent();
    const ControllerLink *controller = m_session.controller();
    return QStringLiteral("controller=%1 remote=%2 camera=%3 frames=%4 posture=%5 x=%6 y=%7 heading=%8 pan=%9 "
                          "tilt=%10 battery=%11 moving=%12 content=%13 sending=%14fps quality=%15 pacing=%16 ball=%17 bone=%18")
        .arg(controller ? controller->peer() : QStringLiteral("none"), yesNo(m_model.remoteControl()),
             m_model.cameraOn() ? (m_pictures.paused() ? QLatin1String("paused") : QLatin1String("on"))
                                : QLatin1String("off"))
        .arg(m_pictures.framesSent())
        .arg(QLatin1String(postureName(m_model.posture())))
        .arg(pose.x, 0, 'f', 0)
        .arg(pose.y, 0, 'f', 0)
        .arg(pose.heading, 0, 'f', 0)
        .arg(m_model.headPan(), 0, 'f', 0)
        .arg(m_model.headTilt(), 0, 'f', 0)
        .arg(m_model.battery(), 0, 'f', 1)
        .arg(yesNo(m_model.moving()))
        .arg(content ? QString::number(*content) : QStringLiteral("none"))
        .arg(m_pictures.framesPerSecond())
        .arg(m_pictures.quality())
        .arg(QLatin1String(pacingName(m_pictures.pacing())))
        .arg(point(scene.ball.position), m_model.holdingBone() ? QStringLiteral("held") : point(scene.bone.position));
}

} // namespace vr
