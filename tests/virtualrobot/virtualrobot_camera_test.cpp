#include "vaiboclient/jpegdecoder.h"
#include "virtualrobot/camera/camera.h"
#include "virtualrobot/model/robotmodel.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>

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

struct Move
{
    Operation operation;
    std::vector<int> arguments;
    std::chrono::milliseconds settle;
    /// The least share of pixels the move must change.
    double share;
};

class VirtualRobotCamera : public ::testing::Test
{
protected:
    Picture shoot()
    {
        std::vector<std::uint8_t> jpeg;
        EXPECT_TRUE(m_camera.capture(m_robot.scene(), jpeg));
        return m_camera.picture();
    }
    void send(const Move &move)
    {
        m_robot.perform(move.operation, move.arguments, m_now);
        m_now += move.settle;
        m_robot.advance(m_now);
    }

    vr::Camera m_camera;
    vr::RobotModel m_robot;
    std::chrono::milliseconds m_now{0};
};

} // namespace

TEST_F(VirtualRobotCamera, EncodesTheSameSceneAsTheSame208By160Jpeg)
{
    const Picture first = shoot();
    EXPECT_EQ(shoot(), first);
    std::vector<std::uint8_t> jpeg;
    ASSERT_TRUE(m_camera.capture(m_robot.scene(), jpeg));
    const QImage decoded = vaibo::JpegDecoder().decode(jpeg.data(), jpeg.size(), vr::kFrameWidth);
    ASSERT_EQ(decoded.size(), QSize(vr::kFrameWidth, vr::kFrameHeight));
    long error = 0;
    for (int y = 0; y < decoded.height(); ++y) {
        for (int x = 0; x < decoded.width(); ++x) {
            const QRgb pixel = decoded.pixel(x, y);
            const auto *rgb = &first[static_cast<std::size_t>((y * decoded.width() + x) * 3)];
            error += std::abs(qRed(pixel) - rgb[0]) + std::abs(qGreen(pixel) - rgb[1]) + std::abs(qBlue(pixel) - rgb[2]);
        }
    }
    EXPECT_LT(static_cast<double>(error) / static_cast<double>(first.size()), 8.0);
}

struct Moves
{
    const char *name;
    std::vector<Move> moves;
};

class VirtualRobotCameraMoves : public VirtualRobotCamera, public ::testing::WithParamInterface<Moves>
{
};

TEST_P(VirtualRobotCameraMoves, ChangeThePicture)
{
    Picture before = shoot();
    for (const Move &move : GetParam().moves) {
        send(move);
        const Picture after = shoot();
        EXPECT_GT(differingShare(before, after), move.share) << protocol::operationName(move.operation);
        before = after;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Robot, VirtualRobotCameraMoves,
    ::testing::Values(Moves{"Pan",
                            {{Operation::ChangeHeadAngle, {40, 0, 3, 0}, 1s, 0.2},
                             {Operation::ChangeHeadAngle, {-40, 0, 3, 0}, 1s, 0.2}}},
                      Moves{"Tilt",
                            {{Operation::ChangeHeadAngle, {0, -45, 3, 0}, 1s, 0.2},
                             {Operation::ChangeHeadAngle, {0, 15, 3, 0}, 1s, 0.2}}},
                      Moves{"TurnAndWalk",
                            {{Operation::DoWalking, {7, 45, 0, 0}, 2s, 0.2},
                             {Operation::DoWalking, {0, 0, 1000, 0}, 4s, 0.05}}},
                      Moves{"Posture",
                            {{Operation::SetPosture, {2, 0}, 2s, 0.05}, {Operation::SetPosture, {1, 0}, 2s, 0.05}}}),
    [](const ::testing::TestParamInfo<Moves> &param) { return std::string(param.param.name); });
