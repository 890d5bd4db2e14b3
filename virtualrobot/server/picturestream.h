#pragma once

#include "protocol/message.h"
#include "virtualrobot/camera/camera.h"
#include "virtualrobot/model/robotmodel.h"
#include "virtualrobot/server/framepacer.h"
#include "virtualrobot/server/camerathread.h"
#include "virtualrobot/server/serverconfig.h"
#include "virtualrobot/server/trace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <vector>

namespace vr {

class ControllerLink;

/// The camera's pictures to the controller while they play: taken when
/// the pacer finds room on the link, at its quality, on the camera's thread,
/// and sent as Frames; with the frame faults the robot was told to
/// rehearse, and bursts that skip the pacing.
class PictureStream : public QObject
{
public:
    PictureStream(const RobotModel &model, Trace &trace, const ServerConfig &config);

    /// The controller pictures go to; a new link starts unknown to the pacer.
    void serve(ControllerLink *controller);
    /// Takes the next picture, or sends the robot's Ping, as soon as the
    /// link has room for it and the frame rate allows.
    void pump();
    /// The controller acknowledged a frame; false when it was never sent.
    bool acknowledged(const protocol::FrameAck &ack);
    /// The controller answered a Ping; false when it was none of ours.
    bool ponged(const protocol::Pong &pong);

    /// Sends up to count frames at once, past the pacing; returns how many
    /// went out before the controller's backlog stopped them.
    int burst(int count);
    void setPaused(bool paused);
    bool paused() const { return m_paused; }

    /// Frames sent in the last second, and in all.
    int framesPerSecond() const;
    std::uint32_t framesSent() const { return m_frameSequence; }
    int quality() const { return m_pacer.quality(); }
    FramePacer::Reason pacing() const { return m_pacer.reason(FramePacer::Clock::now()); }
    /// The JPEG picture sent last; empty before the first.
    const std::vector<std::uint8_t> &lastPicture() const { return m_lastPicture; }

private:
    /// When a picture was taken and at which quality.
    struct Capture
    {
        std::uint64_t startedUs = 0;
        int quality = FramePacer::kFullQuality;
    };
    /// What the next frame's turn brings.
    enum class Slot { Picture, Malformed, Skipped };
    Slot nextSlot();
    bool playing() const;
    /// Takes and sends a picture at once unless the controller lags; false
    /// when nothing went out.
    bool sendNow();
    void captured(const std::vector<std::uint8_t> &jpeg);
    bool send(const std::vector<std::uint8_t> &jpeg, const Capture &capture);

    const RobotModel &m_model;
    Trace &m_trace;
    const LinkFaults &m_faults;
    QPointer<ControllerLink> m_controller;
    FramePacer m_pacer;
    CameraThread m_renderer;
    Camera m_camera;
    QTimer m_paceTimer;
    QElapsedTimer m_clock;
    FramePacer::Clock::time_point m_lastCapture{};
    // The picture on the camera's thread.
    Capture m_capture;
    std::vector<std::uint8_t> m_jpeg;
    std::vector<std::uint8_t> m_lastPicture;
    std::deque<qint64> m_frameTimes;
    std::uint32_t m_frameSequence = 0;
    int m_linkFrames = 0;
    bool m_malformedSent = false;
    bool m_paused = false;
};

} // namespace vr
