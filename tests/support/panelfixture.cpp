#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"
#include "toolkit/core/windowmessages.h"



void PanelTest::SetUp()
{
    ASSERT_TRUE(m_directory.isReady());
}

void PanelTest::TearDown()
{
    m_sleeper.reset();
    panel.reset();
}

void PanelTest::openPanel()
{
    m_sleeper.reset();
    onStatus = nullptr;
    panel = std::make_unique<CRemoteDlg>();
    auto client = std::make_unique<RecordingVaibo>();
    robot = client.get();
    m_sleeper = std::make_unique<RecordingSleeper>(robot->calls);
    panel->setClient(std::move(client));
    panel->create();
    ASSERT_TRUE(show(*panel));
    batteryPeriod = panel->timerInterval(1);
    panel->killTimer(1);
    robot->calls.clear();
}

LRESULT PanelTest::deliver(UINT message, WPARAM wParam, LPARAM lParam)
{
    return panel->dispatch({.kind = tk::EventKind::Message, .message = message, .wParam = wParam, .lParam = lParam});
}

void PanelTest::post(UINT message, WPARAM wParam, LPARAM lParam)
{
    tk::postMessage(panel->handle(), message, wParam, lParam);
    pump();
}

void PanelTest::onSleep(std::function<void()> hook)
{
    m_sleeper->onSleep = std::move(hook);
}

void PanelTest::goOnline()
{
    post(robotlink::kConnectMessageId);
    ASSERT_EQ(panel->linkState(), robotlink::LinkState::Online);
    robot->calls.clear();
}

void PanelTest::enterLinkState(robotlink::LinkState state)
{
    switch (state) {
    case robotlink::LinkState::Offline:
        robot->script("Connect", {-1});
        click(IDC_CONNECT);
        break;
    case robotlink::LinkState::Connecting:
        click(IDC_CONNECT);
        break;
    case robotlink::LinkState::Online:
        goOnline();
        break;
    case robotlink::LinkState::Disconnecting:
        goOnline();
        click(IDC_DISCONNECT);
        break;
    }
    ASSERT_EQ(panel->linkState(), state);
    ASSERT_FALSE(statusText().empty());
    robot->calls.clear();
}

void PanelTest::logStatusChanges()
{
    onStatus = [this](const std::string &text) { robot->calls.push_back("Status(" + text + ")"); };
}
