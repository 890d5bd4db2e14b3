#include "bench/endtoend/benchsession.h"
#include "bench/vaiboclient/benchsupport.h"
#include "link/vaibomessageids.h"
#include "res/resource.h"
#include "toolkit/core/sleep.h"
#include "toolkit/core/windowmessageevent.h"
#include "toolkit/core/windowmessages.h"
#include "vaiboclient/jpegdecoder.h"

#include <QApplication>
#include <QBackingStore>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>

// The camera stream from the virtual robot through the panel's client into
// the panel's image pane, at the robot's 208x160 and 30 fps:
// - frame arrival to painted, p50 and p99: from the relay handing a frame to
//   the client's socket (the steady clock of this process) to the end of the
//   pane's paint that showed it, the frame told by the number drawn into its
//   picture and read back from the painted pixels;
// - how busy the panel's thread is while pictures stream (its CPU time over
//   the wall time);
// - after the panel's thread stood still for 5 s (the bone play's pause,
//   slept for real), the age of the first picture painted.
// Beside each, figures measured in the same run: a bare loopback transfer
// of the frame's bytes, the bare decode, the bare scaled paint, the frame
// period, and the thread's CPU with the robot's pictures paused.
// --screenshot FILE saves the whole panel once pictures flow.
namespace {

using e2ebench::BenchSession;
using e2ebench::clickAt;
using e2ebench::widgetOf;
using e2ebench::windowOf;
using e2ebench::Clock;
using e2ebench::microseconds;

std::chrono::milliseconds streaming()
{
    return bench::runLength<std::chrono::milliseconds>(std::chrono::seconds(10), std::chrono::seconds(1));
}

std::chrono::milliseconds idle()
{
    return bench::runLength<std::chrono::milliseconds>(std::chrono::seconds(3), std::chrono::milliseconds(300));
}

int stalls()
{
    return bench::runLength(3, 1);
}

/// Hands each paint of the pane, with its start and end, to a callback, and
/// keeps the size of the last frame announced to the panel.
class PaintClock : public QApplication
{
public:
    using QApplication::QApplication;

    QWidget *pane = nullptr;
    QObject *panel = nullptr;
    std::size_t announcedSize = 0;
    Clock::time_point announcementHandled;
    std::function<void(Clock::time_point start, Clock::time_point end)> onPanePainted;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (receiver == panel && event->type() == tk::WindowMessageEvent::eventType()) {
            const auto *message = static_cast<tk::WindowMessageEvent *>(event);
            if (message->message() == robotlink::kImageUpdateMessageId) {
                announcedSize = static_cast<std::size_t>(message->lParam());
                announcementHandled = Clock::now();
            }
        }
        if (receiver != pane || event->type() != QEvent::Paint)
            return QApplication::notify(receiver, event);
        const auto start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const auto end = Clock::now();
        if (onPanePainted)
            onPanePainted(start, end);
        return handled;
    }
};

/// Sleeps for real and notes when each pause ended.
class StallSleeper : public tk::Sleeper
{
public:
    StallSleeper() : m_previous(tk::setSleeper(this)) {}
    ~StallSleeper() override { tk::setSleeper(m_previous); }
    StallSleeper(const StallSleeper &) = delete;
    StallSleeper &operator=(const StallSleeper &) = delete;

    void sleep(unsigned milliseconds) override
    {
        // A short run stalls a tenth as long: enough to show the panel catching up.
        std::this_thread::sleep_for(std::chrono::milliseconds(bench::runLength(milliseconds, milliseconds / 10)));
        ended = Clock::now();
    }

    Clock::time_point ended;

private:
    tk::Sleeper *m_previous;
};

double threadCpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

/// One paint of a new picture: how old its picture and the bytes the panel
/// fetched for it were at the end of the paint.
struct Painted
{
    Clock::time_point end;
    double pictureAge = 0;
    double fetchedAge = -1;
    /// From the frame leaving the relay to the panel's handler starting,
    /// when the handler fetched the frame it painted.
    std::optional<double> untilHandler;
};

