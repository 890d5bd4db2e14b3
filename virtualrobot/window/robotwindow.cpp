#include "virtualrobot/window/robotwindow.h"

#include "virtualrobot/camera/scenerenderer.h"
#include "virtualrobot/server/robotserver.h"
#include "virtualrobot/window/mapview.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace vr {

namespace {

constexpr int kRefreshMs = 100;

// An indicator that lights up while its kind of content plays.
void light(QLabel *indicator, bool on)
{
    indicator->setEnabled(on);
    indicator->setStyleSheet(on ? QStringLiteral("background: #f0c040; border-radius: 3px; padding: 1px 6px;")
                                : QStringLiteral("padding: 1px 6px;"));
}

QLabel *indicator(const QString &text)
{
    auto *label = new QLabel(text);
    light(label, false);
    return label;
}

} // namespace

RobotWindow::RobotWindow(RobotServer &robot, QWidget *parent) : QWidget(parent), m_robot(robot)
{
    setWindowTitle(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kRobotName), QCoreApplication::applicationName()));
    m_map = new MapView;
    connect(m_map, &MapView::placed, this, [this](const Placement &placement) { control(placementLine(placement)); });
    m_picture = new QLabel;
    m_picture->setFixedSize(kFrameWidth, kFrameHeight);
    m_picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_operations = new QListWidget;
    m_operations->setMinimumHeight(80);
    m_operations->setMaximumHeight(140);

    auto *log = new QGroupBox(QStringLiteral("受けた操作 (新しい順)"));
    (new QVBoxLayout(log))->addWidget(m_operations);
    auto *camera = new QGroupBox(QStringLiteral("カメラの映像"));
    (new QVBoxLayout(camera))->addWidget(m_picture);
    auto *state = new QHBoxLayout;
    state->addWidget(stateBox(), 1);
    state->addWidget(camera, 0, Qt::AlignTop);

    // One column, so that the window fits beside a panel centred on the
    // screen.
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_map, 1);
    column->addWidget(roomBox());
    column->addLayout(state);
    column->addWidget(log);
    column->addWidget(controlBox());

    m_clock.start();
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &RobotWindow::refresh);
    m_refresh.start();
    refresh();
}

void RobotWindow::placeAtLeftEdge()
{
    const QRect screen = this->screen()->availableGeometry();
    // The title bar is the window manager's, outside the window's own size.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    resize(std::min(sizeHint().width(), screen.width()), std::min(sizeHint().height(), screen.height() - titleBar));
    move(screen.topLeft());
}

QWidget *RobotWindow::roomBox()
{
    auto *box = new QGroupBox(QStringLiteral("部屋 (ドラッグで移動、ロボットは右ドラッグで向き)"));
    auto *row = new QHBoxLayout(box);
    row->addWidget(button(QStringLiteral("骨を前に置く"), placementLine({Thing::Bone, std::nullopt, std::nullopt})));
    row->addWidget(button(QStringLiteral("ボールを前に置く"), placementLine({Thing::Ball, std::nullopt, std::nullopt})));
    row->addWidget(button(QStringLiteral("元に戻す"), QStringLiteral("reset")));
    return box;
}

QPushButton *RobotWindow::button(const QString &text, const QString &line)
{
    auto *push = new QPushButton(text);
    push->setToolTip(line);
    connect(push, &QPushButton::clicked, this, [this, line] { control(line); });
    return push;
}

QWidget *RobotWindow::stateBox()
{
    auto *box = new QGroupBox(QStringLiteral("ロボット"));
    auto *form = new QFormLayout(box);
    m_posture = new QLabel;
    m_motion = new QLabel;
    m_head = new QLabel;
    m_content = new QLabel;
    m_content->setWordWrap(true);
    m_contentLeft = new QLabel;
    m_motionKind = indicator(QStringLiteral("動き"));
    m_soundKind = indicator(QStringLiteral("音"));
    m_lightKind = indicator(QStringLiteral("光"));
    auto *kinds = new QHBoxLayout;
    kinds->addWidget(m_contentLeft);
    kinds->addStretch();
    kinds->addWidget(m_motionKind);
    kinds->addWidget(m_soundKind);
    kinds->addWidget(m_lightKind);
    m_battery = new QProgressBar;
    m_battery->setRange(0, 100);
    m_battery->setTextVisible(false);
    m_batteryText = new QLabel;
    m_drain = new QLabel;
    auto *battery = new QHBoxLayout;
    battery->addWidget(m_battery, 1);
    battery->addWidget(m_batteryText);
    m_controller = new QLabel;
    m_remoteControl = new QLabel;
    m_camera = new QLabel;
    form->addRow(QStringLiteral("姿勢"), m_posture);
    form->addRow(QStringLiteral("動作"), m_motion);
    form->addRow(QStringLiteral("頭"), m_head);
    form->addRow(QStringLiteral("コンテンツ"), m_content);
    form->addRow(QString(), kinds);
    form->addRow(QStringLiteral("バッテリー"), battery);
    form->addRow(QString(), m_drain);
    form->addRow(QStringLiteral("操縦者"), m_controller);
    form->addRow(QStringLiteral("リモート"), m_remoteControl);
    form->addRow(QStringLiteral("カメラ"), m_camera);
    return box;
}

