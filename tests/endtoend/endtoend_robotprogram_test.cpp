// The panel on its real robot client against the virtual robot program,
// which withrobot.sh starts on 127.0.0.1: the same session on Linux and,
// under Wine, on Windows. The robot's trace is the record of what reached it.
#include "res/resource.h"
#include "res/strings.h"
#include "tests/endtoend/livepanel.h"
#include "tests/support/files.h"
#include "tests/support/paneldirectory.h"
#include "tests/support/recordingvaibo.h"
#include "vaiboclient/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

// The robot's answered operations as calls, "SetPosture(0, 0) -> 0", and
// its closes with their reasons, in the order of its trace.
struct Trace
{
    Texts operations;
    Texts closes;
};

Trace readTrace()
{
    Trace trace;
    const char *path = std::getenv("KORVAN_ROBOT_TRACE");
    std::istringstream lines(readFile(path != nullptr ? path : "").value_or(""));
    static const std::regex operation(R"re("args":\[([-0-9,]*)\],"event":"op","name":"(\w+)","result":(-?\d+))re");
    static const std::regex close(R"re("event":"close".*"reason":"([^"]*)")re");
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, match, operation)) {
            trace.operations.push_back(match[2].str() + "(" +
                                       std::regex_replace(match[1].str(), std::regex(","), ", ") + ") -> " +
                                       match[3].str());
        } else if (std::regex_search(line, match, close)) {
            trace.closes.push_back(match[1].str());
        }
    }
    return trace;
}

class RobotProgram : public ::testing::Test, public LivePanel
{
protected:
    void SetUp() override
    {
        const char *port = std::getenv("KORVAN_ROBOT_PORT");
        ASSERT_NE(port, nullptr) << "run through withrobot.sh";
        ASSERT_TRUE(m_directory.isReady());
        vaibo::setSettings({.port = static_cast<std::uint16_t>(std::atoi(port))});
        ASSERT_TRUE(open());
    }

    void TearDown() override { vaibo::setSettings({}); }

    // Runs the window until the condition holds; false when time runs out.
    bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 5s)
    {
        const auto giveUp = std::chrono::steady_clock::now() + timeout;
        for (pump(); !condition(); pump()) {
            if (std::chrono::steady_clock::now() > giveUp)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    bool traced(const std::string &entry)
    {
        return waitUntil([&] {
            const Texts operations = readTrace().operations;
            return std::find(operations.begin(), operations.end(), entry) != operations.end();
        });
    }

    Texts pauses;

private:
    PanelDirectory m_directory;
    RecordingSleeper m_sleeper{pauses};
};

} // namespace

TEST_F(RobotProgram, ConnectsGetsPicturesCommandsReadsTheBatteryAndDisconnects)
{
    countPaints(IDC_IMAGE_PANE);
    const std::uint32_t empty = colourInMiddle(IDC_IMAGE_PANE);
    click(IDC_CONNECT);
    ASSERT_TRUE(waitUntil([&] { return text(IDC_LINK_INDICATOR) == res::kOnline; })) << statusText();
    EXPECT_EQ(statusHistory,
              (Texts{res::kConnectRequested, res::kConnected, res::kRemoteGranted, res::kImageInitOk, res::kImageOpenOk,
                     res::kNetServiceOk, res::kImagePlayOk, res::kImageSetParamOk}));
    EXPECT_EQ(pauses, (Texts{"Sleep(500)", "Sleep(500)", "Sleep(500)"}));
    EXPECT_EQ(readTrace().operations,
              (Texts{"ExternalControl(1) -> 1", "ImageInit() -> 0", "ImageOpen() -> 0", "RequestNetService(2) -> 1",
                     "SendCmd(33, 1, 0, 0, 0, 0) -> 0", "SendCmd(35, 1, 1, 3, 0, 0) -> 0"}));
    EXPECT_TRUE(waitUntil([&] { return window().imageBuffer().capacity() > 0 && paints() > 0; }))
        << "a picture fetched and painted";
    // The robot's room, where the window's background was.
    EXPECT_NE(colourInMiddle(IDC_IMAGE_PANE), empty);

    click(IDC_STAND);
    EXPECT_TRUE(traced("SetPosture(0, 0) -> 0"));
    EXPECT_EQ(statusText(), res::kStandSent);

    tickBattery();
    EXPECT_TRUE(traced("GetBatteryLevel() -> 77"));
    EXPECT_EQ(text(IDC_BATTERY_FIGURE), "77");
    EXPECT_EQ(batteryBar(), 77);

    click(IDC_DISCONNECT);
    EXPECT_TRUE(waitUntil([&] { return text(IDC_LINK_INDICATOR) == res::kOffline; }));
    EXPECT_EQ(statusText(), res::kDisconnected);
    EXPECT_TRUE(isEnabled(IDC_CONNECT));
    ASSERT_TRUE(waitUntil([&] { return !readTrace().closes.empty(); }));
    EXPECT_EQ(readTrace().closes.front().rfind("peer said Bye", 0), 0u) << readTrace().closes.front();
}
