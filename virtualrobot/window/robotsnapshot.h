#pragma once

#include "virtualrobot/model/robotmodel.h"
#include "virtualrobot/server/robotserver.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <vector>

// What the robot's window shows, worked out from the robot without any
// display, so that it is tested on its own.
namespace vr {

/// What a content does, read off its catalogue entry.
struct ContentKinds
{
    bool motion = false;
    bool sound = false;
    bool light = false;
};

/// The kinds of a catalogue entry ("MWCID: description(posture)"): sound
/// when the description names a sound (音, サウンド, SOUND, 鳴), light when
/// it names a light (LED, 光, 点灯, 点滅), and motion when its posture tag
/// is a posture rather than "any", or when it names neither sound nor light.
ContentKinds contentKinds(const char *entry);

/// The first catalogue entry of an MWCID, as the panel's list shows it;
/// nullptr when the catalogue has none.
const char *catalogueEntry(int mwcid);

/// The path walked: the body's place every tenth of a second, for the last
/// minute.
class Trail
{
public:
    using Millis = std::chrono::milliseconds;

    /// Notes where the body is at time now; a point within a tenth of a
    /// second of the last is not kept.
    void add(Vec2 point, Millis now);
    const std::deque<Vec2> &points() const { return m_points; }

private:
    std::deque<Vec2> m_points;
    std::deque<Millis> m_times;
};

/// The robot as the window shows it, its facts already in words.
struct RobotSnapshot
{
    Pose pose;
    double headPan = 0;
    double headTilt = 0;
    Ball ball;
    Bone bone;
    bool holdingBone = false;
    std::vector<Vec2> trail;

    QString posture;
    QString motion;
    QString head;
    /// The catalogue entry playing (or the heading), its time left and kinds.
    QString content;
    QString contentLeft;
    ContentKinds kinds;

    double battery = 0;
    QString batteryText;
    QString drain;

    QString controller;
    QString remoteControl;
    QString camera;
    /// "name(arguments) → result", newest first.
    QStringList operations;
};

/// The snapshot of a robot, its link and its path.
RobotSnapshot snapshotOf(const RobotModel &model, const LinkView &link, const Trail &trail);

} // namespace vr
