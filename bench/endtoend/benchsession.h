#pragma once

#include "bench/endtoend/tappingrelay.h"
#include "tests/endtoend/livepanel.h"
#include "tests/support/paneldirectory.h"
#include "tests/endtoend/robotprocess.h"
#include "tests/support/recordingvaibo.h"

#include <QDialog>
#include <QPoint>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2ebench {

/// The panel on its real robot client, the virtual robot as a child process
/// and the tapping relay between them, all on 127.0.0.1. The panel's pauses
/// are recorded instead of slept unless a bench installs its own sleeper.
class BenchSession
{
public:
    BenchSession();
    ~BenchSession();

    /// Starts the robot and, when tapped, the relay, opens the panel and
    /// clicks 接続; true once the first picture was painted. Says why on
    /// standard error otherwise.
    bool start(bool tapped = true);

    LivePanel &panel() const { return *m_panel; }
    /// The relay of a tapped session.
    TappingRelay &relay() const { return *m_relay; }
    RobotProcess &robot() const { return *m_robot; }

    /// Handles events for this long, without sleeping between them.
    static void run(std::chrono::milliseconds time);
    /// Handles events until the condition holds; false when time ran out.
    static bool runUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout);

private:
    PanelDirectory m_directory;
    std::unique_ptr<RobotProcess> m_robot = std::make_unique<RobotProcess>();
    std::unique_ptr<TappingRelay> m_relay;
    std::vector<std::string> m_pauses;
    RecordingSleeper m_sleeper{m_pauses};
    std::unique_ptr<LivePanel> m_panel;
};

/// The Qt window of the panel, and the widget of one of its controls, for
/// the measurements that read events and pixels.
QDialog &windowOf(const LivePanel &panel);
QWidget *widgetOf(const LivePanel &panel, int id);
/// A real left click at a point of a control of the panel.
void clickAt(const LivePanel &panel, int id, QPoint at);

/// Microseconds from one moment to a later one.
double microseconds(Clock::time_point from, Clock::time_point to);

} // namespace e2ebench
