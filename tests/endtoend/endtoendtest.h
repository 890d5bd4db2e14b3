#pragma once

#include "tests/endtoend/livepanel.h"
#include "tests/support/paneldirectory.h"
#include "tests/endtoend/robotprocess.h"
#include "tests/support/recordingvaibo.h"
#include "vaiboclient/settings.h"

#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

/// The panel on its real robot client and the virtual robot as a child
/// process, over loopback. The panel starts in a directory of its own whose
/// address memory file holds 127.0.0.1; its pauses are recorded instead of
/// slept.
class EndToEndTest : public ::testing::Test
{
protected:
    /// Longest wait for anything that should follow at once on loopback;
    /// generous because the machine is shared.
    static constexpr int kPromptMs = 3000;

    void SetUp() override { ASSERT_TRUE(m_directory->isReady()); }
    void TearDown() override;

    /// Starts the robot with these options, opens a panel on it, clicks 接続
    /// and waits for "ONLINE"; the connected handler, start sequence
    /// included, has run by then.
    void connectPanel(const QStringList &options = {});
    /// Clicks 接続 on a panel and waits until it shows "ONLINE".
    void connectThrough(LivePanel &target);
    /// Handles events until the condition holds or the time is up.
    static bool waitUntil(const std::function<bool()> &condition, int timeoutMs = kPromptMs)
    {
        return QTest::qWaitFor(condition, timeoutMs);
    }
    /// The reason of the robot's first "close" trace line; empty before.
    QString closeReason() const;
    /// Waits until the panel shows "OFFLINE" and "切断完了".
    bool waitForDisconnected(LivePanel &target, int timeoutMs = kPromptMs);

    std::unique_ptr<RobotProcess> robot;
    std::unique_ptr<LivePanel> panel;
    /// The pauses the panel asked for, as "Sleep(ms)".
    std::vector<std::string> pauses;

private:
    std::unique_ptr<PanelDirectory> m_directory = std::make_unique<PanelDirectory>();
    std::unique_ptr<RecordingSleeper> m_sleeper = std::make_unique<RecordingSleeper>(pauses);
};
