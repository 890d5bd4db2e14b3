// The command buttons: each sends one fixed command while online and
// reports the outcome in the status line.
#include "ui/remotedlg.h"

#include "res/strings.h"
#include "toolkit/core/sleep.h"
#include "vaiboclient/cvaibo.h"

namespace {

enum Posture : unsigned short { Stand = 0, Sit = 1, LieDown = 2 };
enum Walk { Forward = 0, Back = 1, TurnLeft = 4, TurnRight = 7 };
constexpr int kStraightDistance = 1000;

constexpr int kLeftFrontKick = 3142;
constexpr int kRightFrontKick = 3141;
constexpr int kRightBackKick = 3143;
constexpr int kLeftBackKick = 3144;
constexpr int kGasAttack = 3000;
constexpr int kTakeBone = 2894;
constexpr int kHandOver = 2904;
constexpr int kSpinSitting = 2922;
constexpr int kSpinLying = 2921;
constexpr int kSpinLyingOther = 3098;
constexpr int kThrow = 3129;
constexpr unsigned kBonePlayPauseMs = 5000;

} // namespace

template <class... Params, class... Args>
void CRemoteDlg::sendCommand(const char *sentText, int (CVAIBO::*operation)(Params...), Args... args)
{
    if (!isOnline())
        return;
    setStatus(((*m_robot).*operation)(args...) >= 0 ? sentText : res::kCommandFailed);
}

void CRemoteDlg::onStandClicked() { sendCommand(res::kStandSent, &CVAIBO::SetPosture, Stand, 0); }
void CRemoteDlg::onSitClicked() { sendCommand(res::kSitSent, &CVAIBO::SetPosture, Sit, 0); }
void CRemoteDlg::onLieDownClicked() { sendCommand(res::kLieDownSent, &CVAIBO::SetPosture, LieDown, 0); }
void CRemoteDlg::onStopClicked() { sendCommand(res::kStopDone, &CVAIBO::MotionStop); }

void CRemoteDlg::onForwardClicked() { sendCommand(res::kForwardSent, &CVAIBO::DoWalking, Forward, 0, kStraightDistance, 0); }
void CRemoteDlg::onBackClicked() { sendCommand(res::kBackSent, &CVAIBO::DoWalking, Back, 0, kStraightDistance, 0); }
void CRemoteDlg::onRight90Clicked() { sendCommand(res::kTurnRightSent, &CVAIBO::DoWalking, TurnRight, 90, 0, 0); }
void CRemoteDlg::onLeft90Clicked() { sendCommand(res::kTurnLeftSent, &CVAIBO::DoWalking, TurnLeft, 90, 0, 0); }
void CRemoteDlg::onRight45Clicked() { sendCommand(res::kTurnRightSent, &CVAIBO::DoWalking, TurnRight, 45, 0, 0); }
void CRemoteDlg::onLeft45Clicked() { sendCommand(res::kTurnLeftSent, &CVAIBO::DoWalking, TurnLeft, 45, 0, 0); }
void CRemoteDlg::onRight180Clicked() { sendCommand(res::kTurnRightSent, &CVAIBO::DoWalking, TurnRight, 180, 0, 0); }
void CRemoteDlg::onLeft180Clicked() { sendCommand(res::kTurnLeftSent, &CVAIBO::DoWalking, TurnLeft, 180, 0, 0); }

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
    m_robot->SetPosture(Stand, 0);
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
    m_robot->PlayContents(kThrow, 0);
}

void CRemoteDlg::playBoneStep(int mwcid)
{
    // A step the robot did not take is asked for once more, and only once.
    if (m_robot->PlayContents(mwcid, 1) != 0)
        m_robot->PlayContents(mwcid, 1);
}
