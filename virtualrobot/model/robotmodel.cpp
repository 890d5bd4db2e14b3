#include "virtualrobot/model/robotmodel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vr {

namespace {

using Millis = RobotModel::Millis;

// Time is integrated in small steps so that walls, the ball and the end of a
// walk are met where they are, whatever the caller's rhythm.
constexpr Millis kStep{20};

using vaibo::kWalkBack;
using vaibo::kWalkForward;
using vaibo::kWalkTurnLeft;
using vaibo::kWalkTurnRight;

constexpr double kForwardSpeed = 150; // mm/s
constexpr double kBackSpeed = 100;    // mm/s
constexpr double kTurnSpeed = 45;     // degrees/s
constexpr double kHeadSpeed = 360;    // degrees/s
constexpr Millis kPostureChange{1200};

constexpr double kNeck = 110;     // body centre to the neck, mm
constexpr double kChest = 80;     // body centre to the chest, which shoves the ball, mm
// Where a bone put down lies, and where a ball put before the feet lies:
// just clear of the chest, within reach of a kick.
constexpr double kBoneDropReach = 230;
constexpr double kBallDropReach = kChest + room::kRobotRadius + room::kBallRadius;
// How far from its centre the bone reaches, whichever way it lies.
constexpr double kBoneRadius = room::kBoneHalfLength + room::kBoneKnobRadius;

// How a kick or the heading meets the ball: the point of the foot or head,
// ahead of the body's centre (behind when negative), the direction the ball
// leaves in, from the heading, and its speed in mm/s. The ball must lie
// within kKickRange of that point.
struct Kick
{
    double reach;
    double angle;
    double speed;
};
constexpr Kick kFrontLeftKick{170, 25, 1500};
constexpr Kick kFrontRightKick{170, -25, 1500};
constexpr Kick kBackRightKick{-170, 195, 1200};
constexpr Kick kBackLeftKick{-170, 165, 1200};
constexpr Kick kHeading{200, 0, 900};
constexpr double kKickRange = 200;
// The mouth's reach for the bone, and how near it the bone must lie.
constexpr double kMouthReach = 150;
constexpr double kMouthRange = 350;
constexpr double kHeadLength = 40; // neck to the camera, mm


constexpr double kPi = std::numbers::pi;

double radians(double degrees)
{
    return degrees * kPi / 180;
}

Vec2 direction(double degrees)
{
    return {std::cos(radians(degrees)), std::sin(radians(degrees))};
}

double normalizedAngle(double degrees)
{
    const double wrapped = std::fmod(degrees + 180, 360);
    return (wrapped < 0 ? wrapped + 360 : wrapped) - 180;
}

// Contents whose motion does something to the room, and how long the common
// ones last.
Millis contentDuration(int mwcid)
{
    // Any int can come off the wire: the product needs 64 bits.
    return Millis{2000 + (std::int64_t{mwcid} * 7919) % 4001};
}

} // namespace

RobotModel::RobotModel(RobotSettings settings, Millis start)
    : m_settings(settings)
    , m_now(start)
    , m_stanceFrom(stanceOf(Posture::Stand))
    , m_stanceElapsed(kPostureChange)
    , m_battery(std::clamp(settings.batteryPercent, 0.0, 100.0))
{
}

int RobotModel::perform(Operation operation, const std::vector<int> &arguments, Millis now)
{
    advance(now);
    if (const auto planned = m_faults.takeAnswer(operation))
        return *planned;
    const auto arg = [&arguments](std::size_t index) { return index < arguments.size() ? arguments[index] : 0; };
    switch (operation) {
    case Operation::ExternalControl:
        return externalControl(arg(0));
    case Operation::ImageInit:
    case Operation::ImageOpen:
        return 0;
    case Operation::RequestNetService:
        return requestNetService(arg(0));
    case Operation::ImageClose:
        m_cameraOn = false;
        return 0;
    case Operation::SendCmd:
        return sendCmd(arg(0));
    case Operation::GetBatteryLevel:
        return static_cast<int>(std::lround(m_battery));
    case Operation::SetPosture:
        return setPosture(arg(0));
    case Operation::MotionStop:
        return motionStop();
    case Operation::DoWalking:
        return doWalking(arg(0), arg(1), arg(2));
    case Operation::DoHeader:
        return doHeader();
    case Operation::PlayContents:
        return playContents(arg(0));
    case Operation::ChangeHeadAngle:
        return changeHeadAngle(arg(0), arg(1));
    }
    return -1;
}

