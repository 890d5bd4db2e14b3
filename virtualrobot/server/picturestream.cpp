#include "virtualrobot/server/picturestream.h"

#include "protocol/timing.h"
#include "virtualrobot/server/controllerlink.h"

#include <algorithm>

namespace vr {

namespace {

// A reader that lags more than this behind gets no new frame until it
// catches up: the newest picture matters, not every picture.
constexpr qint64 kFrameBacklog = 64 * 1024;

} // namespace

PictureStream::PictureStream(const RobotModel &model, Trace &trace, const ServerConfig &config)
    : m_model(model), m_trace(trace), m_faults(config.link), m_pacer(config.framesPerSecond)
{
    m_clock.start();
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_paceTimer, &QTimer::timeout, this, &PictureStream::pump);
    connect(&m_renderer, &CameraThread::captured, this, &PictureStream::captured);
}

void PictureStream::serve(ControllerLink *controller)
{
    m_controller = controller;
    m_pacer.reset();
    m_linkFrames = 0;
    m_malformedSent = false;
}

bool PictureStream::playing() const
{
    return m_controller && m_model.cameraOn() && !m_paused;
}

void PictureStream::pump()
{
    if (!playing() || m_renderer.busy())
        return;
    const auto at = FramePacer::Clock::now();
    if (m_pacer.pingDue(at)) {
        m_controller->send(protocol::Ping{m_pacer.pingSent(at)});
        return;
    }
    // The picture is taken when it can leave at once, so it is as fresh as
    // the link allows; never more often than the frame rate.
    std::optional<FramePacer::Clock::time_point> opens = m_pacer.opensAt(at);
    if (opens)
        opens = std::max(*opens, m_lastCapture + m_pacer.period());
    if (!opens || *opens > at) {
        if (opens)
            m_paceTimer.start(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*opens - at).count()));
        return;
    }
    if (nextSlot() != Slot::Picture)
        return;
    m_lastCapture = at;
    // The picture is taken on the camera's thread; requests are answered
    // meanwhile, and the frame goes out once it is ready.
    m_capture = {protocol::epochMicroseconds(), m_pacer.quality()};
    m_renderer.capture(m_model.scene(), m_capture.quality);
}

bool PictureStream::acknowledged(const protocol::FrameAck &ack)
{
    if (!m_pacer.acknowledged(ack.sequence, FramePacer::Clock::now()))
        return false;
    pump();
    return true;
}

bool PictureStream::ponged(const protocol::Pong &pong)
{
    if (!m_pacer.pingAnswered(pong.origin, FramePacer::Clock::now()))
        return false;
    pump();
    return true;
}

int PictureStream::burst(int count)
{
    int sent = 0;
    while (sent < count && m_controller && sendNow())
        ++sent;
    return sent;
}

void PictureStream::setPaused(bool paused)
{
    m_paused = paused;
}

int PictureStream::framesPerSecond() const
{
    const qint64 oneSecondAgo = m_clock.elapsed() - 1000;
    return static_cast<int>(std::count_if(m_frameTimes.begin(), m_frameTimes.end(),
                                          [oneSecondAgo](qint64 at) { return at > oneSecondAgo; }));
}

PictureStream::Slot PictureStream::nextSlot()
{
    if (m_controller->bytesToWrite() > kFrameBacklog) {
        m_trace.event(QStringLiteral("skip"), {{QStringLiteral("backlog"), m_controller->bytesToWrite()}});
        return Slot::Skipped;
    }
    if (m_faults.malformedAfterFrames && !m_malformedSent && m_linkFrames == *m_faults.malformedAfterFrames) {
        m_malformedSent = true;
        m_trace.event(QStringLiteral("malformed"), {{QStringLiteral("instead"), QStringLiteral("frame")}});
        m_controller->sendMalformed();
        return Slot::Malformed;
    }
    return Slot::Picture;
}

bool PictureStream::sendNow()
{
    switch (nextSlot()) {
    case Slot::Skipped:
        return false;
    case Slot::Malformed:
        return true;
    case Slot::Picture:
        break;
    }
    const Capture capture{protocol::epochMicroseconds(), m_pacer.quality()};
    m_camera.setQuality(capture.quality);
    return m_camera.capture(m_model.scene(), m_jpeg) && send(m_jpeg, capture);
}

void PictureStream::captured(const std::vector<std::uint8_t> &jpeg)
{
    // The link or the pictures may have stopped while it was being taken.
    if (playing() && !jpeg.empty() && send(jpeg, m_capture))
        pump();
}

bool PictureStream::send(const std::vector<std::uint8_t> &jpeg, const Capture &capture)
{
    protocol::Frame frame;
    frame.sequence = ++m_frameSequence;
    frame.timestampUs = capture.startedUs;
    frame.width = kFrameWidth;
    frame.height = kFrameHeight;
    frame.jpeg = jpeg;
    if (!m_controller->send(frame))
        return false;
    m_pacer.sent(frame.sequence, frame.jpeg.size() + protocol::kHeaderSize, FramePacer::Clock::now());
    m_trace.frame(frame.sequence, static_cast<qsizetype>(frame.jpeg.size()), capture.quality);
    m_lastPicture = jpeg;
    m_frameTimes.push_back(m_clock.elapsed());
    while (m_frameTimes.front() < m_frameTimes.back() - 1000)
        m_frameTimes.pop_front();
    ++m_linkFrames;
    if (m_faults.dropAfterFrames && m_linkFrames >= *m_faults.dropAfterFrames)
        m_controller->close(QStringLiteral("fault: link cut after %1 frames").arg(m_linkFrames));
    return true;
}

} // namespace vr
