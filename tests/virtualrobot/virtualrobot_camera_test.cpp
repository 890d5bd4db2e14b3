#include "virtualrobot/camera/camera.h"
#include "virtualrobot/model/robotmodel.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <array>
#include <cstdlib>

using namespace std::chrono_literals;
using vr::Operation;

namespace {

using Picture = std::array<std::uint8_t, vr::kFrameBytes>;

// Share of pixels that visibly differ between two pictures.
double differingShare(const Picture &a, const Picture &b)
{
    int differing = 0;
    for (std::size_t i = 0; i < a.size(); i += 3) {
        const int change = std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]);
        differing += change > 30;
    }
    return static_cast<double>(differing) / (vr::kFrameWidth * vr::kFrameHeight);
}

class VirtualRobotCamera : public ::testing::Test
{
protected:
    Picture shoot()
    {
        std::vector<std::uint8_t> jpeg;
        EXPECT_TRUE(m_camera.capture(m_robot.scene(), jpeg));
        return m_camera.picture();
    }
    void send(Operation operation, std::vector<int> arguments, std::chrono::milliseconds settle)
    {
        m_robot.perform(operation, arguments, m_now);
        m_now += settle;
        m_robot.advance(m_now);
    }
    // Sends an operation, lets it settle and expects at least the share of
    // pixels to change from before; returns the new picture.
    Picture sendAndCompare(const Picture &before, Operation operation, std::vector<int> arguments,
                           std::chrono::milliseconds settle, double share)
    {
        send(operation, std::move(arguments), settle);
        const Picture after = shoot();
        EXPECT_GT(differingShare(before, after), share) << vr::operationName(operation);
        return after;
    }

    vr::Camera m_camera;
    vr::RobotModel m_robot;
    std::chrono::milliseconds m_now{0};
};

// Pixels whose colour is clearly of a hue: red well above blue, and green
// in a band, separating the orange ball from the pink bone.
int countPixels(const Picture &picture, bool pink)
{
    int count = 0;
    for (std::size_t i = 0; i < picture.size(); i += 3) {
        const int r = picture[i];
        const int g = picture[i + 1];
        const int b = picture[i + 2];
        const bool orange = r > 120 && r > b + 100 && g > b + 30;
        const bool rose = r > 120 && b > g + 20 && r > g + 50;
        count += pink ? rose : orange;
    }
    return count;
}

} // namespace

TEST_F(VirtualRobotCamera, SameSceneSamePicture)
{
    const Picture first = shoot();
    EXPECT_EQ(shoot(), first);
}

TEST_F(VirtualRobotCamera, EncodesAJpegThatDecodesTo208By160AndLooksTheSame)
{
    std::vector<std::uint8_t> jpeg;
    ASSERT_TRUE(m_camera.capture(m_robot.scene(), jpeg));
    ASSERT_GT(jpeg.size(), 2u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);

    tjhandle decoder = tjInitDecompress();
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    ASSERT_EQ(tjDecompressHeader3(decoder, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colourspace), 0);
    EXPECT_EQ(width, vr::kFrameWidth);
    EXPECT_EQ(height, vr::kFrameHeight);
    Picture decoded{};
    ASSERT_EQ(tjDecompress2(decoder, jpeg.data(), jpeg.size(), decoded.data(), width, 0, height, TJPF_RGB, 0), 0);
    tjDestroy(decoder);

    long error = 0;
    for (std::size_t i = 0; i < decoded.size(); ++i)
        error += std::abs(decoded[i] - m_camera.picture()[i]);
    EXPECT_LT(static_cast<double>(error) / static_cast<double>(decoded.size()), 8.0);
}

TEST_F(VirtualRobotCamera, TheBallAndTheBoneAreInViewAtTheStart)
{
    const Picture start = shoot();
    EXPECT_GT(countPixels(start, false), 20);
    EXPECT_GT(countPixels(start, true), 20);
    send(Operation::DoWalking, {4, 180, 0, 0}, 6s);
    const Picture behind = shoot();
    EXPECT_EQ(countPixels(behind, false), 0);
    EXPECT_EQ(countPixels(behind, true), 0);
}

TEST_F(VirtualRobotCamera, PictureFollowsThePan)
{
    const Picture left = sendAndCompare(shoot(), Operation::ChangeHeadAngle, {40, 0, 3, 0}, 1s, 0.2);
    sendAndCompare(left, Operation::ChangeHeadAngle, {-40, 0, 3, 0}, 1s, 0.2);
}

TEST_F(VirtualRobotCamera, PictureFollowsTheTilt)
{
    const Picture down = sendAndCompare(shoot(), Operation::ChangeHeadAngle, {0, -45, 3, 0}, 1s, 0.2);
    sendAndCompare(down, Operation::ChangeHeadAngle, {0, 15, 3, 0}, 1s, 0.2);
}

TEST_F(VirtualRobotCamera, PictureFollowsTurnsAndWalks)
{
    const Picture turned = sendAndCompare(shoot(), Operation::DoWalking, {7, 45, 0, 0}, 2s, 0.2);
    sendAndCompare(turned, Operation::DoWalking, {0, 0, 1000, 0}, 4s, 0.05);
}

TEST_F(VirtualRobotCamera, PictureFollowsThePosture)
{
    const Picture lying = sendAndCompare(shoot(), Operation::SetPosture, {2, 0}, 2s, 0.05);
    sendAndCompare(lying, Operation::SetPosture, {1, 0}, 2s, 0.05);
}

TEST_F(VirtualRobotCamera, TheChargingStationShowsOnTheNorthWall)
{
    // The dark grey base plate is the only bluish dark grey in the room.
    const auto stationPixels = [](const Picture &picture) {
        int count = 0;
        for (std::size_t i = 0; i < picture.size(); i += 3) {
            const int r = picture[i];
            const int b = picture[i + 2];
            count += r < 90 && b < 110 && b > r;
        }
        return count;
    };
    EXPECT_EQ(stationPixels(shoot()), 0);
    send(Operation::DoWalking, {4, 90, 0, 0}, 3s);
    send(Operation::ChangeHeadAngle, {30, -10, 3, 0}, 1s);
    EXPECT_GT(stationPixels(shoot()), 50);
}
