#pragma once

#include "toolkit/core/win32types.h"

#include <memory>

namespace vaibo {
class Client;
}

/// The robot client: every operation the panel uses, with the argument types
/// and int results of the robot framework's client class. Operations other
/// than Connect and Disconnect are synchronous; the outcome of those two
/// arrives later as the registered messages "SonyERCVAIBOConnect" and
/// "SonyERCVAIBODisconnect", posted to the window given at construction.
/// The operations are virtual so that tests can stand a recording double in.
class CVAIBO
{
public:
    /// Creates a client that reports to the given window.
    explicit CVAIBO(HWND window);
    virtual ~CVAIBO();

    CVAIBO(const CVAIBO &) = delete;
    CVAIBO &operator=(const CVAIBO &) = delete;

    /// Requests a connection to the robot at a dotted IPv4 address; the other
    /// two arguments are unused and may be null. Negative: refused.
    virtual int Connect(const char *address, const char *user, const char *password);
    /// Requests the end of the link. Non-zero: nothing to disconnect.
    virtual int Disconnect();
    /// Asks the robot to accept remote control; exactly 1 when granted.
    virtual int ExternalControl(int mode);

    /// State of the image transport; -150 while it is not set up.
    virtual int GetStateImageTP();
    /// Non-zero: failed.
    virtual int ImageInit();
    /// Non-zero: failed.
    virtual int ImageOpen();
    /// 0: failed.
    virtual int RequestNetService(int service);
    virtual int ImageClose();
    /// Non-zero: failed.
    virtual int SendCmd(int command, int arg1, int arg2, int arg3, int arg4, int arg5);
    /// Copies the frame announced by the last "SonyERCImageTPUpdate" into
    /// buffer, never more than size bytes.
    virtual int ImageGetData(unsigned char *buffer, int size);
    /// Names the pane the camera picture is painted into and the window that
    /// owns it.
    virtual int ImageSetWindowHandle(HWND pane, HWND owner);

    /// Charge in percent.
    virtual int GetBatteryLevel();

    // Motion; negative: failed.
    virtual int SetPosture(unsigned short posture, int option);
    virtual int MotionStop();
    virtual int DoWalking(int walk, int degrees, int distance, int option);
    virtual int DoHeader(int kind, int option);
    virtual int PlayContents(int mwcid, int option);
    virtual int ChangeHeadAngle(int pan, int tilt, int speed, int option);

private:
    std::unique_ptr<vaibo::Client> m_client;
};
