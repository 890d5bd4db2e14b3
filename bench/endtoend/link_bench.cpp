#include "bench/endtoend/benchsession.h"
#include "bench/vaiboclient/benchsupport.h"
#include "res/resource.h"
#include "res/strings.h"
#include "tests/endtoend/livepanel.h"
#include "tests/support/paneldirectory.h"
#include "tests/endtoend/robotprocess.h"
#include "tests/peers/linkshaper.h"
#include "tests/support/recordingvaibo.h"
#include "vaiboclient/settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QJsonObject>
#include <QRegularExpression>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// The real panel on its real robot client and the real virtual robot
// program over a slow link, one row per rate: the rate is both directions
// together, as on one radio channel. As root the link is the loopback of a
// network namespace of its own, shaped by the kernel's token bucket (tbf);
// otherwise, and for the row with added delay, by the portable relay of
// tests/peers. Each row connects, runs the start sequence, then clicks 前進
// and the 停止 above the pages (one request each; the walking page's stands
// the robot up too, two) in turn once a second while pictures play, and
// prints: commands
// failed, link drops, command round trip p50/p95 (the click's handler until
// it returned), picture age from capture to paint p50/p95 (as the pane's
// readout shows it), frames per second delivered against what the link can
// carry for the average frame, the JPEG quality, and the robot's queued
// bytes p95 (its socket's unsent and unacknowledged bytes, with what the
// relay holds). A last row drops from 2 Mbit/s to 250 kbit/s and back.
// Options: --seconds N per row (30), --only PREFIX (the rows whose label
// starts so, "drop" for the last), --short (the first row through the
// relay for 2 s), --inside (set by the bench itself).
namespace {

using e2ebench::BenchSession;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kFramesPerSecond = 30;
constexpr double kBurstBytes = 16 * 1024;
constexpr double kHeaderBytes = 24;

struct Row
{
    const char *label;
    double bitsPerSecond; // 0: unshaped
    std::chrono::microseconds delay{0};
    std::chrono::microseconds jitter{0};
};

bool g_kernelShaping = false;

bool shell(const std::string &command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The kernel's token bucket on this namespace's loopback; 0 removes it.
void shapeLoopback(double bitsPerSecond)
{
    if (bitsPerSecond <= 0)
        shell("tc qdisc del dev lo root");
    else
        shell("tc qdisc replace dev lo root tbf rate " + std::to_string(static_cast<long>(bitsPerSecond))
              + "bit burst 16kb latency 50ms");
}

// Unsent and unacknowledged bytes of the robot's socket.
std::size_t robotQueuedBytes(std::uint16_t port)
{
    const std::string command = "ss -tnH state established '( sport = :" + std::to_string(port) + " )' 2>/dev/null";
    FILE *pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return 0;
    std::size_t total = 0;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        unsigned long receiveQueue = 0;
        unsigned long sendQueue = 0;
        if (std::sscanf(line, "%lu %lu", &receiveQueue, &sendQueue) == 2)
            total += sendQueue;
    }
    ::pclose(pipe);
    return total;
}

// The age the pane's readout shows, in ms; "12 fps 180 ms ⇄ 40 ms" or "1.2 s".
std::optional<double> readoutAge(const QString &readout)
{
    static const QRegularExpression age(QStringLiteral("^\\d+ fps +(\\d+(?:\\.\\d)?) (ms|s)"));
    const QRegularExpressionMatch match = age.match(readout);
    if (!match.hasMatch())
        return std::nullopt;
    const double value = match.captured(1).toDouble();
    return match.captured(2) == QLatin1String("s") ? value * 1000 : value;
}

struct Measured
{
    bool started = false;
    int commands = 0;
    int failed = 0;
    int drops = 0;
    std::vector<double> roundTripsMs;
    std::vector<double> agesMs;
    double idleRoundTripMs = 0;
    double framesPerSecond = 0;
    double averageFrameBytes = 0;
    double quality = -1;
    std::vector<double> queuedBytes;
    // Seconds from the link's recovery until full rate and quality, for the
    // drop row.
    std::optional<double> recovery;
};

// Frames the robot sent in [from, to) of its trace clock, their mean size
// and median quality.
struct Frames
{
    int count = 0;
    double bytes = 0;
    double quality = -1;
};

Frames framesBetween(const RobotProcess &robot, qint64 from, qint64 to)
{
    Frames frames;
    std::vector<double> qualities;
    for (const QJsonObject &frame : robot.trace(QStringLiteral("frame"))) {
        const qint64 at = frame.value(QStringLiteral("t")).toInteger();
        if (at < from || at >= to)
            continue;
        ++frames.count;
        frames.bytes += frame.value(QStringLiteral("bytes")).toDouble();
        if (frame.contains(QStringLiteral("quality")))
            qualities.push_back(frame.value(QStringLiteral("quality")).toDouble());
    }
    if (frames.count > 0)
        frames.bytes /= frames.count;
    if (!qualities.empty())
        frames.quality = bench::percentile(qualities, 0.5);
    return frames;
}

// The robot's trace clock now, from its newest line.
qint64 traceNow(const RobotProcess &robot)
{
    const std::vector<QJsonObject> lines = robot.trace();
    return lines.empty() ? 0 : lines.back().value(QStringLiteral("t")).toInteger();
}

class RowSession
{
public:
    explicit RowSession(const Row &row) : m_row(row) {}
    ~RowSession()
    {
        m_sampling = false;
        if (m_sampler.joinable())
            m_sampler.join();
        m_panel.reset();
        m_shaper.reset();
        vaibo::setSettings({});
    }

