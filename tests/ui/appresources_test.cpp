#include "res/icon.h"
#include "res/strings.h"
#include "res/version.h"
#include "tests/support/cp932.h"
#include "tests/support/panelfixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

namespace {

// The desktop entry as the build made it: key -> value of [Desktop Entry].
std::map<std::string, std::string> desktopEntry()
{
    QFile file(QStringLiteral(KORVAN_DESKTOP_ENTRY));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << KORVAN_DESKTOP_ENTRY;
    std::map<std::string, std::string> keys;
    bool inEntry = false;
    while (!file.atEnd()) {
        const std::string line = file.readLine().trimmed().toStdString();
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        EXPECT_NE(equals, std::string::npos) << line;
        if (inEntry && equals != std::string::npos)
            keys.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return keys;
}

TEST(VersionRecord, HoldsTheProductsFactsAndNamesTheRunningApplication)
{
    EXPECT_STREQ(res::kProductName, "Korvan");
    EXPECT_EQ(cp932::fromUtf8(res::kProductVersion), cp932::fromUtf8("0.91β"));
    EXPECT_EQ(res::kFileVersion, (std::array<int, 4>{1, 0, 0, 1}));
    EXPECT_EQ(cp932::fromUtf8(res::kComment), cp932::fromUtf8("アイボ(ERS-7)操縦アプリ"));
    EXPECT_NO_THROW(cp932::fromUtf8(res::kCompanyName));
    EXPECT_NO_THROW(cp932::fromUtf8(res::kLegalCopyright));

    res::describeApplication();
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), "Korvan");
    EXPECT_EQ(QCoreApplication::applicationVersion().toStdString(), "0.91β");
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), "korvan");
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
}

TEST(DesktopEntry, LaunchesTheProgramWithItsIconAndCarriesTheVersion)
{
    std::map<std::string, std::string> entry = desktopEntry();
    EXPECT_TRUE(entry["Categories"].ends_with(";")) << entry["Categories"];
    // Version is that of the entry's format.
    for (const auto &[key, value] : std::map<std::string, std::string>{
             {"Type", "Application"}, {"Version", "1.4"}, {"Name", "Korvan"}, {"Comment", "アイボ(ERS-7)操縦アプリ"},
             {"Icon", "korvan"}, {"X-Korvan-Version", "0.91β"},
             {"X-Korvan-FileVersion", "1.0.0.1"}})
        EXPECT_EQ(entry[key], value) << key;
}

class ApplicationIcon : public PanelTest
{
};

// Drawn at every size with a transparent corner, installed as drawn, and
// shown by the main window.
TEST_F(ApplicationIcon, IsTheSamePictureEverywhereAtEverySize)
{
    openPanel();
    const QList<QSize> offered = res::applicationIcon().availableSizes();
    for (const int size : res::kApplicationIconSizes) {
        SCOPED_TRACE("size " + std::to_string(size));
        const QImage image = res::applicationIconImage(size).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "rounded corner";
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size - size / 8)), 255);
        EXPECT_TRUE(offered.contains(QSize(size, size)));

        const QString file = QStringLiteral(KORVAN_ICON_DIR "/hicolor/%1x%1/apps/korvan.png").arg(size);
        const QImage installed(file);
        ASSERT_FALSE(installed.isNull()) << file.toStdString();
        EXPECT_EQ(installed.convertToFormat(QImage::Format_ARGB32), image);
        EXPECT_EQ(panel->windowIcon().pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32), image);
    }
}

} // namespace
