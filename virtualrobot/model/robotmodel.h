#pragma once

#include "framework/robot.h"
#include "framework/vaibocodes.h"
#include "virtualrobot/model/faultplan.h"
#include "virtualrobot/model/operationlookup.h"
#include "virtualrobot/model/world.h"

#include <chrono>
#include <optional>
#include <vector>

namespace vr {

/// Postures in the client library's codes.
enum class Posture { Stand = vaibo::kPostureStand, Sit = vaibo::kPostureSit, LieDown = vaibo::kPostureLieDown };

/// The walking codes of DoWalking.
enum class Gait {
    Forward = vaibo::kWalkForward,
    Back = vaibo::kWalkBack,
    TurnLeft = vaibo::kWalkTurnLeft,
    TurnRight = vaibo::kWalkTurnRight
};

/// A walk or turn under way: how far it has got and how far it goes, in
/// millimetres or degrees; an endless one (asked for with 0) has no total.
struct WalkProgress
{
    Gait gait = Gait::Forward;
    double done = 0;
    std::optional<double> total;
};

/// A change of posture under way, and the share of it done (0 to 1).
struct PostureChange
{
    Posture from = Posture::Stand;
    Posture to = Posture::Stand;
    double done = 0;
};

/// Starting charge and how fast it drains, in percent.
struct RobotSettings
{
    double batteryPercent = 90;
    double idleDrainPerMinute = 0.5;
    double movingDrainPerMinute = 2.0;
};

/// A healthy robot dog in a small room, as seen by its one controller: it
/// answers every operation, walks, turns, takes postures, points its head,
/// plays contents and drains its battery. Time never passes by itself: every
/// call says what time it is, so tests run the robot at any speed.
class RobotModel
{
public:
    using Millis = std::chrono::milliseconds;

    /// A robot standing in the middle of the room, facing east, at time start.
    explicit RobotModel(RobotSettings settings = {}, Millis start = Millis{0});

    /// Carries out an operation at time now and returns its result; missing
    /// arguments count as 0. A result planned in faults() stands in for the
    /// operation, which then has no effect.
    int perform(Operation operation, const std::vector<int> &arguments, Millis now);
    /// Lets time pass up to now. Earlier times are ignored.
    void advance(Millis now);
    /// The controller's link went down: motion stops, the camera stops and
    /// remote control ends.
    void controllerLost(Millis now);
    /// Sets the charge, clamped to 0..100.
    void setBatteryLevel(double percent);
    /// Puts a thing down by hand, as a person in the room would: the robot
    /// stops what it does, a bone taken from its mouth is held no more.
    /// A thing that would not fit there is refused and nothing changes.
    std::optional<Misplacement> place(const Placement &placement);
    /// Puts the robot, the ball and the bone back where a fresh room has
    /// them; the robot stops and lets go of the bone.
    void resetRoom();

    /// The failures the robot is told to rehearse.
    FaultPlan &faults() { return m_faults; }

    /// Whether a controller was granted remote control.
    bool remoteControl() const { return m_remoteControl; }
    /// Whether pictures were asked for and not stopped since.
    bool cameraOn() const { return m_cameraOn; }
    /// Whether a walk, a content or a change of posture is under way.
    bool moving() const;
    /// Whether a walk or a turn is under way.
    bool walking() const { return m_walk.has_value(); }
    /// The posture last asked for.
    Posture posture() const { return m_posture; }
    /// Where the body is.
    Pose pose() const { return m_pose; }
    /// Head angles in degrees: pan positive to the left, tilt positive upwards.
    double headPan() const { return m_headPan; }
    double headTilt() const { return m_headTilt; }
    /// Charge in percent, with its fraction.
    double battery() const { return m_battery; }
    /// MWCID of the content being played, if any.
    std::optional<int> playingContent() const;
    /// How long the content being played (heading included) still lasts.
    std::optional<Millis> contentTimeLeft() const;
    /// The walk or turn under way, if any.
    std::optional<WalkProgress> walkProgress() const;
    /// The change of posture under way, if any.
    std::optional<PostureChange> postureChange() const;
    /// The drain of the moment, in percent per minute.
    double drainPerMinute() const { return moving() ? m_settings.movingDrainPerMinute : m_settings.idleDrainPerMinute; }
    /// Whether the ball heading motion is being played.
    bool heading() const;
    /// Whether the bone is held in the mouth.
    bool holdingBone() const { return m_holdingBone; }
    /// What the camera sees from, and the things that move.
    Scene scene() const;

private:
    enum class Effect { None, KickFrontLeft, KickFrontRight, KickBackRight, KickBackLeft, Heading, TakeBone, PutBone };
    struct Walk
    {
        Gait gait = Gait::Forward;
        double remaining = 0;
        double total = 0;
        /// Asked for with 0: it goes on until stopped.
        bool endless() const { return total == 0; }
    };
    struct Content
    {
        int mwcid = 0;
        Effect effect = Effect::None;
        Millis elapsed{0};
        Millis duration{0};
        bool effectDone = false;
    };
    /// Camera height and body pitch of a posture, or between two.
    struct Stance
    {
        double height = 0;
        double pitch = 0;
    };
    static Stance stanceOf(Posture posture);

    int externalControl(int mode);
    int requestNetService(int service);
    int sendCmd(int command);
    int setPosture(int posture);
    int motionStop();
    int doWalking(int code, int degrees, int distance);
    bool straight() const { return m_walk && (m_walk->gait == Gait::Forward || m_walk->gait == Gait::Back); }
    int playContents(int mwcid);
    int doHeader();
    int changeHeadAngle(int pan, int tilt);
    bool batteryEmpty() const { return m_battery <= 0; }

    void step(Millis dt);
    void stepWalk(double seconds);
    void stepContent(Millis dt);
    void applyEffect(Effect effect);
    void stopMotion();
    void startContent(int mwcid, Effect effect);
    /// The bone put down: on the floor before the feet, across the path.
    Bone boneBeforeFeet() const;
    void placeBoneInMouth();
    Stance stance() const;
    Vec2 frontPoint(double reach) const;

    RobotSettings m_settings;
    FaultPlan m_faults;
    Millis m_now{0};
    bool m_remoteControl = false;
    bool m_cameraOn = false;
    Posture m_posture = Posture::Stand;
    Posture m_postureFrom = Posture::Stand;
    Stance m_stanceFrom;
    Millis m_stanceElapsed{0};
    Pose m_pose = kRobotStart;
    double m_headPan = 0;
    double m_headTilt = 0;
    double m_headPanTarget = 0;
    double m_headTiltTarget = 0;
    double m_battery = 0;
    std::optional<Walk> m_walk;
    Millis m_gaitPhase{0};
    std::optional<Content> m_content;
    Ball m_ball = kBallStart;
    Bone m_bone = kBoneStart;
    bool m_holdingBone = false;
};

} // namespace vr
