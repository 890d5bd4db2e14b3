#pragma once

#include "tests/support/files.h"
#include "tests/support/paneldirectory.h"
#include "tests/support/paneluser.h"
#include "tests/support/recordingvaibo.h"
#include "ui/remotedlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

/// A main window on a recording robot client, shown offscreen, in a
/// directory of its own so the address memory file starts out missing.
/// Pauses are recorded as "Sleep(ms)" among the client's calls.
class PanelTest : public ::testing::Test, public PanelUser
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Builds and shows the window; tests that need a memory file first
    /// write it, then call this.
    void openPanel();
    /// Raises a registered message in the window and returns its result.
    LRESULT deliver(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// Posts a registered message to the window's queue and lets it run.
    void post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// "SonyERCVAIBOConnect" with everything granted, then a clean call log.
    void goOnline();
    /// Brings the link to a state through the window, leaving a status text
    /// of that step and a clean call log: Offline after a refused connect
    /// request, Connecting after an accepted one, Online, Disconnecting
    /// after an accepted disconnect request.
    void enterLinkState(robotlink::LinkState state);
    /// From now on logs each change of the status line among the client's
    /// calls as "Status(<text>)", so the order of the two can be checked.
    void logStatusChanges();

    /// Runs inside each pause the panel makes.
    void onSleep(std::function<void()> hook);

    RecordingVaibo *robot = nullptr;
    std::unique_ptr<CRemoteDlg> panel;
    /// The battery timer's period as the window set it; the fixture stops it,
    /// so that only tick() reads the battery, however slow the run.
    unsigned batteryPeriod = 0;

private:
    PanelDirectory m_directory{nullptr};
    std::unique_ptr<RecordingSleeper> m_sleeper;
};
