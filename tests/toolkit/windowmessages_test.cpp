#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/core/sleep.h"
#include "toolkit/core/windowmessages.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using tk::EventKind;
using tktest::RecordingDialog;

TEST(ToolkitMessageRegistry, SameNameGivesTheSameId)
{
    const UINT first = tk::registerWindowMessage("KorvanTestSame");
    EXPECT_EQ(tk::registerWindowMessage("KorvanTestSame"), first);
    EXPECT_GE(first, tk::kFirstRegisteredMessage);
    EXPECT_LE(first, 0xFFFFu);
}

TEST(ToolkitMessageRegistry, DistinctNamesGetDistinctIds)
{
    const UINT a = tk::registerWindowMessage("KorvanTestA");
    const UINT b = tk::registerWindowMessage("KorvanTestB");
    EXPECT_NE(a, b);
    EXPECT_GE(a, tk::kFirstRegisteredMessage);
    EXPECT_GE(b, tk::kFirstRegisteredMessage);
}

TEST(ToolkitMessageRegistry, EmptyNameIsRefused)
{
    EXPECT_EQ(tk::registerWindowMessage(""), 0u);
    EXPECT_EQ(tk::registerWindowMessage(nullptr), 0u);
}

TEST(ToolkitMessageRegistry, ThreadsRegisteringTheSameNamesAgree)
{
    constexpr int kThreads = 8;
    constexpr int kNames = 50;
    std::vector<std::vector<UINT>> seen(kThreads, std::vector<UINT>(kNames));
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread) {
        threads.emplace_back([thread, &seen] {
            for (int name = 0; name < kNames; ++name) {
                // Each thread walks the names in its own order.
                const int which = (name * 7 + thread * 13) % kNames;
                const std::string text = "KorvanThreaded" + std::to_string(which);
                seen[thread][which] = tk::registerWindowMessage(text.c_str());
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int thread = 1; thread < kThreads; ++thread)
        EXPECT_EQ(seen[thread], seen[0]);
    const std::set<UINT> distinct(seen[0].begin(), seen[0].end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kNames));
}

TEST(ToolkitMessageRegistry, NamesAreListedInRegistrationOrder)
{
    tk::registerWindowMessage("KorvanListedFirst");
    tk::registerWindowMessage("KorvanListedSecond");
    const std::vector<std::string> names = tk::registeredMessageNames();
    const auto first = std::find(names.begin(), names.end(), "KorvanListedFirst");
    const auto second = std::find(names.begin(), names.end(), "KorvanListedSecond");
    ASSERT_NE(first, names.end());
    ASSERT_NE(second, names.end());
    EXPECT_LT(first, second);
}

TEST(ToolkitPostedMessages, MessageFromAnotherThreadReachesTheWindowsRoute)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    const UINT message = tk::registerWindowMessage("KorvanTestPosted");
    std::thread poster([&dialog, message] { EXPECT_TRUE(tk::postMessage(dialog.handle(), message, 7, -3)); });
    poster.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.eventsOf(EventKind::Message).empty(); }, 2000));
    const tk::WindowEvent event = dialog.eventsOf(EventKind::Message).front();
    EXPECT_EQ(event.message, message);
    EXPECT_EQ(event.wParam, 7u);
    EXPECT_EQ(event.lParam, -3);
}

TEST(ToolkitPostedMessages, NoWindowIsRefused)
{
    EXPECT_FALSE(tk::postMessage(nullptr, tk::registerWindowMessage("KorvanTestPosted"), 0, 0));
}

TEST(ToolkitPostedMessages, RoutedMessageAnswersThroughTheResultSlot)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    dialog.takes = [](const tk::WindowEvent &event) {
        if (event.kind == EventKind::Message)
            *event.result = 42;
        return event.kind == EventKind::Message;
    };
    EXPECT_EQ(dialog.dispatch({.kind = EventKind::Message, .message = tk::registerWindowMessage("KorvanAsk")}), 42);
    EXPECT_EQ(dialog.dispatch({.kind = EventKind::Timer, .id = 1}), 0);
}

TEST(ToolkitWindowTimers, TimerArrivesWithTheCallersId)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    ASSERT_TRUE(dialog.setTimer(7, 5));
    EXPECT_EQ(dialog.timerInterval(7), 5u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.eventsOf(EventKind::Timer).size() >= 2; }, 2000));
    for (const tk::WindowEvent &event : dialog.eventsOf(EventKind::Timer))
        EXPECT_EQ(event.id, 7);
}

TEST(ToolkitWindowTimers, BatteryStylePeriodIsKept)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    ASSERT_TRUE(dialog.setTimer(1, 5000));
    EXPECT_EQ(dialog.timerInterval(1), 5000u);
    EXPECT_EQ(dialog.timerInterval(2), 0u);
}

TEST(ToolkitWindowTimers, SettingAnIdAgainRestartsIt)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    ASSERT_TRUE(dialog.setTimer(3, 60000));
    ASSERT_TRUE(dialog.setTimer(3, 5));
    EXPECT_EQ(dialog.timerInterval(3), 5u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.eventsOf(EventKind::Timer).empty(); }, 2000));
    EXPECT_EQ(dialog.eventsOf(EventKind::Timer).front().id, 3);
    // Only one timer stands behind the id.
    EXPECT_TRUE(dialog.killTimer(3));
    EXPECT_FALSE(dialog.killTimer(3));
}

TEST(ToolkitWindowTimers, TwoIdsTickApartAndAKilledOneStops)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    ASSERT_TRUE(dialog.setTimer(1, 5));
    ASSERT_TRUE(dialog.setTimer(2, 5));
    const auto ticksOf = [&](int id) {
        int count = 0;
        for (const tk::WindowEvent &event : dialog.eventsOf(EventKind::Timer))
            count += event.id == id ? 1 : 0;
        return count;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticksOf(1) > 0 && ticksOf(2) > 0; }, 2000));
    EXPECT_TRUE(dialog.killTimer(1));
    EXPECT_EQ(dialog.timerInterval(1), 0u);
    const int stopped = ticksOf(1);
    const int running = ticksOf(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticksOf(2) >= running + 3; }, 2000));
    EXPECT_EQ(ticksOf(1), stopped);
}

class RecordingSleeper : public tk::Sleeper
{
public:
    void sleep(unsigned milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<unsigned> pauses;
};

TEST(ToolkitSleeper, InstalledSleeperTakesThePauses)
{
    RecordingSleeper sleeper;
    tk::Sleeper *previous = tk::setSleeper(&sleeper);
    const auto start = std::chrono::steady_clock::now();
    tk::sleep(500);
    tk::sleep(5000);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(tk::setSleeper(previous), &sleeper);
    EXPECT_EQ(sleeper.pauses, (std::vector<unsigned>{500, 5000}));
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
}

TEST(ToolkitSleeper, NullRestoresTheRealSleeper)
{
    RecordingSleeper sleeper;
    tk::Sleeper *previous = tk::setSleeper(&sleeper);
    tk::setSleeper(nullptr);
    const auto start = std::chrono::steady_clock::now();
    tk::sleep(2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2));
    EXPECT_TRUE(sleeper.pauses.empty());
    tk::setSleeper(previous);
}

} // namespace
