// The page switch to the content list: the first visit fills 1087 rows and
// should stay within 10 ms; a later visit only counts the rows.
#include "bench/support/shortrun.h"
#include "res/resource.h"
#include "toolkit/widgets/dialogwindow.h"
#include "toolkit/widgets/tabcontrol.h"
#include "ui/remotedlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kWalkingPage = 0;
constexpr int kMwcidPage = 1;

std::unique_ptr<CRemoteDlg> openPanel()
{
    auto panel = std::make_unique<CRemoteDlg>();
    panel->create();
    panel->show();
    QCoreApplication::processEvents();
    return panel;
}

// Through the tab row, so the switch takes the path of a user's choice.
void showPage(CRemoteDlg &panel, int page)
{
    qobject_cast<tk::qt::TabControl *>(panel.item(IDC_PAGE_TABS))->tabBar()->setCurrentIndex(page);
}

double seconds(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void checkFilled(benchmark::State &state, CRemoteDlg &panel)
{
    if (panel.item<tk::ListBox>(IDC_CONTENT_LIST).rowCount() != 1087)
        state.SkipWithError("the content list was not filled");
}

// The page switch on a fresh window each time; with painted set, until the
// newly shown list has been laid out and painted too.
void firstVisit(benchmark::State &state)
{
    const bool painted = state.range(0) != 0;
    for (auto _ : state) {
        std::unique_ptr<CRemoteDlg> panel = openPanel();
        QElapsedTimer timer;
        timer.start();
        showPage(*panel, kMwcidPage);
        if (painted)
            panel->window().repaint();
        state.SetIterationTime(seconds(timer));
        checkFilled(state, *panel);
    }
}

// Back to the full list after a visit of the walking page: no row is added.
void laterVisit(benchmark::State &state)
{
    std::unique_ptr<CRemoteDlg> panel = openPanel();
    showPage(*panel, kMwcidPage);
    for (auto _ : state) {
        showPage(*panel, kWalkingPage);
        QElapsedTimer timer;
        timer.start();
        showPage(*panel, kMwcidPage);
        state.SetIterationTime(seconds(timer));
    }
    checkFilled(state, *panel);
}

} // namespace

int main(int argc, char **argv)
{
    // Headless, chosen before the application exists.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::readShortRun(argc, argv);
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("firstVisit", firstVisit)
        ->ArgName("painted")
        ->Arg(0)
        ->Arg(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(bench::runLength(2.0, 0.01));
    benchmark::RegisterBenchmark("laterVisit", laterVisit)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(bench::runLength(0.5, 0.01));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
