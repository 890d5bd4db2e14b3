#include "bench/endtoend/benchsession.h"
#include "bench/vaiboclient/benchsupport.h"
#include "res/resource.h"
#include "vaiboclient/cvaibo.h"
#include "vaiboclient/settings.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// A command button clicked through the panel's window (停止, MotionStop) and
// the moment its request reaches the robot, from the button's release, which
// is the click; the press comes long before it when a person clicks, so its
// handling is shown apart. The tapping relay in front of the virtual robot
// notes when the request's bytes came in, on this process's steady clock:
// where and when the robot would receive it. Measured while pictures stream
// and again with them paused. Beside it, from the same run: a bare loopback
// round trip of a request-sized message, the client library's call alone,
// and a click through a window on a plain button until its clicked signal.
namespace {

using e2ebench::BenchSession;
using e2ebench::clickAt;
using e2ebench::widgetOf;
using e2ebench::windowOf;
using e2ebench::Clock;
using e2ebench::microseconds;

int clickCount()
{
    return bench::runLength(300, 20);
}
constexpr std::chrono::milliseconds kBetweenClicks{10};

struct Clicks
{
    /// From the button's release, when the click happens, to the robot.
    std::vector<double> toRobot;
    /// From the press, the press's own handling included, to the robot.
    std::vector<double> pressToRobot;
    /// From the release until the handler returned with the reply.
    std::vector<double> untilReply;
};

Clicks clickStop(BenchSession &session)
{
    Clicks clicks;
    QWindow *window = windowOf(session.panel()).windowHandle();
    const QWidget *button = widgetOf(session.panel(), IDC_STOP);
    const QPoint stop = button->mapTo(&windowOf(session.panel()), button->rect().center());
    for (int i = 0; i < clickCount(); ++i) {
        BenchSession::run(kBetweenClicks);
        const std::size_t before = session.relay().requestArrivals().size();
        const auto pressed = Clock::now();
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, stop);
        const auto released = Clock::now();
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, stop);
        const auto returned = Clock::now();
        const std::vector<Clock::time_point> arrivals = session.relay().requestArrivals();
        // The first request after the release is the click's: the battery
        // timer can only run after the handler has returned.
        const auto arrival = std::find_if(arrivals.begin() + static_cast<std::ptrdiff_t>(before), arrivals.end(),
                                          [&](Clock::time_point at) { return at >= released; });
        if (arrival == arrivals.end())
            continue;
        clicks.toRobot.push_back(microseconds(released, *arrival));
        clicks.pressToRobot.push_back(microseconds(pressed, *arrival));
        clicks.untilReply.push_back(microseconds(released, returned));
    }
    return clicks;
}

void print(const char *label, const Clicks &clicks)
{
    std::printf("%s: %zu clicks\n", label, clicks.toRobot.size());
    std::printf("  click (release) to robot received  p50 %7.1f us  p99 %7.1f us   goal p99 <= 1000\n",
                bench::percentile(clicks.toRobot, 0.5), bench::percentile(clicks.toRobot, 0.99));
    std::printf("  press to robot received            p50 %7.1f us  p99 %7.1f us\n",
                bench::percentile(clicks.pressToRobot, 0.5), bench::percentile(clicks.pressToRobot, 0.99));
    std::printf("  release to handler returned        p50 %7.1f us  p99 %7.1f us\n",
                bench::percentile(clicks.untilReply, 0.5), bench::percentile(clicks.untilReply, 0.99));
}

std::vector<double> plainButtonClicks()
{
    QWidget window;
    window.resize(200, 100);
    QPushButton button(QStringLiteral("停止"), &window);
    button.setGeometry(50, 30, 100, 40);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    Clock::time_point clicked;
    QObject::connect(&button, &QPushButton::clicked, &button, [&] { clicked = Clock::now(); });
    std::vector<double> times;
    for (int i = 0; i < clickCount(); ++i) {
        const auto start = Clock::now();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, button.geometry().center());
        times.push_back(microseconds(start, clicked));
    }
    return times;
}

// The client library's call alone, on a second link to a second robot.
std::vector<double> bareLibraryCalls()
{
    RobotProcess robot;
    if (!robot.start())
        return {};
    e2ebench::TappingRelay relay(robot.port());
    vaibo::Settings settings = vaibo::settings();
    settings.port = relay.port();
    vaibo::setSettings(settings);
    QObject window;
    CVAIBO client(&window);
    if (client.Connect("127.0.0.1", nullptr, nullptr) != 0 ||
        !BenchSession::runUntil([&] { return client.ExternalControl(1) == 1; }, std::chrono::seconds(3)))
        return {};
    std::vector<double> times;
    for (int i = 0; i < clickCount(); ++i) {
        BenchSession::run(kBetweenClicks);
        const std::size_t before = relay.requestArrivals().size();
        const auto start = Clock::now();
        client.MotionStop();
        const std::vector<Clock::time_point> arrivals = relay.requestArrivals();
        if (arrivals.size() > before)
            times.push_back(microseconds(start, arrivals[before]));
    }
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::readShortRun(argc, argv);
    QApplication app(argc, argv);
    BenchSession session;
    if (!session.start())
        return EXIT_FAILURE;
    BenchSession::run(std::chrono::milliseconds(500));

    const Clicks streaming = clickStop(session);
    session.robot().command(QStringLiteral("pause"));
    BenchSession::run(std::chrono::milliseconds(200));
    const Clicks paused = clickStop(session);

    std::printf("停止 clicked through the panel's window; robot side: the relay in front of the virtual robot, "
                "this process's steady clock\n");
    print("while pictures stream at 30 fps", streaming);
    print("with the pictures paused", paused);
    const auto loopback = bench::loopbackRoundTrips(32, 16, 1000);
    std::printf("  beside: bare loopback round trip, 32 bytes there and 16 back  p50 %7.1f us  p99 %7.1f us\n",
                bench::percentile(loopback, 0.5), bench::percentile(loopback, 0.99));
    const auto library = bareLibraryCalls();
    std::printf("  beside: the client library's call alone to robot received    p50 %7.1f us  p99 %7.1f us\n",
                bench::percentile(library, 0.5), bench::percentile(library, 0.99));
    const auto plain = plainButtonClicks();
    std::printf("  beside: a press and release through a window to a plain button's signal  p50 %7.1f us  p99 %7.1f us\n",
                bench::percentile(plain, 0.5), bench::percentile(plain, 0.99));
    std::printf("click to robot p50 / loopback round trip: %.2f   goal <= 3 (while pictures stream)\n",
                bench::percentile(streaming.toRobot, 0.5) / bench::percentile(loopback, 0.5));
    return streaming.toRobot.empty() || paused.toRobot.empty() ? EXIT_FAILURE : EXIT_SUCCESS;
}
