#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"

#include <cstdlib>
#include <utility>

using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;

namespace {

const std::string kRemoteGranted = "リモート移行完了";
const Calls kThroughNetService{"GetStateImageTP()", "ImageInit()", "ImageOpen()", "RequestNetService(2)"};

Calls operator+(Calls first, const Calls &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The image buffer's allocator is a plain function: its record is file-wide.
std::vector<std::size_t> g_requests;
bool g_fail = false;

void *recordingAllocator(std::size_t size)
{
    g_requests.push_back(size);
    return g_fail ? nullptr : std::malloc(size);
}

struct StartCase
{
    const char *name;
    std::vector<std::pair<std::string, std::vector<int>>> scripts;
    Calls calls;
    Texts texts; // the status texts after remote control was granted
};

void PrintTo(const StartCase &startCase, std::ostream *out)
{
    *out << startCase.name;
}

class ImageStart : public PanelTest, public ::testing::WithParamInterface<StartCase>
{
};

// Connects with remote control granted and compares the image start
// sequence alone: what follows the pause and ExternalControl.
TEST_P(ImageStart, MakesExactlyTheseCalls)
{
    const StartCase &start = GetParam();
    openPanel();
    for (const auto &[operation, results] : start.scripts) {
        for (const int result : results)
            robot->script(operation, {result});
    }
    post(robotlink::kConnectMessageId);
    ASSERT_GE(robot->calls.size(), 2u);
    EXPECT_EQ(Calls(robot->calls.begin(), robot->calls.begin() + 2), (Calls{"Sleep(500)", "ExternalControl(1)"}));
    EXPECT_EQ(Calls(robot->calls.begin() + 2, robot->calls.end()), start.calls);
    const auto granted = std::find(statusHistory.begin(), statusHistory.end(), kRemoteGranted);
    ASSERT_NE(granted, statusHistory.end());
    EXPECT_EQ(Texts(granted + 1, statusHistory.end()), start.texts);
}

const Calls kPlay{"Sleep(500)", "SendCmd(33, 1, 0, 0, 0, 0)"};
const Calls kSetParam{"Sleep(500)", "SendCmd(35, 1, 1, 3, 0, 0)"};
const Texts kOpened{"ImageInit()成功!", "ImageOpen()成功!"};
const Texts kNetServiceOk = kOpened + Texts{"RequestNetService()成功"};

INSTANTIATE_TEST_SUITE_P(
    Steps, ImageStart,
    ::testing::Values(
        StartCase{"Full", {}, kThroughNetService + kPlay + kSetParam,
                  kNetServiceOk + Texts{"SendCmd(APPCMD_IMAGE_PLAY)成功", "SendCmd(APPCMD_IMAGE_SETPARAM)成功"}},
        StartCase{"InitFails", {{"ImageInit", {1}}}, {"GetStateImageTP()", "ImageInit()"}, {"ImageInit()エラー"}},
        StartCase{"OpenFails", {{"ImageOpen", {-1}}}, {"GetStateImageTP()", "ImageInit()", "ImageOpen()"},
                  {"ImageInit()成功!", "ImageOpen()エラー"}},
        StartCase{"NetServiceRefusedClosesTheTransport", {{"RequestNetService", {0}}},
                  kThroughNetService + Calls{"ImageClose()"}, kOpened + Texts{"RequestNetService()エラー"}},
        StartCase{"PlayFails", {{"SendCmd", {-1}}}, kThroughNetService + kPlay,
                  kNetServiceOk + Texts{"SendCmd(APPCMD_IMAGE_PLAY)エラー"}},
        StartCase{"SetParamFails", {{"SendCmd", {0, 2}}}, kThroughNetService + kPlay + kSetParam,
                  kNetServiceOk + Texts{"SendCmd(APPCMD_IMAGE_PLAY)成功", "SendCmd(APPCMD_IMAGE_SETPARAM)エラー"}},
        // A transport already set up only restarts the pictures.
        StartCase{"SetUpZero", {{"GetStateImageTP", {0}}}, {"GetStateImageTP()", "SendCmd(33, 1, 0, 0, 0, 0)"},
                  {"SendCmd(APPCMD_IMAGE_PLAY)成功"}},
        StartCase{"SetUpAbove", {{"GetStateImageTP", {-149}}}, {"GetStateImageTP()", "SendCmd(33, 1, 0, 0, 0, 0)"},
                  {"SendCmd(APPCMD_IMAGE_PLAY)成功"}},
        StartCase{"RestartFails", {{"GetStateImageTP", {3}}, {"SendCmd", {1}}},
                  {"GetStateImageTP()", "SendCmd(33, 1, 0, 0, 0, 0)"}, {"SendCmd(APPCMD_IMAGE_PLAY)エラー"}}),
    [](const auto &test) { return std::string(test.param.name); });

// Frames are handled in every link state; these arrive while Offline.
class FrameHandler : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        g_requests.clear();
        g_fail = false;
        openPanel();
        panel->setImageAllocator(&recordingAllocator);
    }

    LRESULT frame(LPARAM size) { return deliver(robotlink::kImageUpdateMessageId, 0, size); }
};

// An empty frame allocates nothing; a growth that fails holds no buffer and
// fetches and paints nothing, and the next frame tries again.
TEST_F(FrameHandler, FetchesEachFrameIntoABufferThatGrowsOnlyWhenOutgrown)
{
    countPaints(IDC_IMAGE_PANE);
    std::vector<std::uint32_t> capacities;
    for (LPARAM size : {0, 1000, 1500, 2500, 1000}) {
        robot->calls.clear();
        EXPECT_EQ(frame(size), 0);
        capacities.push_back(panel->imageBuffer().capacity());
        EXPECT_EQ(robot->calls, (Calls{"ImageGetData(" + std::to_string(size) + ")", "ImageSetWindowHandle()"}));
        EXPECT_EQ(robot->lastBuffer, panel->imageBuffer().data());
    }
    EXPECT_EQ(capacities, (std::vector<std::uint32_t>{0, 2000, 2000, 5000, 5000}));
    EXPECT_EQ(g_requests, (std::vector<std::size_t>{2000, 5000}));
    EXPECT_EQ(robot->lastPane, panel->item(IDC_IMAGE_PANE));
    EXPECT_EQ(robot->lastOwner, panel->handle());
    EXPECT_EQ(paints(), 5);

    g_fail = true;
    robot->calls.clear();
    EXPECT_EQ(frame(6000), -1);
    EXPECT_EQ(statusText(), "malloc()エラー!");
    EXPECT_EQ(robot->calls, Calls{});
    EXPECT_EQ(paints(), 5);
    EXPECT_EQ(panel->imageBuffer().capacity(), 0u);
    g_fail = false;
    EXPECT_EQ(frame(1000), 0);
    EXPECT_EQ(panel->imageBuffer().capacity(), 2000u);
}

} // namespace
