#include "bench/support/shortrun.h"
#include "virtualrobot/camera/camera.h"
#include "virtualrobot/camera/jpegencoder.h"
#include "virtualrobot/camera/scenerenderer.h"
#include "virtualrobot/model/robotmodel.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

// Cost of one camera frame: render alone, encode alone and both, with a
// memcpy of the RGB picture measured in the same run as a physical yardstick.
// The goal is render plus encode at or under 300 us per frame.
namespace {

using Clock = std::chrono::steady_clock;

int frames()
{
    return bench::runLength(3000, 30);
}

int rounds()
{
    return bench::runLength(5, 1);
}

// Views along a walk and a head sweep, so that the things come and go.
std::vector<vr::Scene> views()
{
    vr::RobotModel robot;
    std::chrono::milliseconds now{0};
    std::vector<vr::Scene> scenes;
    robot.perform(vr::Operation::DoWalking, {4, 0, 0, 0}, now);
    for (int i = 0; i < 300; ++i) {
        const int pan = (i * 7) % 181 - 90;
        const int tilt = (i * 3) % 61 - 45;
        robot.perform(vr::Operation::ChangeHeadAngle, {pan, tilt, 3, 0}, now);
        now += std::chrono::milliseconds{33};
        robot.advance(now);
        scenes.push_back(robot.scene());
    }
    return scenes;
}

template <typename Work>
double bestMicrosecondsPerFrame(Work work)
{
    double best = 1e30;
    for (int round = 0; round < rounds(); ++round) {
        const auto start = Clock::now();
        for (int frame = 0; frame < frames(); ++frame)
            work(frame);
        const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
        best = std::min(best, spent.count() / frames());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    bench::readShortRun(argc, argv);
    const auto scenes = views();
    const auto sceneAt = [&scenes](int frame) -> const vr::Scene & { return scenes[frame % scenes.size()]; };

    vr::SceneRenderer renderer;
    vr::JpegEncoder encoder;
    vr::Camera camera;
    std::array<std::uint8_t, vr::kFrameBytes> rgb{};
    std::array<std::uint8_t, vr::kFrameBytes> copy{};
    std::vector<std::uint8_t> jpeg;
    std::size_t bytes = 0;

    const double render = bestMicrosecondsPerFrame([&](int frame) { renderer.render(sceneAt(frame), rgb.data()); });
    const double encode = bestMicrosecondsPerFrame([&](int) {
        encoder.encode(rgb.data(), vr::kFrameWidth, vr::kFrameHeight, jpeg);
        bytes += jpeg.size();
    });
    const double both = bestMicrosecondsPerFrame([&](int frame) { camera.capture(sceneAt(frame), jpeg); });
    const double memcpyTime = bestMicrosecondsPerFrame([&](int frame) {
        rgb[0] = static_cast<std::uint8_t>(frame);
        std::memcpy(copy.data(), rgb.data(), rgb.size());
        asm volatile("" : : "r"(copy.data()) : "memory");
    });

    std::printf("camera frame %dx%d, best of %d rounds of %d frames\n", vr::kFrameWidth, vr::kFrameHeight, rounds(),
                frames());
    std::printf("render + encode: %8.1f us/frame (goal <= 300 us)\n", both);
    std::printf("render alone:    %8.1f us/frame\n", render);
    std::printf("encode alone:    %8.1f us/frame, %zu bytes average\n", encode,
                bytes / static_cast<std::size_t>(frames() * rounds()));
    std::printf("memcpy of %d bytes: %6.2f us/frame\n", vr::kFrameBytes, memcpyTime);
    return both <= 300 || bench::g_shortRun ? 0 : 1;
}