    bool start()
    {
        if (!m_directory.isReady() || !m_robot.start()) {
            std::fprintf(stderr, "virtual robot: %s\n", qPrintable(m_robot.error()));
            return false;
        }
        reshape(m_row.bitsPerSecond);
        vaibo::Settings settings;
        settings.port = m_shaper ? m_shaper->port() : m_robot.port();
        vaibo::setSettings(settings);
        m_sampler = std::thread([this] {
            while (m_sampling) {
                std::size_t held = robotQueuedBytes(m_robot.port());
                if (m_shaper)
                    held += m_shaper->heldBytes(peers::LinkShaper::Direction::FromTarget);
                {
                    const std::lock_guard lock(m_mutex);
                    m_queued.push_back(static_cast<double>(held));
                }
                std::this_thread::sleep_for(100ms);
            }
        });
        m_panel = std::make_unique<LivePanel>();
        return m_panel->open();
    }

    // The link's rate from now on, on the kernel's bucket or the relay's.
    void reshape(double bitsPerSecond)
    {
        const bool relay = !g_kernelShaping || m_row.delay.count() > 0;
        if (g_kernelShaping)
            shapeLoopback(bitsPerSecond);
        if (!relay)
            return;
        peers::LinkShape shape;
        shape.bitsPerSecond = g_kernelShaping ? 0 : bitsPerSecond;
        shape.burstBytes = static_cast<std::size_t>(kBurstBytes);
        shape.delay = m_row.delay;
        shape.jitter = m_row.jitter;
        if (m_shaper)
            m_shaper->reshape(shape);
        else
            m_shaper = std::make_unique<peers::LinkShaper>(m_robot.port(), shape);
    }

    // Connects and waits for the start sequence's last text.
    bool connect(Measured &measured)
    {
        m_panel->click(IDC_CONNECT);
        const auto done = [&] {
            const std::string status = m_panel->statusText();
            return status.find("SETPARAM") != std::string::npos || status.find("エラー") != std::string::npos
                   || m_robot.count(QStringLiteral("close")) > 0;
        };
        BenchSession::runUntil(done, 15s);
        measured.started = m_panel->statusText() == res::kImageSetParamOk;
        return true;
    }

