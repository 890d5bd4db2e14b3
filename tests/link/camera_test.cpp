#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"

#include <QEvent>

#include <cstdlib>

using Calls = std::vector<std::string>;

namespace {

const std::string kRemoteGranted = "リモート移行完了";

// The image buffer's allocator is a plain function: its record is file-wide.
std::vector<std::size_t> g_requests;
bool g_fail = false;

void *recordingAllocator(std::size_t size)
{
    g_requests.push_back(size);
    return g_fail ? nullptr : std::malloc(size);
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class ImageStart : public PanelTest
{
protected:
    // Connects with remote control granted; returns the calls and texts of
    // the image start sequence alone.
    void connectAndStart()
    {
        post(robotlink::kConnectMessageId);
        ASSERT_GE(robot->calls.size(), 2u);
        robot->calls.erase(robot->calls.begin(), robot->calls.begin() + 2); // the pause and ExternalControl
        const auto granted = std::find(statusHistory.begin(), statusHistory.end(), kRemoteGranted);
        ASSERT_NE(granted, statusHistory.end());
        statusHistory.erase(statusHistory.begin(), granted + 1);
    }
};

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

} // namespace

TEST_F(ImageStart, FullSetUpWithItsTwoPauses)
{
    openPanel();
    connectAndStart();
    EXPECT_EQ(robot->calls, (Calls{"GetStateImageTP()", "ImageInit()", "ImageOpen()", "RequestNetService(2)",
                                   "Sleep(500)", "SendCmd(33, 1, 0, 0, 0, 0)", "Sleep(500)",
                                   "SendCmd(35, 1, 1, 3, 0, 0)"}));
    EXPECT_EQ(statusHistory, (std::vector<std::string>{"ImageInit()成功!", "ImageOpen()成功!",
                                                       "RequestNetService()成功", "SendCmd(APPCMD_IMAGE_PLAY)成功",
                                                       "SendCmd(APPCMD_IMAGE_SETPARAM)成功"}));
}

TEST_F(ImageStart, ATransportAlreadySetUpOnlyRestartsThePictures)
{
    for (int state : {0, 1, -149, -151}) {
        openPanel();
        robot->script("GetStateImageTP", {state});
        connectAndStart();
        EXPECT_EQ(robot->calls, (Calls{"GetStateImageTP()", "SendCmd(33, 1, 0, 0, 0, 0)"})) << state;
        EXPECT_EQ(statusText(), "SendCmd(APPCMD_IMAGE_PLAY)成功");
    }
}

TEST_F(ImageStart, FailedRestartShowsItsError)
{
    openPanel();
    robot->script("GetStateImageTP", {3});
    robot->script("SendCmd", {1});
    connectAndStart();
    EXPECT_EQ(statusText(), "SendCmd(APPCMD_IMAGE_PLAY)エラー");
}

TEST_F(ImageStart, FailedInitStopsEverything)
{
    openPanel();
    robot->script("ImageInit", {1});
    connectAndStart();
    EXPECT_EQ(robot->calls, (Calls{"GetStateImageTP()", "ImageInit()"}));
    EXPECT_EQ(statusText(), "ImageInit()エラー");
}

TEST_F(ImageStart, FailedOpenStopsAfterIt)
{
    openPanel();
    robot->script("ImageOpen", {-1});
    connectAndStart();
    EXPECT_EQ(robot->calls, (Calls{"GetStateImageTP()", "ImageInit()", "ImageOpen()"}));
    EXPECT_EQ(statusHistory, (std::vector<std::string>{"ImageInit()成功!", "ImageOpen()エラー"}));
}

TEST_F(ImageStart, RefusedNetServiceClosesTheTransportFirst)
{
    openPanel();
    robot->script("RequestNetService", {0});
    connectAndStart();
    EXPECT_EQ(robot->calls,
              (Calls{"GetStateImageTP()", "ImageInit()", "ImageOpen()", "RequestNetService(2)", "ImageClose()"}));
    EXPECT_EQ(statusText(), "RequestNetService()エラー");
}

TEST_F(ImageStart, AnyNonZeroNetServiceResultIsSuccess)
{
    openPanel();
    robot->script("RequestNetService", {-7});
    connectAndStart();
    EXPECT_EQ(robot->calls.back(), "SendCmd(35, 1, 1, 3, 0, 0)");
    EXPECT_EQ(statusText(), "SendCmd(APPCMD_IMAGE_SETPARAM)成功");
}

TEST_F(ImageStart, FailedPlayStopsBeforeTheSecondPause)
{
    openPanel();
    robot->script("SendCmd", {-1});
    connectAndStart();
    EXPECT_EQ(robot->calls, (Calls{"GetStateImageTP()", "ImageInit()", "ImageOpen()", "RequestNetService(2)",
                                   "Sleep(500)", "SendCmd(33, 1, 0, 0, 0, 0)"}));
    EXPECT_EQ(statusText(), "SendCmd(APPCMD_IMAGE_PLAY)エラー");
}

TEST_F(ImageStart, FailedSetParamShowsItsError)
{
    openPanel();
    robot->script("SendCmd", {0, 2});
    connectAndStart();
    EXPECT_EQ(statusText(), "SendCmd(APPCMD_IMAGE_SETPARAM)エラー");
}

TEST_F(ImageStart, DoesNothingOnceTheLinkIsNoLongerOnline)
{
    // The library reports the link lost while remote control is granted.
    openPanel();
    robot->onCall = [this](const std::string &call) {
        if (call == "ExternalControl(1)")
            deliver(robotlink::kDisconnectMessageId);
    };
    post(robotlink::kConnectMessageId);
    EXPECT_EQ(robot->calls, (Calls{"Sleep(500)", "ExternalControl(1)"}));
    EXPECT_EQ(statusText(), kRemoteGranted);
}

TEST_F(FrameHandler, FetchesEachFrameAndHasItPainted)
{
    PaintCounter counter;
    QWidget *pane = control(1016);
    pane->installEventFilter(&counter);
    EXPECT_EQ(frame(1000), 0);
    EXPECT_EQ(robot->calls, (Calls{"ImageGetData(1000)", "ImageSetWindowHandle()"}));
    EXPECT_EQ(robot->lastBuffer, panel->imageBuffer().data());
    EXPECT_EQ(robot->lastPane, pane);
    EXPECT_EQ(robot->lastOwner, panel.get());
    EXPECT_EQ(counter.paints, 1);
    pane->removeEventFilter(&counter);
}

TEST_F(FrameHandler, BufferGrowsOnlyWhenAFrameOutgrowsIt)
{
    std::vector<std::uint32_t> capacities;
    for (LPARAM size : {1000, 1500, 2500, 1000}) {
        EXPECT_EQ(frame(size), 0);
        capacities.push_back(panel->imageBuffer().capacity());
        EXPECT_EQ(robot->lastSize, size);
    }
    EXPECT_EQ(capacities, (std::vector<std::uint32_t>{2000, 2000, 5000, 5000}));
    EXPECT_EQ(g_requests, (std::vector<std::size_t>{2000, 5000}));
}

TEST_F(FrameHandler, AnEmptyFrameAllocatesNothing)
{
    EXPECT_EQ(frame(0), 0);
    EXPECT_TRUE(g_requests.empty());
    EXPECT_EQ(robot->calls, (Calls{"ImageGetData(0)", "ImageSetWindowHandle()"}));
}

TEST_F(FrameHandler, FailedAllocationFetchesNothingAndTheNextFrameTriesAgain)
{
    g_fail = true;
    EXPECT_EQ(frame(1000), -1);
    EXPECT_EQ(statusText(), "malloc()エラー!");
    EXPECT_TRUE(robot->calls.empty());
    EXPECT_EQ(panel->imageBuffer().data(), nullptr);
    EXPECT_EQ(panel->imageBuffer().capacity(), 0u);
    g_fail = false;
    EXPECT_EQ(frame(1000), 0);
    EXPECT_EQ(g_requests, (std::vector<std::size_t>{2000, 2000}));
    EXPECT_EQ(robot->calls, (Calls{"ImageGetData(1000)", "ImageSetWindowHandle()"}));
}

TEST_F(FrameHandler, FrameSizeIsAnUnsigned32BitNumber)
{
    g_fail = true; // no need to find gigabytes to see what is asked for
    EXPECT_EQ(frame(static_cast<LPARAM>(0x80000000u)), -1);
    EXPECT_EQ(frame(-1), -1);
    EXPECT_EQ(g_requests, (std::vector<std::size_t>{0xFFFFFFFFu, 0xFFFFFFFFu}));
}

TEST_F(FrameHandler, RunsInEveryLinkState)
{
    ASSERT_EQ(panel->linkState(), robotlink::LinkState::Offline);
    EXPECT_EQ(frame(100), 0);
    EXPECT_EQ(robot->calls.front(), "ImageGetData(100)");
}
