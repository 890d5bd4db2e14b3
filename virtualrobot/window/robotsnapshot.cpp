#include "virtualrobot/window/robotsnapshot.h"

#include "framework/catalogue.h"

#include <array>
#include <cmath>

namespace vr {

namespace {

using namespace std::chrono_literals;

constexpr auto kTrailSpacing = 100ms;
constexpr auto kTrailLength = 60s;

const std::array kSoundWords = {"音", "サウンド", "SOUND", "鳴"};
const std::array kLightWords = {"LED", "光", "点灯", "点滅"};

bool namesAny(const QString &text, const auto &words)
{
    for (const char *word : words) {
        if (text.contains(QString::fromUtf8(word)))
            return true;
    }
    return false;
}

QString postureName(Posture posture)
{
    switch (posture) {
    case Posture::Stand:
        return QStringLiteral("立つ");
    case Posture::Sit:
        return QStringLiteral("座る");
    case Posture::LieDown:
        return QStringLiteral("伏せる");
    }
    return {};
}

QString postureText(const RobotModel &model)
{
    const auto change = model.postureChange();
    if (!change)
        return postureName(model.posture());
    return QStringLiteral("%1 → %2 (%3%)")
        .arg(postureName(change->from), postureName(change->to))
        .arg(std::lround(change->done * 100));
}

QString motionText(const RobotModel &model)
{
    const auto walk = model.walkProgress();
    if (!walk)
        return QStringLiteral("なし");
    const bool straight = walk->gait == Gait::Forward || walk->gait == Gait::Back;
    const QString name = walk->gait == Gait::Forward ? QStringLiteral("前進")
        : walk->gait == Gait::Back                   ? QStringLiteral("後退")
        : walk->gait == Gait::TurnLeft               ? QStringLiteral("左旋回")
                                                     : QStringLiteral("右旋回");
    const QString unit = straight ? QStringLiteral(" mm") : QStringLiteral("°");
    const auto done = std::lround(walk->done);
    if (!walk->total)
        return QStringLiteral("%1 %2%3 (止めるまで)").arg(name).arg(done).arg(unit);
    return QStringLiteral("%1 %2 / %3%4").arg(name).arg(done).arg(std::lround(*walk->total)).arg(unit);
}

QString call(const AnsweredOperation &operation)
{
    QStringList arguments;
    for (const int argument : operation.arguments)
        arguments << QString::number(argument);
    return QStringLiteral("%1(%2) → %3")
        .arg(operation.name, arguments.join(QStringLiteral(", ")))
        .arg(operation.result);
}

// Why the pictures go at their rate, as the window says it.
QString pacingText(FramePacer::Reason reason)
{
    switch (reason) {
    case FramePacer::Reason::Full:
        return QStringLiteral("(全速)");
    case FramePacer::Reason::Link:
        return QStringLiteral("(回線に合わせて)");
    case FramePacer::Reason::Waiting:
        return QStringLiteral("(受信確認待ち)");
    }
    return {};
}

} // namespace

ContentKinds contentKinds(const char *entry)
{
    const QString text = QString::fromUtf8(entry);
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const qsizetype tag = text.lastIndexOf(QLatin1Char('('));
    const QString description = text.mid(colon + 1, tag - colon - 1);
    const QString posture = text.mid(tag + 1).chopped(1);
    ContentKinds kinds;
    kinds.sound = namesAny(description, kSoundWords);
    kinds.light = namesAny(description, kLightWords);
    kinds.motion = posture != QLatin1String("any") || !(kinds.sound || kinds.light);
    return kinds;
}

const char *catalogueEntry(int mwcid)
{
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry) {
        if (mwcidOfRow(*entry) == mwcid)
            return *entry;
    }
    return nullptr;
}

void Trail::add(Vec2 point, Millis now)
{
    if (!m_times.empty() && now - m_times.back() < kTrailSpacing)
        return;
    m_points.push_back(point);
    m_times.push_back(now);
    while (now - m_times.front() > kTrailLength) {
        m_points.pop_front();
        m_times.pop_front();
    }
}

RobotSnapshot snapshotOf(const RobotModel &model, const LinkView &link, const Trail &trail)
{
    RobotSnapshot snapshot;
    snapshot.pose = model.pose();
    snapshot.headPan = model.headPan();
    snapshot.headTilt = model.headTilt();
    const Scene scene = model.scene();
    snapshot.ball = scene.ball;
    snapshot.bone = scene.bone;
    snapshot.holdingBone = model.holdingBone();
    snapshot.trail.assign(trail.points().begin(), trail.points().end());

    snapshot.posture = postureText(model);
    snapshot.motion = motionText(model);
    snapshot.head =
        QStringLiteral("左右 %1°  上下 %2°").arg(std::lround(model.headPan())).arg(std::lround(model.headTilt()));
    if (const auto left = model.contentTimeLeft()) {
        snapshot.contentLeft = QStringLiteral("あと %1 秒").arg(static_cast<double>(left->count()) / 1000, 0, 'f', 1);
        if (const auto mwcid = model.playingContent()) {
            const char *entry = catalogueEntry(*mwcid);
            snapshot.content = entry ? QString::fromUtf8(entry) : QStringLiteral("%1: (カタログにない)").arg(*mwcid);
            snapshot.kinds = entry ? contentKinds(entry) : ContentKinds{true, false, false};
        } else {
            snapshot.content = QStringLiteral("ヘディング");
            snapshot.kinds.motion = true;
        }
    } else {
        snapshot.content = QStringLiteral("なし");
    }

    snapshot.battery = model.battery();
    snapshot.batteryText = QStringLiteral("%1 %").arg(model.battery(), 0, 'f', 1);
    snapshot.drain = QStringLiteral("%1 (%2 %/分)")
                         .arg(model.moving() ? QStringLiteral("動作中の減り方") : QStringLiteral("待機中の減り方"))
                         .arg(model.drainPerMinute(), 0, 'f', 1);

    snapshot.controller = link.controller.isEmpty() ? QStringLiteral("なし") : link.controller;
    snapshot.remoteControl = model.remoteControl() ? QStringLiteral("許可済み") : QStringLiteral("なし");
    if (!model.cameraOn())
        snapshot.camera = QStringLiteral("オフ");
    else if (link.picturesPaused)
        snapshot.camera = QStringLiteral("一時停止");
    else
        snapshot.camera = QStringLiteral("オン %1 fps 画質 %2 %3")
                              .arg(link.framesPerSecond)
                              .arg(link.quality)
                              .arg(pacingText(link.pacing));
    for (const AnsweredOperation &operation : link.operations)
        snapshot.operations << call(operation);
    return snapshot;
}

} // namespace vr