void RobotModel::advance(Millis now)
{
    while (m_now < now) {
        const Millis dt = std::min(kStep, now - m_now);
        step(dt);
        m_now += dt;
    }
}

void RobotModel::controllerLost(Millis now)
{
    advance(now);
    stopMotion();
    m_headPanTarget = m_headPan;
    m_headTiltTarget = m_headTilt;
    m_cameraOn = false;
    m_remoteControl = false;
}

void RobotModel::setBatteryLevel(double percent)
{
    m_battery = std::clamp(percent, 0.0, 100.0);
    if (batteryEmpty())
        stopMotion();
}

std::optional<Misplacement> RobotModel::place(const Placement &placement)
{
    switch (placement.thing) {
    case Thing::Robot: {
        const Vec2 at = placement.at.value_or(Vec2{m_pose.x, m_pose.y});
        if (const auto refused = misplacement(at, room::kRobotRadius))
            return refused;
        stopMotion();
        m_pose = {at.x, at.y, normalizedAngle(placement.heading.value_or(m_pose.heading))};
        if (m_holdingBone)
            placeBoneInMouth();
        return std::nullopt;
    }
    case Thing::Ball: {
        const Vec2 at = placement.at.value_or(frontPoint(kBallDropReach));
        if (const auto refused = misplacement(at, room::kBallRadius))
            return refused;
        m_ball = {at, {}};
        return std::nullopt;
    }
    case Thing::Bone: {
        // Put before the feet, it lies as the robot itself puts it down.
        const Bone bone = placement.at ? Bone{*placement.at, room::kBoneKnobRadius, m_bone.angle} : boneBeforeFeet();
        if (const auto refused = misplacement(bone.position, kBoneRadius))
            return refused;
        m_holdingBone = false;
        m_bone = bone;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

void RobotModel::resetRoom()
{
    stopMotion();
    m_holdingBone = false;
    m_pose = kRobotStart;
    m_ball = kBallStart;
    m_bone = kBoneStart;
}

bool RobotModel::moving() const
{
    return m_walk || m_content || m_stanceElapsed < kPostureChange;
}

std::optional<int> RobotModel::playingContent() const
{
    if (!m_content || m_content->effect == Effect::Heading)
        return std::nullopt;
    return m_content->mwcid;
}

std::optional<RobotModel::Millis> RobotModel::contentTimeLeft() const
{
    if (!m_content)
        return std::nullopt;
    return m_content->duration - m_content->elapsed;
}

std::optional<WalkProgress> RobotModel::walkProgress() const
{
    if (!m_walk)
        return std::nullopt;
    // An endless walk starts from nothing left and counts below zero.
    WalkProgress progress{m_walk->gait, m_walk->total - m_walk->remaining, std::nullopt};
    if (!m_walk->endless())
        progress.total = m_walk->total;
    return progress;
}

std::optional<PostureChange> RobotModel::postureChange() const
{
    if (m_stanceElapsed >= kPostureChange)
        return std::nullopt;
    return PostureChange{m_postureFrom, m_posture,
                         static_cast<double>(m_stanceElapsed.count()) / static_cast<double>(kPostureChange.count())};
}

bool RobotModel::heading() const
{
    return m_content && m_content->effect == Effect::Heading;
}

Scene RobotModel::scene() const
{
    const Stance body = stance();
    const Vec2 neck = frontPoint(kNeck);
    const double yaw = m_pose.heading + m_headPan;
    const Vec2 look = direction(yaw);
    // A trotting body bobs a little; it shows in the picture that the robot walks.
    const double bob = m_walk ? 6 * std::sin(2 * kPi * static_cast<double>(m_gaitPhase.count()) / 400) : 0;
    Scene scene;
    scene.camera = {neck.x + kHeadLength * look.x, neck.y + kHeadLength * look.y,
                    body.height + bob + kHeadLength * std::sin(radians(m_headTilt)), normalizedAngle(yaw),
                    m_headTilt + body.pitch};
    scene.ball = m_ball;
    scene.bone = m_bone;
    return scene;
}

int RobotModel::externalControl(int mode)
{
    if (mode != 0 && mode != 1)
        return -1;
    m_remoteControl = mode == 1;
    return mode;
}

int RobotModel::requestNetService(int service)
{
    return service == vaibo::kNetServiceImage ? 1 : 0;
}

int RobotModel::sendCmd(int command)
{
    switch (command) {
    case vaibo::APPCMD_IMAGE_PLAY:
        m_cameraOn = true;
        return 0;
    case vaibo::APPCMD_IMAGE_STOP:
        m_cameraOn = false;
        return 0;
    case vaibo::APPCMD_IMAGE_SETPARAM:
        return 0;
    default:
        return -1;
    }
}

int RobotModel::setPosture(int posture)
{
    if (posture < static_cast<int>(Posture::Stand) || posture > static_cast<int>(Posture::LieDown) || batteryEmpty())
        return -1;
    stopMotion();
    const auto wanted = static_cast<Posture>(posture);
    if (wanted != m_posture) {
        m_postureFrom = m_posture;
        m_stanceFrom = stance();
        m_stanceElapsed = Millis{0};
        m_posture = wanted;
    }
    return 0;
}

int RobotModel::motionStop()
{
    stopMotion();
    return 0;
}

int RobotModel::doWalking(int code, int degrees, int distance)
{
    const bool straight = code == kWalkForward || code == kWalkBack;
    const bool turn = code == kWalkTurnLeft || code == kWalkTurnRight;
    if ((!straight && !turn) || degrees < 0 || distance < 0)
        return -1;
    // A walk starts from standing; a sitting or lying robot gets up first,
    // and a flat one cannot.
    if (setPosture(static_cast<int>(Posture::Stand)) < 0)
        return -1;
    const double amount = straight ? distance : degrees;
    m_walk = Walk{static_cast<Gait>(code), amount, amount};
    return 0;
}

int RobotModel::playContents(int mwcid)
{
    if (mwcid <= 0 || batteryEmpty())
        return -1;
    const auto effect = [mwcid] {
        switch (mwcid) {
        case vaibo::mwcid::kRightFrontKick:
            return Effect::KickFrontRight;
        case vaibo::mwcid::kLeftFrontKick:
            return Effect::KickFrontLeft;
        case vaibo::mwcid::kRightBackKick:
            return Effect::KickBackRight;
        case vaibo::mwcid::kLeftBackKick:
            return Effect::KickBackLeft;
        case vaibo::mwcid::kTakeBone:
            return Effect::TakeBone;
        case vaibo::mwcid::kPutBone:
            return Effect::PutBone;
        default:
            return Effect::None;
        }
    }();
    stopMotion();
    startContent(mwcid, effect);
    return 0;
}

int RobotModel::doHeader()
{
    if (batteryEmpty())
        return -1;
    stopMotion();
    startContent(0, Effect::Heading);
    return 0;
}

int RobotModel::changeHeadAngle(int pan, int tilt)
{
    if (batteryEmpty())
        return -1;
    m_headPanTarget = std::clamp(pan, -vaibo::kPanLimit, vaibo::kPanLimit);
    m_headTiltTarget = std::clamp(tilt, vaibo::kTiltDown, vaibo::kTiltUp);
    return 0;
}

void RobotModel::step(Millis dt)
{
    const double seconds = static_cast<double>(dt.count()) / 1000;
    const double drain = drainPerMinute();
    m_stanceElapsed = std::min(m_stanceElapsed + dt, kPostureChange);

    const double headStep = kHeadSpeed * seconds;
    m_headPan += std::clamp(m_headPanTarget - m_headPan, -headStep, headStep);
    m_headTilt += std::clamp(m_headTiltTarget - m_headTilt, -headStep, headStep);

    stepWalk(seconds);
    if (m_walk)
        m_gaitPhase += dt;
    stepContent(dt);
    rollBall(m_ball, seconds);
    // A walking body shoves the ball out of its way.
    shoveBall(m_ball, frontPoint(kChest), room::kRobotRadius);
    if (m_holdingBone)
        placeBoneInMouth();

    m_battery = std::max(0.0, m_battery - drain * seconds / 60);
    if (batteryEmpty())
        stopMotion();
}

void RobotModel::stepWalk(double seconds)
{
    if (!m_walk || m_stanceElapsed < kPostureChange)
        return;
    Walk &walk = *m_walk;
    const double speed = walk.gait == Gait::Forward ? kForwardSpeed
                         : walk.gait == Gait::Back  ? kBackSpeed
                                                    : kTurnSpeed;
    double amount = speed * seconds;
    if (!walk.endless())
        amount = std::min(amount, walk.remaining);
    if (straight()) {
        const double sign = walk.gait == Gait::Forward ? 1 : -1;
        const Vec2 along = direction(m_pose.heading);
        const double wantedX = m_pose.x + sign * amount * along.x;
        const double wantedY = m_pose.y + sign * amount * along.y;
        m_pose.x = std::clamp(wantedX, room::kRobotRadius, room::kWidth - room::kRobotRadius);
        m_pose.y = std::clamp(wantedY, room::kRobotRadius, room::kDepth - room::kRobotRadius);
        // Bumping into a wall ends the walk, as the robot's own sensors would.
        if (m_pose.x != wantedX || m_pose.y != wantedY) {
            m_walk.reset();
            return;
        }
    } else {
        const double sign = walk.gait == Gait::TurnLeft ? 1 : -1;
        m_pose.heading = normalizedAngle(m_pose.heading + sign * amount);
    }
    walk.remaining -= amount;
    if (!walk.endless() && walk.remaining <= 1e-9)
        m_walk.reset();
}

void RobotModel::stepContent(Millis dt)
{
    if (!m_content)
        return;
    Content &content = *m_content;
    content.elapsed += dt;
    // The leg or head meets the ball a little before the middle of the motion.
    if (!content.effectDone && content.elapsed * 5 >= content.duration * 2) {
        content.effectDone = true;
        applyEffect(content.effect);
    }
    if (content.elapsed >= content.duration)
        m_content.reset();
}

void RobotModel::applyEffect(Effect effect)
{
    const auto kick = [this](const Kick &how) {
        if (distance(frontPoint(how.reach), m_ball.position) > kKickRange)
            return;
        const Vec2 along = direction(m_pose.heading + how.angle);
        m_ball.velocity = {how.speed * along.x, how.speed * along.y};
    };
    switch (effect) {
    case Effect::None:
        return;
    case Effect::KickFrontLeft:
        return kick(kFrontLeftKick);
    case Effect::KickFrontRight:
        return kick(kFrontRightKick);
    case Effect::KickBackRight:
        return kick(kBackRightKick);
    case Effect::KickBackLeft:
        return kick(kBackLeftKick);
    case Effect::Heading:
        return kick(kHeading);
    case Effect::TakeBone:
        if (distance(frontPoint(kMouthReach), m_bone.position) <= kMouthRange)
            m_holdingBone = true;
        return;
    case Effect::PutBone:
        if (m_holdingBone) {
            m_holdingBone = false;
            m_bone = boneBeforeFeet();
        }
        return;
    }
}

void RobotModel::stopMotion()
{
    m_walk.reset();
    m_content.reset();
}

void RobotModel::startContent(int mwcid, Effect effect)
{
    const Millis duration = effect == Effect::None ? contentDuration(mwcid) : Millis{2500};
    m_content = Content{mwcid, effect, Millis{0}, duration, false};
}

Bone RobotModel::boneBeforeFeet() const
{
    return {frontPoint(kBoneDropReach), room::kBoneKnobRadius, m_pose.heading + 90};
}

void RobotModel::placeBoneInMouth()
{
    m_bone = {frontPoint(210), stance().height - 60, m_pose.heading + 90};
}

RobotModel::Stance RobotModel::stanceOf(Posture posture)
{
    switch (posture) {
    case Posture::Stand:
        return {230, 0};
    case Posture::Sit:
        return {270, 12};
    case Posture::LieDown:
        return {130, 4};
    }
    return {};
}

RobotModel::Stance RobotModel::stance() const
{
    const Stance target = stanceOf(m_posture);
    const double t = static_cast<double>(m_stanceElapsed.count()) / static_cast<double>(kPostureChange.count());
    return {m_stanceFrom.height + (target.height - m_stanceFrom.height) * t,
            m_stanceFrom.pitch + (target.pitch - m_stanceFrom.pitch) * t};
}

Vec2 RobotModel::frontPoint(double reach) const
{
    const Vec2 along = direction(m_pose.heading);
    return {m_pose.x + reach * along.x, m_pose.y + reach * along.y};
}

} // namespace vr
