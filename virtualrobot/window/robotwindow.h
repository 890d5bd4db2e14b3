#pragma once

#include "virtualrobot/window/robotsnapshot.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace vr {

class MapView;
class RobotServer;

/// What the robot calls itself where a person sees it.
inline constexpr char kRobotName[] = "仮想アイボ";

/// The virtual robot's own window: the room from above, the robot's state,
/// battery and link, the operations it answered, its camera picture, and a
/// control for every line of its control input. Each control goes through
/// the very path its line takes, so the window and the console agree.
/// Closing the window stops the robot, as "quit" does.
class RobotWindow : public QWidget
{
    Q_OBJECT

public:
    explicit RobotWindow(RobotServer &robot, QWidget *parent = nullptr);

    /// Reads the robot again and shows what changed; the window does so ten
    /// times a second by itself.
    void refresh();
    /// Moves the window to the screen's top left corner, its height within
    /// the screen's, so that a window centred on a wide screen leaves it
    /// in view.
    void placeAtLeftEdge();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *stateBox();
    QWidget *roomBox();
    QWidget *controlBox();
    /// A button that sends this control line.
    QPushButton *button(const QString &text, const QString &line);
    /// A rule's field and the button that sends "command rule".
    QLineEdit *ruleRow(QGridLayout *grid, int row, const QString &example, const QString &action,
                       const QString &command);
    void control(const QString &line);

    RobotServer &m_robot;
    Trail m_trail;
    QElapsedTimer m_clock;
    QTimer m_refresh;

    MapView *m_map = nullptr;
    QLabel *m_posture = nullptr;
    QLabel *m_motion = nullptr;
    QLabel *m_head = nullptr;
    QLabel *m_content = nullptr;
    QLabel *m_contentLeft = nullptr;
    QLabel *m_motionKind = nullptr;
    QLabel *m_soundKind = nullptr;
    QLabel *m_lightKind = nullptr;
    QProgressBar *m_battery = nullptr;
    QLabel *m_batteryText = nullptr;
    QLabel *m_drain = nullptr;
    QLabel *m_controller = nullptr;
    QLabel *m_remoteControl = nullptr;
    QLabel *m_camera = nullptr;
    QLabel *m_picture = nullptr;
    QListWidget *m_operations = nullptr;
    QSpinBox *m_burst = nullptr;
    QSpinBox *m_charge = nullptr;
    QLineEdit *m_resultRule = nullptr;
    QLineEdit *m_delayRule = nullptr;
    QCheckBox *m_refuse = nullptr;
    QLabel *m_answer = nullptr;
    std::uint64_t m_operationsShown = 0;
};

} // namespace vr
