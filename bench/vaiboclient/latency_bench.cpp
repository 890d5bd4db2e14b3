#include "bench/vaiboclient/benchsupport.h"
#include "framework/vaibomessages.h"
#include "toolkit/core/windowmessageevent.h"
#include "toolkit/core/windowmessages.h"
#include "vaiboclient/cvaibo.h"
#include "vaiboclient/jpegdecoder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

// A 30 fps camera stream through the client into an offscreen pane, with
// the window's handler doing what the panel's does (fetch the frame, name
// the pane, repaint at once). Reports the latency from the robot handing a
// frame to its socket until the pane has painted it, and how busy the GUI
// thread is. Beside them, measured in the same run: the bare loopback
// transfer of a frame, the bare decode and the bare scaled paint.
namespace {

int frames()
{
    return bench::runLength(300, 30);
}
constexpr std::chrono::microseconds kPeriod{33333};
const QSize kPaneSize(416, 320);

// The panel's window, reduced to its camera frame handler.
class Window : public QObject
{
public:
    Window(QFrame &pane, const bench::BenchRobot &robot) : m_pane(pane), m_robot(robot) {}

    /// The client that reports to this window.
    CVAIBO *client = nullptr;
    std::vector<double> latencies;
    std::vector<double> handlerStarts;
    double busyMicroseconds = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != tk::WindowMessageEvent::eventType())
            return QObject::event(event);
        const auto *message = static_cast<tk::WindowMessageEvent *>(event);
        if (message->message() != tk::registerWindowMessage(vaibo::kImageUpdateMessage))
            return true;
        const auto start = bench::Clock::now();
        const auto size = static_cast<std::size_t>(message->lParam());
        if (m_buffer.size() < size)
            m_buffer.resize(size * 2);
        client->ImageGetData(m_buffer.data(), static_cast<int>(size));
        client->ImageSetWindowHandle(&m_pane, this);
        m_pane.repaint();
        const auto painted = bench::Clock::now();
        busyMicroseconds += std::chrono::duration<double, std::micro>(painted - start).count();
        std::uint32_t number = 0;
        for (std::size_t i = size - 4; i < size; ++i)
            number = (number << 8) | m_buffer[i];
        const auto sent = m_robot.sentAt(number);
        latencies.push_back(std::chrono::duration<double, std::micro>(painted - sent).count());
        handlerStarts.push_back(std::chrono::duration<double, std::micro>(start - sent).count());
        return true;
    }

private:
    QFrame &m_pane;
    const bench::BenchRobot &m_robot;
    std::vector<unsigned char> m_buffer;
};

double medianMicroseconds(int count, const std::function<void()> &work)
{
    return bench::percentile(bench::timedMicroseconds(count, [&](int) { work(); }), 0.5);
}

} // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::readShortRun(argc, argv);
    QApplication app(argc, argv);
    bench::BenchRobot robot;
    bench::useRobotAt(robot.port());

    QFrame pane;
    pane.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane.resize(kPaneSize);
    pane.show();
    Window window(pane, robot);
    CVAIBO client(&window);
    window.client = &client;
    if (client.Connect("127.0.0.1", nullptr, nullptr) < 0)
        return EXIT_FAILURE;
    const auto jpeg = bench::cameraLikeJpeg(208, 160, 1);
    robot.startFrames(jpeg, kPeriod, frames());

    QElapsedTimer wall;
    wall.start();
    // Wakes the loop below now and then; the timed processEvents overload
    // would return at once when idle and spin.
    QTimer wake;
    wake.start(50);
    while (!robot.framesDone() || window.latencies.size() < static_cast<std::size_t>(frames())) {
        app.processEvents(QEventLoop::WaitForMoreEvents);
        if (wall.elapsed() > 30000)
            break;
    }
    const double wallMicroseconds = static_cast<double>(wall.nsecsElapsed()) / 1000.0;
    std::printf("%d frames of %zu bytes at 30 fps into a %dx%d pane, %zu painted\n", frames(), jpeg.size(),
                kPaneSize.width(), kPaneSize.height(), window.latencies.size());
    std::printf("send to painted latency        p50 %7.1f us   p99 %7.1f us\n",
                bench::percentile(window.latencies, 0.5), bench::percentile(window.latencies, 0.99));
    std::printf("  of which send to handler     p50 %7.1f us   p99 %7.1f us\n",
                bench::percentile(window.handlerStarts, 0.5), bench::percentile(window.handlerStarts, 0.99));
    std::printf("GUI thread busy in the handler %6.2f %% of the time (%.1f us per frame)\n",
                100.0 * window.busyMicroseconds / wallMicroseconds,
                window.busyMicroseconds / static_cast<double>(std::max<std::size_t>(1, window.latencies.size())));

    const auto transfer = bench::loopbackRoundTrips(jpeg.size() + 24, 16, 500);
    std::printf("bare loopback frame transfer   p50 %7.1f us   (round trip of the frame's bytes)\n",
                bench::percentile(transfer, 0.5));
    vaibo::JpegDecoder decoder;
    std::printf("bare decode                    p50 %7.1f us\n",
                medianMicroseconds(500, [&] { decoder.decode(jpeg.data(), jpeg.size(), 4096); }));
    const vaibo::Bitmap bitmap = decoder.decode(jpeg.data(), jpeg.size(), 4096);
    const QImage picture = bench::imageOf(bitmap);
    QImage target(kPaneSize, QImage::Format_RGB32);
    std::printf("bare scaled paint              p50 %7.1f us\n", medianMicroseconds(500, [&] {
                    QPainter painter(&target);
                    painter.setRenderHint(QPainter::SmoothPixmapTransform);
                    painter.drawImage(QRect(QPoint(0, 0), kPaneSize), picture);
                }));
    return 0;
}
