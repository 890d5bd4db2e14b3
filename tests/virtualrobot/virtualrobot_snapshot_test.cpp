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
