#include "commands/catalogue.h"
#include "virtualrobot/window/robotsnapshot.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::chrono_literals;
using vr::Operation;
using vr::RobotModel;

namespace {

// The robot's window as words and places, driven on a clock of its own.
class VirtualRobotSnapshot : public ::testing::Test
{
protected:
    void call(Operation operation, std::vector<int> arguments = {}) { m_robot.perform(operation, arguments, m_now); }
    vr::RobotSnapshot after(RobotModel::Millis span)
    {
        m_now += span;
        m_robot.advance(m_now);
        m_trail.add({m_robot.pose().x, m_robot.pose().y}, m_now);
        return vr::snapshotOf(m_robot, m_link, m_trail);
    }

    RobotModel m_robot;
    RobotModel::Millis m_now{0};
    vr::LinkView m_link;
    vr::Trail m_trail;
};

} // namespace

TEST_F(VirtualRobotSnapshot, PosturesAndTheirChangesInWords)
{
    EXPECT_EQ(after(0ms).posture, QStringLiteral("立つ"));
    call(Operation::SetPosture, {1, 0});
    EXPECT_EQ(after(600ms).posture, QStringLiteral("立つ → 座る (50%)"));
    EXPECT_EQ(after(1s).posture, QStringLiteral("座る"));
    call(Operation::SetPosture, {2, 0});
    EXPECT_EQ(after(300ms).posture, QStringLiteral("座る → 伏せる (25%)"));
}

TEST_F(VirtualRobotSnapshot, WalksAndTurnsShowHowFarTheyHaveGot)
{
    call(Operation::DoWalking, {0, 0, 1000, 0});
    EXPECT_EQ(after(2s).motion, QStringLiteral("前進 300 / 1000 mm"));
    const vr::RobotSnapshot moving = after(1s);
    EXPECT_EQ(moving.motion, QStringLiteral("前進 450 / 1000 mm"));
    EXPECT_TRUE(moving.drain.startsWith(QStringLiteral("動作中の減り方")));
    call(Operation::DoWalking, {7, 90, 0, 0});
    EXPECT_EQ(after(1s).motion, QStringLiteral("右旋回 45 / 90°"));
    EXPECT_EQ(after(2s).motion, QStringLiteral("なし"));
    EXPECT_TRUE(after(2s).drain.startsWith(QStringLiteral("待機中の減り方")));
    call(Operation::DoWalking, {1, 0, 0, 0});
    EXPECT_EQ(after(2s).motion, QStringLiteral("後退 200 mm (止めるまで)"));

    // The path: a point a tenth of a second at most, for the last minute.
    const vr::RobotSnapshot walked = after(0ms);
    ASSERT_GE(walked.trail.size(), 2u);
    EXPECT_DOUBLE_EQ(walked.trail.back().x, walked.pose.x);
    EXPECT_LT(walked.trail.front().x, walked.trail.back().x + 1) << "the walk back is on the path";
    for (int i = 0; i < 700; ++i)
        after(100ms);
    EXPECT_EQ(after(50ms).trail.size(), 601u);
}

TEST_F(VirtualRobotSnapshot, TheContentPlayingIsItsCatalogueEntryWithTimeLeftAndKinds)
{
    EXPECT_EQ(after(0ms).content, QStringLiteral("なし"));
    call(Operation::PlayContents, {2126, 0});
    const vr::RobotSnapshot playing = after(500ms);
    EXPECT_EQ(playing.content, QStringLiteral("2126: かがみ姿勢(standb)"));
    EXPECT_TRUE(playing.contentLeft.startsWith(QStringLiteral("あと "))) << qPrintable(playing.contentLeft);
    EXPECT_TRUE(playing.kinds.motion);
    call(Operation::PlayContents, {2553, 0});
    const vr::RobotSnapshot fanfare = after(100ms);
    EXPECT_EQ(fanfare.content, QStringLiteral("2553: ファンファーレ1 音･LEDのみ(any)"));
    EXPECT_EQ(std::tuple(fanfare.kinds.motion, fanfare.kinds.sound, fanfare.kinds.light),
              std::tuple(false, true, true));
    call(Operation::DoHeader, {0, 0});
    EXPECT_EQ(after(100ms).content, QStringLiteral("ヘディング"));
}

