// The head angle sliders: every scroll notification of either slider sends
// both angles, the negated slider positions.
#include "ui/remotedlg.h"

#include "framework/robot.h"
#include "res/strings.h"
#include "vaiboclient/cvaibo.h"

#include <cstdio>

namespace {
constexpr int kHeadSpeed = 3;
} // namespace

void CRemoteDlg::setUpSliders()
{
    // The angles sent are the negated positions.
    m_panSlider.setRangeMin(-vaibo::kPanLimit);
    m_panSlider.setRangeMax(vaibo::kPanLimit);
    m_tiltSlider.setRangeMin(-vaibo::kTiltUp);
    m_tiltSlider.setRangeMax(-vaibo::kTiltDown);
    m_panSlider.setPageSize(2);
    m_tiltSlider.setPageSize(2);
    m_panSlider.setLineSize(2);
    m_tiltSlider.setLineSize(2);
    m_panSlider.setPos(0);
    m_tiltSlider.setPos(0);
}

void CRemoteDlg::onHScroll(int code, int position, HWND control)
{
    if (!m_panSlider.is(control)) {
        defaultProcessing({.kind = tk::EventKind::HScroll, .code = code, .position = position, .control = control});
        return;
    }
    sendHeadAngle();
}

void CRemoteDlg::onVScroll(int code, int position, HWND control)
{
    if (!m_tiltSlider.is(control)) {
        defaultProcessing({.kind = tk::EventKind::VScroll, .code = code, .position = position, .control = control});
        return;
    }
    sendHeadAngle();
}

void CRemoteDlg::sendHeadAngle()
{
    if (!isOnline())
        return;
    const int pan = -m_panSlider.position();
    const int tilt = -m_tiltSlider.position();
    char text[64];
    std::snprintf(text, sizeof text, res::kHeadAngleFormat, pan, tilt);
    setStatus(text);
    m_robot->ChangeHeadAngle(pan, tilt, kHeadSpeed, 0);
}
