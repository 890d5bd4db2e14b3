// The connection handlers of the main window: the address box and its
// memory file, the connect and disconnect requests, and the two
// notifications that complete them.
#include "ui/remotedlg.h"

#include "framework/vaibocodes.h"
#include "link/addressmemory.h"
#include "res/strings.h"
#include "toolkit/core/sleep.h"
#include "vaiboclient/cvaibo.h"

using robotlink::LinkState;

namespace {
constexpr unsigned kSettleBeforeRemoteMs = 500;
} // namespace

void CRemoteDlg::setUpAddressBox()
{
    for (int field = 0; field < 4; ++field)
        m_addressBox.setRange(field, 0, 255);
}

void CRemoteDlg::loadAddressMemory()
{
    const std::optional<robotlink::RememberedAddress> remembered = robotlink::readAddressMemory();
    if (!remembered)
        return;
    // Fields the file gave no number for stay blank.
    for (int field = 0; field < remembered->scanned; ++field)
        m_addressBox.setField(field, remembered->fields[field]);
}

void CRemoteDlg::onConnectClicked()
{
    const std::string dotted = robotlink::dottedAddress(m_addressBox.address());
    if (m_robot->Connect(dotted.c_str(), nullptr, nullptr) < 0) {
        setStatus(res::kConnectRequestFailed);
        return;
    }
    setStatus(res::kConnectRequested);
    m_linkState = LinkState::Connecting;
    m_connectButton.setEnabled(false);
    robotlink::writeAddressMemory(dotted);
}

void CRemoteDlg::onDisconnectClicked()
{
    if (m_robot->Disconnect() != 0) {
        setStatus(res::kDisconnectRequestFailed);
        return;
    }
    setStatus(res::kDisconnectRequested);
    m_linkState = LinkState::Disconnecting;
    m_disconnectButton.setEnabled(false);
}

LRESULT CRemoteDlg::onVaiboConnect(WPARAM, LPARAM)
{
    m_linkIndicator.setText(res::kOnline);
    m_linkState = LinkState::Online;
    m_disconnectButton.setEnabled(true);
    setStatus(res::kConnected);
    tk::sleep(kSettleBeforeRemoteMs);
    if (m_robot->ExternalControl(vaibo::kRemoteControl) == vaibo::kRemoteControl) {
        setStatus(res::kRemoteGranted);
        startImage();
    } else {
        setStatus(res::kRemoteRefused);
    }
    return 0;
}

LRESULT CRemoteDlg::onVaiboDisconnect(WPARAM, LPARAM)
{
    m_linkIndicator.setText(res::kOffline);
    m_linkState = LinkState::Offline;
    m_connectButton.setEnabled(true);
    setStatus(res::kDisconnected);
    m_batteryFigure.clear();
    m_batteryBar.setPos(0);
    return 0;
}