class Stream
{
public:
    Stream(PaintClock &app, BenchSession &session) : m_app(app), m_session(session)
    {
        m_app.pane = widgetOf(session.panel(), IDC_IMAGE_PANE);
        m_app.panel = &windowOf(session.panel());
        m_app.onPanePainted = [this](Clock::time_point start, Clock::time_point end) { painted(start, end); };
    }

    std::vector<Painted> paints;
    double paintMicroseconds = 0;
    int unreadable = 0;

private:
    void painted(Clock::time_point start, Clock::time_point end)
    {
        paintMicroseconds += microseconds(start, end);
        const QWidget *pane = m_app.pane;
        auto *store = dynamic_cast<QImage *>(windowOf(m_session.panel()).backingStore()->paintDevice());
        if (store == nullptr) {
            ++unreadable;
            return;
        }
        const QRect picture(pane->mapTo(&windowOf(m_session.panel()), pane->contentsRect().topLeft()),
                            pane->contentsRect().size());
        const std::optional<std::uint32_t> marker = e2ebench::readMarker(*store, picture);
        const std::optional<std::uint32_t> number = marker ? m_session.relay().frameOfMarker(*marker) : std::nullopt;
        const auto sent = number ? m_session.relay().frameSentAt(*number) : std::nullopt;
        if (!sent) {
            ++unreadable;
            return;
        }
        if (*number == m_lastNumber)
            return;
        m_lastNumber = *number;
        Painted paint{end, microseconds(*sent, end), -1, std::nullopt};
        const auto fetched =
            e2ebench::trailingNumber(m_session.panel().window().imageBuffer().data(), m_app.announcedSize);
        if (const auto fetchedSent = fetched ? m_session.relay().frameSentAt(*fetched) : std::nullopt) {
            paint.fetchedAge = microseconds(*fetchedSent, end);
            if (*fetched == *number)
                paint.untilHandler = microseconds(*fetchedSent, m_app.announcementHandled);
        }
        paints.push_back(paint);
    }

    PaintClock &m_app;
    BenchSession &m_session;
    std::uint32_t m_lastNumber = 0;
};

std::vector<double> pictureAges(const std::vector<Painted> &paints, std::size_t first)
{
    std::vector<double> ages;
    for (std::size_t i = first; i < paints.size(); ++i)
        ages.push_back(paints[i].pictureAge);
    return ages;
}

std::vector<double> untilHandler(const std::vector<Painted> &paints, std::size_t first)
{
    std::vector<double> delays;
    for (std::size_t i = first; i < paints.size(); ++i) {
        if (paints[i].untilHandler)
            delays.push_back(*paints[i].untilHandler);
    }
    return delays;
}

double median(int count, const std::function<void()> &work)
{
    return bench::percentile(bench::timedMicroseconds(count, [&](int) { work(); }), 0.5);
}

/// The physical figures of a picture's path, measured in the run.
struct Physical
{
    double loopback = 0;
    double decode = 0;
    double smoothPaint = 0;
    // Decode and smooth paint again, one picture per frame period with the
    // thread asleep in between, as the stream's own work is done: caches and
    // clock as cold as they are for a real frame.
    double pacedDecodeAndPaint = 0;
};