    // Clicks 前進 and 停止 in turn, once a second, for this long.
    void drive(std::chrono::seconds length, Measured &measured, const std::function<void(int)> &everySecond = {})
    {
        const qint64 from = traceNow(m_robot);
        {
            const std::lock_guard lock(m_mutex);
            m_queued.clear();
        }
        QWidget *pane = e2ebench::widgetOf(*m_panel, IDC_IMAGE_PANE);
        QString lastReadout;
        for (int second = 0; second < length.count(); ++second) {
            if (everySecond)
                everySecond(second);
            const bool forward = second % 2 == 0;
            const auto clicked = Clock::now();
            m_panel->click(forward ? IDC_FORWARD : IDC_STOP);
            measured.roundTripsMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - clicked).count());
            ++measured.commands;
            // Offline, the panel sends nothing and says nothing: that fails too.
            if (m_panel->text(IDC_LINK_INDICATOR) != res::kOnline
                || m_panel->statusText() != (forward ? res::kForwardSent : res::kStopDone))
                ++measured.failed;
            const auto next = clicked + 1s;
            while (Clock::now() < next) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                const QString readout = pane->accessibleDescription();
                if (readout != lastReadout) {
                    lastReadout = readout;
                    if (const auto age = readoutAge(readout))
                        measured.agesMs.push_back(*age);
                }
            }
        }
        const qint64 to = traceNow(m_robot);
        const Frames frames = framesBetween(m_robot, from, to);
        measured.framesPerSecond = to > from ? frames.count * 1000.0 / static_cast<double>(to - from) : 0;
        measured.averageFrameBytes = frames.bytes;
        measured.quality = frames.quality;
        measured.drops = m_robot.count(QStringLiteral("close"));
        const std::lock_guard lock(m_mutex);
        measured.queuedBytes = m_queued;
    }

    // The command round trip with the pictures paused.
    double idleRoundTrip()
    {
        m_robot.command(QStringLiteral("pause"));
        BenchSession::run(500ms);
        std::vector<double> trips;
        for (int i = 0; i < 4; ++i) {
            const auto clicked = Clock::now();
            m_panel->click(IDC_STOP);
            trips.push_back(std::chrono::duration<double, std::milli>(Clock::now() - clicked).count());
            BenchSession::run(100ms);
        }
        m_robot.command(QStringLiteral("resume"));
        BenchSession::run(1s);
        return bench::percentile(trips, 0.5);
    }

    RobotProcess &robot() { return m_robot; }

private:
    Row m_row;
    PanelDirectory m_directory;
    RobotProcess m_robot;
    std::unique_ptr<peers::LinkShaper> m_shaper;
    std::vector<std::string> m_pauses;
    RecordingSleeper m_sleeper{m_pauses};
    std::unique_ptr<LivePanel> m_panel;
    std::mutex m_mutex;
    std::vector<double> m_queued;
    std::atomic<bool> m_sampling{true};
    std::thread m_sampler;
};

// One frame's time through the link, ms.
double frameTimeMs(double bitsPerSecond, double frameBytes)
{
    return bitsPerSecond > 0 ? (frameBytes + kHeaderBytes) * 8 / bitsPerSecond * 1000 : 0;
}

void printRow(const Row &row, const Measured &m)
{
    const double frameMs = frameTimeMs(row.bitsPerSecond, m.averageFrameBytes);
    const double carried = row.bitsPerSecond > 0 && m.averageFrameBytes > 0
                               ? std::min<double>(kFramesPerSecond, row.bitsPerSecond / 8 / (m.averageFrameBytes + kHeaderBytes))
                               : kFramesPerSecond;
    const double delayMs = std::chrono::duration<double, std::milli>(row.delay).count();
    const double tripP95 = bench::percentile(m.roundTripsMs, 0.95);
    const double ageP95 = bench::percentile(m.agesMs, 0.95);
    const bool tripOk = tripP95 <= m.idleRoundTripMs + 2 * frameMs + 20;
    const bool ageOk = ageP95 <= 2 * frameMs + 50 + delayMs;
    const bool rateOk = m.framesPerSecond >= 0.8 * carried;
    const bool ok = m.started && m.failed == 0 && m.drops == 0 && tripOk && ageOk && rateOk;
    char quality[16] = "-";
    if (m.quality >= 0)
        std::snprintf(quality, sizeof quality, "%.0f", m.quality);
    std::printf("%-22s %-5s %3d/%-3d %5d %7.1f/%-7.1f %7.1f/%-7.1f %5.1f/%-5.1f %4s %8.1f  %s%s%s%s%s\n", row.label,
                m.started ? "ok" : "FAIL", m.failed, m.commands, m.drops, bench::percentile(m.roundTripsMs, 0.5),
                tripP95, bench::percentile(m.agesMs, 0.5), ageP95, m.framesPerSecond, carried, quality,
                bench::percentile(m.queuedBytes, 0.95) / 1024, ok ? "goals met" : "MISSED:", m.started && m.failed == 0 && m.drops == 0 ? "" : " link", tripOk ? "" : " round-trip",
                ageOk ? "" : " age", rateOk ? "" : " rate");
    if (m.recovery)
        std::printf("%-22s full rate and quality back %.1f s after the link recovered (goal <= 2 s)\n", "",
                    *m.recovery);
    std::fflush(stdout);
}