QWidget *RobotWindow::controlBox()
{
    auto *box = new QGroupBox(QStringLiteral("操縦 (制御行と同じ働き)"));
    auto *grid = new QGridLayout(box);
    grid->addWidget(button(QStringLiteral("切断"), QStringLiteral("drop")), 0, 0);
    grid->addWidget(button(QStringLiteral("Bye で切断"), QStringLiteral("bye")), 0, 1);
    grid->addWidget(button(QStringLiteral("沈黙"), QStringLiteral("hang")), 0, 2);
    grid->addWidget(button(QStringLiteral("不正メッセージ"), QStringLiteral("malformed")), 0, 3);
    grid->addWidget(button(QStringLiteral("映像停止"), QStringLiteral("pause")), 1, 0);
    grid->addWidget(button(QStringLiteral("映像再開"), QStringLiteral("resume")), 1, 1);
    grid->addWidget(button(QStringLiteral("故障を解除"), QStringLiteral("heal")), 1, 2);
    m_refuse = new QCheckBox(QStringLiteral("接続を拒否"));
    connect(m_refuse, &QCheckBox::toggled, this,
            [this](bool on) { control(on ? QStringLiteral("refuse on") : QStringLiteral("refuse off")); });
    grid->addWidget(m_refuse, 1, 3);

    m_burst = new QSpinBox;
    m_burst->setRange(1, kMaxBurst);
    m_burst->setValue(10);
    auto *burst = new QPushButton(QStringLiteral("まとめて送る"));
    connect(burst, &QPushButton::clicked, this, [this] { control(QStringLiteral("burst %1").arg(m_burst->value())); });
    grid->addWidget(m_burst, 2, 0);
    grid->addWidget(burst, 2, 1);
    m_charge = new QSpinBox;
    m_charge->setRange(0, 100);
    m_charge->setSuffix(QStringLiteral(" %"));
    m_charge->setValue(20);
    auto *charge = new QPushButton(QStringLiteral("バッテリー設定"));
    connect(charge, &QPushButton::clicked, this,
            [this] { control(QStringLiteral("battery %1").arg(m_charge->value())); });
    grid->addWidget(m_charge, 2, 2);
    grid->addWidget(charge, 2, 3);

    m_resultRule =
        ruleRow(grid, 3, QStringLiteral("SetPosture=-1,ok"), QStringLiteral("結果を決める"), QStringLiteral("result "));
    m_delayRule =
        ruleRow(grid, 4, QStringLiteral("all=300"), QStringLiteral("返事を遅らせる"), QStringLiteral("delay "));

    m_answer = new QLabel;
    m_answer->setWordWrap(true);
    grid->addWidget(m_answer, 5, 0, 1, 4);
    return box;
}

QLineEdit *RobotWindow::ruleRow(QGridLayout *grid, int row, const QString &example, const QString &action,
                                const QString &command)
{
    auto *rule = new QLineEdit;
    rule->setPlaceholderText(example);
    auto *apply = new QPushButton(action);
    connect(apply, &QPushButton::clicked, this, [this, rule, command] { control(command + rule->text()); });
    grid->addWidget(rule, row, 0, 1, 2);
    grid->addWidget(apply, row, 2, 1, 2);
    return rule;
}

void RobotWindow::control(const QString &line)
{
    const QString answer = m_robot.controlLine(line);
    m_answer->setText(answer.isEmpty() ? QStringLiteral("> %1").arg(line)
                                       : QStringLiteral("> %1: %2").arg(line, answer));
    refresh();
}

void RobotWindow::refresh()
{
    const RobotModel &model = m_robot.model();
    m_trail.add({model.pose().x, model.pose().y}, Trail::Millis{m_clock.elapsed()});
    const LinkView link = m_robot.linkView();
    const RobotSnapshot snapshot = snapshotOf(model, link, m_trail);
    m_map->show(snapshot);
    m_posture->setText(snapshot.posture);
    m_motion->setText(snapshot.motion);
    m_head->setText(snapshot.head);
    m_content->setText(snapshot.content);
    m_contentLeft->setText(snapshot.contentLeft);
    light(m_motionKind, snapshot.kinds.motion);
    light(m_soundKind, snapshot.kinds.sound);
    light(m_lightKind, snapshot.kinds.light);
    m_battery->setValue(static_cast<int>(snapshot.battery));
    m_batteryText->setText(snapshot.batteryText);
    m_drain->setText(snapshot.drain);
    m_controller->setText(snapshot.controller);
    m_remoteControl->setText(snapshot.remoteControl);
    m_camera->setText(snapshot.camera);
    if (m_refuse->isChecked() != link.refusing) {
        const QSignalBlocker quiet(m_refuse);
        m_refuse->setChecked(link.refusing);
    }
    if (link.answeredInAll != m_operationsShown) {
        m_operationsShown = link.answeredInAll;
        m_operations->clear();
        m_operations->addItems(snapshot.operations);
    }
    const std::vector<std::uint8_t> &jpeg = m_robot.lastPicture();
    if (!jpeg.empty()) {
        QImage picture;
        if (picture.loadFromData(jpeg.data(), static_cast<int>(jpeg.size()), "JPEG"))
            m_picture->setPixmap(QPixmap::fromImage(picture));
    }
}

void RobotWindow::closeEvent(QCloseEvent *event)
{
    m_refresh.stop();
    control(QStringLiteral("quit"));
    event->accept();
}

} // namespace vr
