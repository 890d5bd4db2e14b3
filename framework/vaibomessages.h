#pragma once

#include <array>

namespace vaibo {

/// Window messages the robot client posts to its window, by registered name.
inline constexpr const char *kConnectMessage = "SonyERCVAIBOConnect";
inline constexpr const char *kDisconnectMessage = "SonyERCVAIBODisconnect";
/// Second parameter: the frame size in bytes.
inline constexpr const char *kImageUpdateMessage = "SonyERCImageTPUpdate";

/// Every message name of the client library, in the order applications
/// register them.
inline constexpr std::array<const char *, 17> kMessageNames = {
    kConnectMessage,
    kDisconnectMessage,
    "SonyERCVAIBOSemantics",
    "SonyERCVAIBOInputSemantics",
    "SonyERCVAIBOSensorData",
    "SonyERCVAIBOSensorEnable",
    "SonyERCVAIBOSensorDisable",
    "SonyERCVAIBOServerLock",
    "SonyERCVAIBOClientUpdate",
    "SonyERCMMFTPSending",
    kImageUpdateMessage,
    "SonyERCImageTPUpdate2",
    "SonyERCImageTPChange",
    "SonyERCAudioTPUpdate",
    "SonyERCVAIBOProductID",
    "SonyERCVAIBOBatteryLevel",
    "SonyERCVAIBORemoteNotify",
};

} // namespace vaibo