// Connects, lets the pictures settle and measures the idle round trip;
// false when the session could not start.
bool begin(RowSession &session, Measured &measured)
{
    if (!session.start() || !session.connect(measured))
        return false;
    BenchSession::run(2s);
    measured.idleRoundTripMs = session.idleRoundTrip();
    return true;
}

Measured measureRow(const Row &row, std::chrono::seconds length)
{
    Measured measured;
    RowSession session(row);
    if (begin(session, measured))
        session.drive(length, measured);
    return measured;
}

// 2 Mbit/s, then 250 kbit/s, then 2 Mbit/s again, a third of the time each.
Measured measureDrop(std::chrono::seconds length)
{
    const Row row{"2M > 250k > 2M", 2e6};
    Measured measured;
    RowSession session(row);
    if (!begin(session, measured))
        return measured;
    const int third = std::max<int>(2, static_cast<int>(length.count() / 3));
    qint64 recoveredAt = 0;
    session.drive(std::chrono::seconds(3 * third), measured, [&](int second) {
        if (second == third)
            session.reshape(250e3);
        if (second == 2 * third) {
            session.reshape(2e6);
            recoveredAt = traceNow(session.robot());
        }
    });
    // The first half second after recovery with full rate and quality.
    for (qint64 at = recoveredAt; at + 500 <= traceNow(session.robot()); at += 100) {
        const Frames frames = framesBetween(session.robot(), at, at + 500);
        if (frames.count >= 0.9 * kFramesPerSecond / 2 && (frames.quality < 0 || frames.quality >= 80)) {
            measured.recovery = static_cast<double>(at - recoveredAt) / 1000.0;
            break;
        }
    }
    return measured;
}

// Runs this program again inside a network namespace of its own, whose
// loopback the kernel's token bucket may shape; false when that cannot be.
bool runInNamespace(int argc, char **argv, int &status)
{
    if (::geteuid() != 0 || !shell("command -v ip") || !shell("command -v tc"))
        return false;
    const std::string name = "korvan-link-" + std::to_string(::getpid());
    if (!shell("ip netns add " + name))
        return false;
    std::string command = "ip netns exec " + name + " sh -c 'ip link set lo up && exec";
    for (int i = 0; i < argc; ++i)
        command += std::string(" ") + argv[i];
    command += " --inside'";
    status = std::system(command.c_str());
    shell("ip netns del " + name);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    bench::readShortRun(argc, argv);
    bool inside = false;
    std::chrono::seconds length{30};
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--inside") == 0)
            inside = true;
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            length = std::chrono::seconds(std::max(2, std::atoi(argv[++i])));
    }
    // A short run takes the first row through the relay, for two seconds.
    if (bench::g_shortRun) {
        length = std::chrono::seconds(2);
        only = "8 Mbit/s";
    }
    if (!inside && !bench::g_shortRun) {
        int status = 0;
        if (runInNamespace(argc, argv, status))
            return WEXITSTATUS(status);
        std::printf("Not root, or no ip and tc: the kernel's token bucket needs a network namespace of our own, so\n"
                    "every row is shaped by the portable relay instead.\n");
    }
    g_kernelShaping = inside;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::printf("link: %s, %lld s a row, a command every second; shared by both directions\n",
                g_kernelShaping ? "kernel tbf (burst 16 KB, latency 50 ms) on a namespace's loopback"
                                : "portable relay (burst 16 KB, 64 KB queue)",
                static_cast<long long>(length.count()));
    std::printf("%-22s %-5s %-7s %5s %-15s %-15s %-11s %4s %8s\n", "rate", "start", "failed", "drops",
                "trip p50/p95 ms", "age p50/p95 ms", "fps/carried", "q", "queue KB");
    const Row rows[] = {
        {"8 Mbit/s", 8e6},
        {"2 Mbit/s", 2e6},
        {"1 Mbit/s", 1e6},
        {"500 kbit/s", 500e3},
        {"250 kbit/s", 250e3},
        {"2 Mbit/s +20±10 ms", 2e6, 20000us, 10000us},
    };
    for (const Row &row : rows) {
        if (std::string(row.label).rfind(only, 0) == 0)
            printRow(row, measureRow(row, length));
    }
    if (only.empty() || only == "drop")
        printRow({"2M > 250k > 2M", 250e3}, measureDrop(length));
    if (g_kernelShaping)
        shapeLoopback(0);
    return 0;
}
