#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"
#include "toolkit/core/sleep.h"
#include "toolkit/core/windowmessages.h"

#include <QTest>

#include <gtest/gtest.h>

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

} // namespace
