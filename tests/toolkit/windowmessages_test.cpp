#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/core/sleep.h"
#include "toolkit/core/windowmessages.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using tk::EventKind;
using tktest::RecordingDialog;

TEST(ToolkitMessageRegistry, SameNameSameIdDistinctNamesDistinctIdsInOrder)
{
    const UINT first = tk::registerWindowMessage("KorvanListedFirst");
    const UINT second = tk::registerWindowMessage("KorvanListedSecond");
    EXPECT_EQ(tk::registerWindowMessage("KorvanListedFirst"), first);
    EXPECT_NE(first, second);
    for (const UINT id : {first, second}) {
        EXPECT_GE(id, tk::kFirstRegisteredMessage);
        EXPECT_LE(id, 0xFFFFu);
    }
    EXPECT_EQ(tk::registerWindowMessage(""), 0u);
    EXPECT_EQ(tk::registerWindowMessage(nullptr), 0u);
    const std::vector<std::string> names = tk::registeredMessageNames();
    const auto firstName = std::find(names.begin(), names.end(), "KorvanListedFirst");
    ASSERT_NE(firstName, names.end());
    EXPECT_LT(firstName, std::find(names.begin(), names.end(), "KorvanListedSecond"));
}

TEST(ToolkitPostedMessages, MessageFromAnotherThreadReachesTheWindowsRoute)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    const UINT message = tk::registerWindowMessage("KorvanTestPosted");
    EXPECT_FALSE(tk::postMessage(nullptr, message, 0, 0));
    std::thread poster([&dialog, message] { EXPECT_TRUE(tk::postMessage(dialog.handle(), message, 7, -3)); });
    poster.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.eventsOf(EventKind::Message).empty(); }, 2000));
    const tk::WindowEvent event = dialog.eventsOf(EventKind::Message).front();
    EXPECT_EQ(event.message, message);
    EXPECT_EQ(event.wParam, 7u);
    EXPECT_EQ(event.lParam, -3);
}

TEST(ToolkitWindowTimers, EachIdTicksWithItsOwnIdAndARepeatedSetRestartsIt)
{
    RecordingDialog dialog(res::versionDialogTemplate());
    ASSERT_TRUE(dialog.setTimer(1, 5000));
    EXPECT_EQ(dialog.timerInterval(1), 5000u);
    EXPECT_EQ(dialog.timerInterval(2), 0u);
    ASSERT_TRUE(dialog.setTimer(1, 5));
    ASSERT_TRUE(dialog.setTimer(7, 5));
    EXPECT_EQ(dialog.timerInterval(1), 5u);
    const auto ticksOf = [&](int id) {
        const auto timers = dialog.eventsOf(EventKind::Timer);
        return std::count_if(timers.begin(), timers.end(), [id](const tk::WindowEvent &event) { return event.id == id; });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticksOf(1) > 0 && ticksOf(7) > 0; }, 2000));
    EXPECT_EQ(ticksOf(1) + ticksOf(7), static_cast<long>(dialog.eventsOf(EventKind::Timer).size()));
    // Only one timer stands behind an id, and a killed one stops.
    EXPECT_TRUE(dialog.killTimer(1));
    EXPECT_FALSE(dialog.killTimer(1));
    EXPECT_EQ(dialog.timerInterval(1), 0u);
    const auto stopped = ticksOf(1);
    const auto running = ticksOf(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticksOf(7) >= running + 3; }, 2000));
    EXPECT_EQ(ticksOf(1), stopped);
}

class RecordingSleeper : public tk::Sleeper
{
public:
    void sleep(unsigned milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<unsigned> pauses;
};

} // namespace
