// The command buttons: each sends one fixed command while online and
// reports the outcome in the status line.
#include "ui/remotedlg.h"

#include "res/strings.h"
#include "toolkit/core/sleep.h"
#include "vaiboclient/cvaibo.h"
#include "framework/vaibocodes.h"

namespace {

using namespace vaibo;
using namespace vaibo::mwcid;

constexpr int kStraightDistance = 1000;
constexpr unsigned kBonePlayPauseMs = 5000;

} // namespace

template <class... Params, class... Args>
void CRemoteDlg::sendCommand(const char *sentText, int (CVAIBO::*operation)(Params...), Args... args)
{
    if (!isOnline())
        return;
    setStatus(((*m_robot).*operation)(args...) >= 0 ? sentText : res::kCommandFailed);
}

void CRemoteDlg::onStandClicked() { sendCommand(res::kStandSent, &CVAIBO::SetPosture, kPostureStand, 0); }
void CRemoteDlg::onSitClicked() { sendCommand(res::kSitSent, &CVAIBO::SetPosture, kPostureSit, 0); }
void CRemoteDlg::onLieDownClicked() { sendCommand(res::kLieDownSent, &CVAIBO::SetPosture, kPostureLieDown, 0); }
void CRemoteDlg::onStopClicked() { sendCommand(res::kStopDone, &CVAIBO::MotionStop); }

void CRemoteDlg::onForwardClicked() { sendCommand(res::kForwardSent, &CVAIBO::DoWalking, kWalkForward, 0, kStraightDistance, 0); }
void CRemoteDlg::onBackClicked() { sendCommand(res::kBackSent, &CVAIBO::DoWalking, kWalkBack, 0, kStraightDistance, 0); }
void CRemoteDlg::onRight90Clicked() { sendCommand(res::kTurnRightSent, &CVAIBO::DoWalking, kWalkTurnRight, 90, 0, 0); }
void CRemoteDlg::onLeft90Clicked() { sendCommand(res::kTurnLeftSent, &CVAIBO::DoWalking, kWalkTurnLeft, 90, 0, 0); }
void CRemoteDlg::onRight45Clicked() { sendCommand(res::kTurnRightSent, &CVAIBO::DoWalking, kWalkTurnRight, 45, 0, 0); }
void CRemoteDlg::onLeft45Clicked() { sendCommand(res::kTurnLeftSent, &CVAIBO::DoWalking, kWalkTurnLeft, 45, 0, 0); }
void CRemoteDlg::onRight180Clicked() { sendCommand(res::kTurnRightSent, &CVAIBO::DoWalking, kWalkTurnRight, 180, 0, 0); }
void CRemoteDlg::onLeft180Clicked() { sendCommand(res::kTurnLeftSent, &CVAIBO::DoWalking, kWalkTurnLeft, 180, 0, 0); }

void CRemoteDlg::onLeftFrontKickClicked() { sendCommand(res::kLeftKickSent, &CVAIBO::PlayContents, kLeftFrontKick, 0); }
void CRemoteDlg::onHeadingClicked() { sendCommand(res::kHeadingSent, &CVAIBO::DoHeader, 0, 0); }
void CRemoteDlg::onRightFrontKickClicked() { sendCommand(res::kRightKickSent, &CVAIBO::PlayContents, kRightFrontKick, 0); }
void CRemoteDlg::onRightBackKickClicked() { sendCommand(res::kRightBackKickSent, &CVAIBO::PlayContents, kRightBackKick, 0); }
void CRemoteDlg::onLeftBackKickClicked() { sendCommand(res::kLeftBackKickSent, &CVAIBO::PlayContents, kLeftBackKick, 0); }
void CRemoteDlg::onGasAttackClicked() { sendCommand(res::kGasAttackSent, &CVAIBO::PlayContents, kGasAttack, 0); }

void CRemoteDlg::onWalkStopClicked()
{
    if (!isOnline())
        return;
    // Unlike the stop above the pages, this one counts only 0 as success and
    // stands the robot up whatever the outcome.
    setStatus(m_robot->MotionStop() == 0 ? res::kStopDone : res::kCommandFailed);
    m_robot->SetPosture(kPostureStand, 0);
}

void CRemoteDlg::onBoneGrabClicked()
{
    if (isOnline())
        m_robot->PlayContents(kTakeBone, 1);
}

void CRemoteDlg::onBonePlayClicked()
{
    if (!isOnline())
        return;
    playBoneStep(kHandOver);
    playBoneStep(kSpinSitting);
    tk::sleep(kBonePlayPauseMs);
    playBoneStep(kSpinLying);
    playBoneStep(kSpinLyingOther);
    m_robot->PlayContents(kPutBone, 0);
}

void CRemoteDlg::playBoneStep(int mwcid)
{
    // A step the robot did not take is asked for once more, and only once.
    if (m_robot->PlayContents(mwcid, 1) != 0)
        m_robot->PlayContents(mwcid, 1);
}