// Sound and light come from the words of the description, motion from a
// posture tag or from a description that names neither.
TEST(VirtualRobotContentKinds, EveryCatalogueEntryHasAKindByTheRule)
{
    int motions = 0;
    int sounds = 0;
    int lights = 0;
    int entries = 0;
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry, ++entries) {
        const vr::ContentKinds kinds = vr::contentKinds(*entry);
        const QString text = QString::fromUtf8(*entry);
        EXPECT_TRUE(kinds.motion || kinds.sound || kinds.light) << *entry;
        if (!text.endsWith(QLatin1String("(any)"))) {
            EXPECT_TRUE(kinds.motion) << *entry;
        }
        if (text.contains(QStringLiteral("のみ(any)"))) {
            EXPECT_FALSE(kinds.motion) << *entry;
        }
        motions += kinds.motion;
        sounds += kinds.sound;
        lights += kinds.light;
    }
    EXPECT_EQ(entries, 1087);
    EXPECT_GT(motions, 0);
    EXPECT_GT(sounds, 0);
    EXPECT_GT(lights, 0);
    EXPECT_EQ(std::tuple(vr::contentKinds("2255: 光(any)").light, vr::contentKinds("2255: 光(any)").motion),
              std::tuple(true, false));
    EXPECT_TRUE(vr::contentKinds("2709: 尻尾よこふり(any)").motion);
    // The tag is the last parentheses: "(顔)" is part of the description.
    const vr::ContentKinds face = vr::contentKinds("2346: 音＋LED(顔) 短く(any)");
    EXPECT_EQ(std::tuple(face.motion, face.sound, face.light), std::tuple(false, true, true));
}

TEST_F(VirtualRobotSnapshot, TheBoneInTheMouthAndTheKickedBallAreWhereTheRobotLeftThem)
{
    call(Operation::DoWalking, {0, 0, 700, 0});
    after(6s);
    call(Operation::PlayContents, {2894, 1});
    const vr::RobotSnapshot holding = after(3s);
    ASSERT_TRUE(holding.holdingBone);
    EXPECT_LT(std::hypot(holding.bone.position.x - holding.pose.x, holding.bone.position.y - holding.pose.y), 250);
    call(Operation::PlayContents, {3129, 0});
    EXPECT_FALSE(after(3s).holdingBone);

    // Up to the ball, and a kick.
    const vr::RobotSnapshot here = after(0ms);
    const double bearing =
        std::atan2(here.ball.position.y - here.pose.y, here.ball.position.x - here.pose.x) * 180 / 3.141592653589793;
    const double turn = std::remainder(bearing - here.pose.heading, 360);
    call(Operation::DoWalking, {turn > 0 ? 4 : 7, static_cast<int>(std::lround(std::fabs(turn))), 0, 0});
    after(5s);
    const double distance = std::hypot(here.ball.position.x - here.pose.x, here.ball.position.y - here.pose.y);
    call(Operation::DoWalking, {0, 0, static_cast<int>(distance) - 250, 0});
    EXPECT_EQ(after(10s).ball.velocity.x, 0);
    call(Operation::PlayContents, {3142, 0});
    const vr::Ball kicked = after(1200ms).ball;
    EXPECT_GT(std::hypot(kicked.velocity.x, kicked.velocity.y), 500) << "rolling";
}

TEST_F(VirtualRobotSnapshot, TheLinkAndTheOperationLogNewestFirst)
{
    m_link.controller = QStringLiteral("127.0.0.1:4000");
    m_link.framesPerSecond = 30;
    m_link.operations = {{QStringLiteral("MotionStop"), {}, 0}, {QStringLiteral("SetPosture"), {1, 0}, -1}};
    call(Operation::ExternalControl, {1});
    call(Operation::SendCmd, {33, 1, 0, 0, 0, 0});
    const vr::RobotSnapshot snapshot = after(0ms);
    EXPECT_EQ(snapshot.controller, QStringLiteral("127.0.0.1:4000"));
    EXPECT_EQ(snapshot.remoteControl, QStringLiteral("許可済み"));
    EXPECT_EQ(snapshot.camera, QStringLiteral("オン 30 fps"));
    EXPECT_EQ(snapshot.operations,
              (QStringList{QStringLiteral("MotionStop() → 0"), QStringLiteral("SetPosture(1, 0) → -1")}));
    m_link.picturesPaused = true;
    EXPECT_EQ(after(0ms).camera, QStringLiteral("一時停止"));
}
