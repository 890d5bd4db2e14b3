#pragma once

#include "toolkit/core/win32types.h"

#include <string>

// Every text the panel writes at run time, exactly as shown.
namespace res {

/// A string resource by id, in UTF-8; empty when there is none.
std::string loadString(int id);
/// Icon 128, the application icon; it lives as long as the program.
HICON applicationIcon();

// Link indicator
inline constexpr const char *kOffline = "OFFLINE";
inline constexpr const char *kOnline = "ONLINE";

// Connection
inline constexpr const char *kConnectRequestFailed = "接続要求失敗";
inline constexpr const char *kConnectRequested = "接続要求中";
inline constexpr const char *kDisconnectRequestFailed = "切断要求失敗";
inline constexpr const char *kDisconnectRequested = "切断要求中";
inline constexpr const char *kConnected = "接続完了";
inline constexpr const char *kRemoteGranted = "リモート移行完了";
inline constexpr const char *kRemoteRefused = "リモート移行失敗";
inline constexpr const char *kDisconnected = "切断完了";

// Camera
inline constexpr const char *kImageInitError = "ImageInit()エラー";
inline constexpr const char *kImageInitOk = "ImageInit()成功!";
inline constexpr const char *kImageOpenError = "ImageOpen()エラー";
inline constexpr const char *kImageOpenOk = "ImageOpen()成功!";
inline constexpr const char *kNetServiceError = "RequestNetService()エラー";
inline constexpr const char *kNetServiceOk = "RequestNetService()成功";
inline constexpr const char *kImagePlayError = "SendCmd(APPCMD_IMAGE_PLAY)エラー";
inline constexpr const char *kImagePlayOk = "SendCmd(APPCMD_IMAGE_PLAY)成功";
inline constexpr const char *kImageSetParamError = "SendCmd(APPCMD_IMAGE_SETPARAM)エラー";
inline constexpr const char *kImageSetParamOk = "SendCmd(APPCMD_IMAGE_SETPARAM)成功";
inline constexpr const char *kOutOfMemory = "malloc()エラー!";

// Commands
inline constexpr const char *kCommandFailed = "コマンド送信失敗";
inline constexpr const char *kStandSent = "コマンド（立つ）送信";
inline constexpr const char *kSitSent = "コマンド（座る）送信";
inline constexpr const char *kLieDownSent = "コマンド（伏せる）送信";
inline constexpr const char *kStopDone = "コマンド（停止）成功";
inline constexpr const char *kForwardSent = "コマンド（前進）送信";
inline constexpr const char *kBackSent = "コマンド（後退）送信";
inline constexpr const char *kTurnRightSent = "コマンド（右旋回）送信";
inline constexpr const char *kTurnLeftSent = "コマンド（左旋回）送信";
inline constexpr const char *kLeftKickSent = "コマンド（左キック）送信";
inline constexpr const char *kHeadingSent = "コマンド（ヘディング）送信";
inline constexpr const char *kRightKickSent = "コマンド（右キック）送信";
inline constexpr const char *kRightBackKickSent = "コマンド(右後キック)送信";
inline constexpr const char *kLeftBackKickSent = "コマンド(左後キック)送信";
inline constexpr const char *kGasAttackSent = "コマンド(おなら)送信";
/// printf format: the MWCID.
inline constexpr const char *kContentSentFormat = "コマンド(MWCID=%d)送信";
/// printf format: pan and tilt angles.
inline constexpr const char *kHeadAngleFormat = "HeadAngle=( %d°, %d°)";

// Pages
inline constexpr const char *kWalkingPageTab = "歩行";
inline constexpr const char *kMwcidPageTab = "MWCID";

} // namespace res
