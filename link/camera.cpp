// The camera picture: setting the client's image transport up once remote
// control is granted, and fetching each frame it announces into the image
// buffer so the client can paint it into the image pane.
#include "ui/remotedlg.h"

#include "framework/vaibocodes.h"
#include "res/strings.h"
#include "toolkit/core/sleep.h"
#include "vaiboclient/cvaibo.h"

#include <algorithm>
#include <climits>

namespace {
using vaibo::APPCMD_IMAGE_PLAY;
using vaibo::APPCMD_IMAGE_SETPARAM;
constexpr unsigned kImageStepPauseMs = 500;
constexpr LRESULT kFrameFetched = 0;
constexpr LRESULT kNoBuffer = -1;
} // namespace

void CRemoteDlg::startImage()
{
    if (!isOnline())
        return;
    if (m_robot->GetStateImageTP() != vaibo::kImageTransportClosed) {
        // Set up on an earlier connection: only the pictures need restarting.
        setStatus(m_robot->SendCmd(APPCMD_IMAGE_PLAY, 1, 0, 0, 0, 0) == 0 ? res::kImagePlayOk : res::kImagePlayError);
        return;
    }
    if (!setUpImageTransport())
        return;
    tk::sleep(kImageStepPauseMs);
    if (m_robot->SendCmd(APPCMD_IMAGE_PLAY, 1, 0, 0, 0, 0) != 0) {
        setStatus(res::kImagePlayError);
        return;
    }
    setStatus(res::kImagePlayOk);
    tk::sleep(kImageStepPauseMs);
    setStatus(m_robot->SendCmd(APPCMD_IMAGE_SETPARAM, 1, 1, 3, 0, 0) == 0 ? res::kImageSetParamOk
                                                                            : res::kImageSetParamError);
}

bool CRemoteDlg::setUpImageTransport()
{
    if (m_robot->ImageInit() != 0) {
        setStatus(res::kImageInitError);
        return false;
    }
    setStatus(res::kImageInitOk);
    if (m_robot->ImageOpen() != 0) {
        setStatus(res::kImageOpenError);
        return false;
    }
    setStatus(res::kImageOpenOk);
    if (m_robot->RequestNetService(vaibo::kNetServiceImage) == 0) {
        m_robot->ImageClose();
        setStatus(res::kNetServiceError);
        return false;
    }
    setStatus(res::kNetServiceOk);
    return true;
}

LRESULT CRemoteDlg::onImageUpdate(WPARAM, LPARAM lParam)
{
    const auto frameSize = static_cast<std::uint32_t>(lParam);
    if (!m_imageBuffer->reserve(frameSize)) {
        setStatus(res::kOutOfMemory);
        return kNoBuffer;
    }
    // The client's byte count is an int; no real frame comes near its limit.
    const int fetchSize = static_cast<int>(std::min<std::uint32_t>(frameSize, INT_MAX));
    m_robot->ImageGetData(m_imageBuffer->data(), fetchSize);
    m_robot->ImageSetWindowHandle(m_imagePane.handle(), handle());
    m_imagePane.repaint();
    return kFrameFetched;
}
