#include "bench/vaiboclient/benchsupport.h"
#include "vaiboclient/cvaibo.h"

#include <QCoreApplication>
#include <QObject>

#include <cstdio>
#include <cstdlib>

// Round trip of one robot command over loopback through the client (request
// out on the GUI thread, reply in on the network thread, hand-over back),
// beside a bare TCP ping-pong of the same byte counts between two threads.
namespace {

int calls()
{
    return bench::runLength(5000, 100);
}

void report(const char *what, const std::vector<double> &samples)
{
    std::printf("%-40s p50 %6.1f us   p99 %6.1f us\n", what, bench::percentile(samples, 0.5),
                bench::percentile(samples, 0.99));
}

// Request and reply sizes on the wire: header plus payload.
constexpr std::size_t kRequestBytes = 8 + 8;
constexpr std::size_t kReplyBytes = 8 + 8;

} // namespace

int main(int argc, char **argv)
{
    bench::readShortRun(argc, argv);
    QCoreApplication app(argc, argv);
    bench::BenchRobot robot;
    bench::useRobotAt(robot.port());
    QObject window;
    CVAIBO client(&window);
    if (client.Connect("127.0.0.1", nullptr, nullptr) < 0)
        return EXIT_FAILURE;
    // Connected once a call goes through.
    const auto deadline = bench::Clock::now() + std::chrono::seconds(3);
    while (client.MotionStop() != 0) {
        if (bench::Clock::now() > deadline)
            return EXIT_FAILURE;
    }
    int failures = 0;
    const auto samples = bench::timedMicroseconds(calls(), [&](int) { failures += client.MotionStop() != 0; });
    if (failures > 0)
        return EXIT_FAILURE;
    std::printf("%d calls over loopback\n", calls());
    report("client command round trip", samples);
    report("bare TCP ping-pong, same sizes", bench::loopbackRoundTrips(kRequestBytes, kReplyBytes, calls()));
    return 0;
}