Physical printPhysical(const BenchSession &session, QSize paneSize)
{
    const std::vector<std::uint8_t> jpeg = session.relay().sampleJpeg();
    const auto transfer = bench::loopbackRoundTrips(jpeg.size() + 25, 16, 500);
    vaibo::JpegDecoder decoder;
    const vaibo::Bitmap bitmap = decoder.decode(jpeg.data(), jpeg.size(), 4096);
    const QImage picture = bench::imageOf(bitmap);
    QImage target(paneSize, QImage::Format_RGB32);
    Physical physical;
    physical.loopback = bench::percentile(transfer, 0.5);
    physical.decode = median(500, [&] { decoder.decode(jpeg.data(), jpeg.size(), 4096); });
    const auto smoothPaint = [&](const QImage &image) {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), paneSize), image);
    };
    physical.smoothPaint = median(500, [&] { smoothPaint(picture); });
    std::vector<double> paced;
    for (int i = 0; i < 60; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(33333));
        const auto start = Clock::now();
        smoothPaint(bench::imageOf(decoder.decode(jpeg.data(), jpeg.size(), 4096)));
        paced.push_back(microseconds(start, Clock::now()));
    }
    physical.pacedDecodeAndPaint = bench::percentile(paced, 0.5);
    std::printf("  beside: bare loopback, the frame's %zu bytes there and 16 back  p50 %7.1f us  p99 %7.1f us\n",
                jpeg.size(), physical.loopback, bench::percentile(transfer, 0.99));
    std::printf("  beside: bare decode of that frame                        p50 %7.1f us\n", physical.decode);
    std::printf("  beside: bare smooth paint of the picture into %dx%d      p50 %7.1f us\n", paneSize.width(),
                paneSize.height(), physical.smoothPaint);
    std::printf("  beside: decode and smooth paint at the stream's pace, one every 33 ms  p50 %7.1f us\n",
                physical.pacedDecodeAndPaint);
    return physical;
}

} // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::readShortRun(argc, argv);
    PaintClock app(argc, argv);
    const char *screenshot = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0)
            screenshot = argv[i + 1];
    }

    if (screenshot != nullptr) {
        // Straight to the robot, so the picture carries no relay marker.
        BenchSession direct;
        if (!direct.start(false))
            return EXIT_FAILURE;
        BenchSession::run(std::chrono::seconds(1));
        direct.panel().tickBattery();
        if (!windowOf(direct.panel()).grab().save(QString::fromLocal8Bit(screenshot)))
            std::fprintf(stderr, "could not save %s\n", screenshot);
    }

    BenchSession session;
    if (!session.start())
        return EXIT_FAILURE;
    Stream stream(app, session);
    BenchSession::run(std::chrono::seconds(1));

    // Steady streaming.
    const std::size_t first = stream.paints.size();
    const std::uint32_t framesBefore = session.relay().framesSent();
    const double paintBefore = stream.paintMicroseconds;
    const double cpuBefore = threadCpuMicroseconds();
    const auto wallStart = Clock::now();
    BenchSession::run(streaming());
    const double wall = microseconds(wallStart, Clock::now());
    const double cpu = threadCpuMicroseconds() - cpuBefore;
    const double paintTime = stream.paintMicroseconds - paintBefore;
    const std::uint32_t frames = session.relay().framesSent() - framesBefore;
    const std::vector<double> ages = pictureAges(stream.paints, first);
    const std::vector<double> queued = untilHandler(stream.paints, first);

    // The same panel, connected, with the robot's pictures paused.
    session.robot().command(QStringLiteral("pause"));
    BenchSession::run(std::chrono::milliseconds(200));
    const double idleCpuBefore = threadCpuMicroseconds();
    const auto idleStart = Clock::now();
    BenchSession::run(idle());
    const double idleShare = (threadCpuMicroseconds() - idleCpuBefore) / microseconds(idleStart, Clock::now());
    session.robot().command(QStringLiteral("resume"));
    BenchSession::run(std::chrono::milliseconds(500));

    // Stalls: the bone play pauses the panel's thread for 5 s.
    StallSleeper sleeper;
    std::vector<Painted> afterStalls;
    std::vector<Painted> secondAfterStalls;
    std::vector<Clock::time_point> stallEnds;
    for (int stall = 0; stall < stalls(); ++stall) {
        const std::size_t before = stream.paints.size();
        session.panel().click(IDC_BONE_PLAY);
        BenchSession::runUntil(
            [&] {
                return std::count_if(stream.paints.begin() + static_cast<std::ptrdiff_t>(before), stream.paints.end(),
                                     [&](const Painted &paint) { return paint.end > sleeper.ended; }) >= 2;
            },
            std::chrono::seconds(2));
        std::vector<Painted> later;
        std::copy_if(stream.paints.begin() + static_cast<std::ptrdiff_t>(before), stream.paints.end(),
                     std::back_inserter(later), [&](const Painted &paint) { return paint.end > sleeper.ended; });
        if (later.size() >= 2) {
            stallEnds.push_back(sleeper.ended);
            afterStalls.push_back(later[0]);
            secondAfterStalls.push_back(later[1]);
        }
        BenchSession::run(std::chrono::milliseconds(300));
    }

    const QSize paneSize = app.pane->contentsRect().size();
    std::printf("virtual robot pictures, 208x160 at 30 fps, painted into a %dx%d pane; clock: this process's "
                "steady clock, from the relay handing the frame to the client's socket\n",
                paneSize.width(), paneSize.height());
    std::printf("frame arrival to painted (%zu pictures in %lld s)  p50 %7.1f us  p99 %7.1f us   goal p50 <= 1000, "
                "p99 <= 3000\n",
                ages.size(), static_cast<long long>(streaming().count() / 1000), bench::percentile(ages, 0.5),
                bench::percentile(ages, 0.99));
    std::printf("  of which until the panel's frame handler began     p50 %7.1f us  p99 %7.1f us (%zu pictures)\n",
                bench::percentile(queued, 0.5), bench::percentile(queued, 0.99), queued.size());
    std::printf("  (%d paints showed no readable picture number)\n", stream.unreadable);
    const Physical physical = printPhysical(session, paneSize);
    std::printf("  beside: frame period as sent, mean                         %7.1f us (%u frames)\n",
                wall / std::max(1U, frames), frames);
    const double panePaint = paintTime / static_cast<double>(std::max<std::size_t>(1, ages.size()));

    std::printf("GUI thread busy while streaming (thread CPU / wall)   %6.2f %%   goal <= 3 %%\n", 100.0 * cpu / wall);
    std::printf("  of which in the pane's paints                       %6.2f %% (%.1f us a picture)\n",
                100.0 * paintTime / wall, panePaint);
    std::printf("  beside: the same panel connected, pictures paused   %6.2f %%\n", 100.0 * idleShare);

    std::printf("after a %.1f s stall of the panel's thread (%zu of %d stalls measured):\n", bench::runLength(5.0, 0.5),
                afterStalls.size(), stalls());
    for (std::size_t i = 0; i < afterStalls.size(); ++i) {
        std::printf("  stall %zu: first picture painted %6.2f ms after the stall, its picture %6.2f ms old (goal "
                    "<= 33.3); the bytes fetched with it %8.2f ms old; the next picture %6.2f ms old\n",
                    i + 1, microseconds(stallEnds[i], afterStalls[i].end) / 1000.0, afterStalls[i].pictureAge / 1000.0,
                    afterStalls[i].fetchedAge / 1000.0, secondAfterStalls[i].pictureAge / 1000.0);
    }
    std::printf("frame to painted p50 / physical: %.2f   goal <= 2 (physical: loopback + decode + smooth paint, "
                "%.1f us)\n",
                bench::percentile(ages, 0.5) / (physical.loopback + physical.decode + physical.smoothPaint),
                physical.loopback + physical.decode + physical.smoothPaint);
    std::printf("pane paint / bare paint: %.2f   goal <= 1.5\n", panePaint / physical.smoothPaint);
    const double paced = physical.loopback + physical.pacedDecodeAndPaint;
    std::printf("frame to painted p50 / physical at the stream's pace: %.2f   (loopback + paced decode and paint, "
                "%.1f us)\n",
                bench::percentile(ages, 0.5) / paced, paced);
    return afterStalls.size() == static_cast<std::size_t>(stalls()) ? EXIT_SUCCESS : EXIT_FAILURE;
}
