#include "bench/endtoend/benchsession.h"
#include "bench/support/shortrun.h"
#include "res/resource.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QObject>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A long session: the panel on its real robot client and the virtual robot
// at 30 frames per second, with a command and a head move every few hundred
// milliseconds. Prints both processes' resident memory after a warm-up and
// at the end, and how many of the robot's frames the pane painted. One
// minute by default; "--seconds 3600" soaks for an hour.
namespace {

using e2ebench::BenchSession;
using e2ebench::clickAt;
using e2ebench::widgetOf;
using e2ebench::windowOf;
using namespace std::chrono_literals;


constexpr auto kBetweenActions = 300ms;

// Resident memory of a process in KiB, from the kernel's account; -1 when
// it cannot be read.
long residentKiB(qint64 pid)
{
    QFile status(pid == 0 ? QStringLiteral("/proc/self/status") : QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // The kernel's files have no size: read them through to the end.
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::readShortRun(argc, argv);
    QApplication app(argc, argv);
    auto duration = bench::runLength<std::chrono::seconds>(60s, 2s);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0)
            duration = std::chrono::seconds(std::atol(argv[i + 1]));
    }

    BenchSession session;
    if (!session.start(false))
        return EXIT_FAILURE;
    LivePanel &panel = session.panel();
    PaintCounter counter;
    widgetOf(panel, IDC_IMAGE_PANE)->installEventFilter(&counter);
    const qint64 robotPid = session.robot().processId();

    const int commands[] = {IDC_STAND, IDC_SIT, IDC_STOP, IDC_LIE_DOWN};
    const QRect pan = widgetOf(panel, IDC_PAN)->rect();
    int action = 0;
    const auto act = [&] {
        if (action % 2 == 0) {
            panel.click(commands[(action / 2) % std::size(commands)]);
        } else {
            // Thumb from one side of the slider to the other and back.
            const int x = (action / 2) % 2 == 0 ? pan.left() + 4 : pan.right() - 4;
            clickAt(panel, IDC_PAN, QPoint(x, pan.center().y()));
        }
        ++action;
    };

    const std::chrono::seconds warmUp = bench::runLength<std::chrono::seconds>(5s, 1s);
    const auto warmUpEnd = std::chrono::steady_clock::now() + warmUp;
    while (std::chrono::steady_clock::now() < warmUpEnd) {
        act();
        BenchSession::run(kBetweenActions);
    }
    const long panelStart = residentKiB(0);
    const long robotStart = residentKiB(robotPid);
    const int paintsStart = counter.paints;
    const int framesStart = session.robot().count(QStringLiteral("frame"));

    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        act();
        BenchSession::run(kBetweenActions);
    }
    const long panelEnd = residentKiB(0);
    const long robotEnd = residentKiB(robotPid);
    const int painted = counter.paints - paintsStart;
    const int sent = session.robot().count(QStringLiteral("frame")) - framesStart;

    std::printf("soak: %lld s after a %lld s warm-up, %d commands and head moves\n",
                static_cast<long long>(duration.count()), static_cast<long long>(warmUp.count()), action);
    std::printf("panel resident memory   start %7ld KiB  end %7ld KiB  change %+ld KiB   goal within 1024\n",
                panelStart, panelEnd, panelEnd - panelStart);
    std::printf("robot resident memory   start %7ld KiB  end %7ld KiB  change %+ld KiB   goal within 1024\n",
                robotStart, robotEnd, robotEnd - robotStart);
    std::printf("frames sent by the robot %d, pane paints %d (%.2f per frame)\n", sent, painted,
                sent > 0 ? static_cast<double>(painted) / sent : 0.0);
    return EXIT_SUCCESS;
}
