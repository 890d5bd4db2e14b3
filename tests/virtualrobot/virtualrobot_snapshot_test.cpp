#include "commands/catalogue.h"
#include "virtualrobot/window/robotsnapshot.h"

#include <gtest/gtest.h>

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
