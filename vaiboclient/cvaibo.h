#pragma once

#include "toolkit/core/win32types.h"

#include <memory>

namespace vaibo {
class Client;
class Session;
} // namespace vaibo

/// The robot client: every operation the panel uses, with the argument types
/// and int results of the robot framework's client class. It talks to the
/// robot over TCP (docs/protocol.md) from a thread of its own. Operations
/// other than Connect and Disconnect are synchronous and wait for the robot
/// at most the reply timeout of vaibo::Settings; the outcome of those two
/// arrives later as the registered messages "SonyERCVAIBOConnect" and
/// "SonyERCVAIBODisconnect", posted to the window given at construction.
/// Each accepted Connect ends in exactly one "SonyERCVAIBODisconnect": after
/// Disconnect, a refusal, a connection not made within the connect timeout,
/// the dead-link timeout without traffic, or any protocol fault.
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
    /// two arguments are unused and may be null. 0: accepted; -1: not a
    /// dotted address of a single host; -2: a link is open or being opened.
    virtual int Connect(const char *address, const char *user, const char *password);
    /// Requests the end of the link. 0: accepted; -1: nothing to disconnect.
    virtual int Disconnect();
    /// Asks the robot to accept remote control; exactly 1 when granted, the
    /// robot's own result otherwise, 0 without a link or answer.
    virtual int ExternalControl(int mode);

    /// State of the image transport, kept across connections: -150 until
    /// ImageInit and ImageOpen have succeeded, then 0 until ImageClose.
    virtual int GetStateImageTP();
    // Every operation below that asks the robot returns the robot's result,
    // or its failure value when there is no link, no answer in time, or the
    // link breaks meanwhile.

    /// Non-zero: failed (-1 without a link or answer).
    virtual int ImageInit();
    /// Non-zero: failed (-1 without a link or answer, or before ImageInit).
    virtual int ImageOpen();
    /// 0: failed.
    virtual int RequestNetService(int service);
    /// Closes the transport on this side in any case; -1 when the robot
    /// could not be told.
    virtual int ImageClose();
    /// Non-zero: failed (-1 without a link or answer).
    virtual int SendCmd(int command, int arg1, int arg2, int arg3, int arg4, int arg5);
    /// Copies the frame announced by the last "SonyERCImageTPUpdate" into
    /// buffer, never more than size bytes. Returns the count copied; -1 with
    /// no buffer, a size of 0 or less, or no frame yet.
    virtual int ImageGetData(unsigned char *buffer, int size);
    /// Names the pane the camera picture is painted into (from then on,
    /// whenever it paints) and the window that owns it. -1: the pane is no
    /// widget.
    virtual int ImageSetWindowHandle(HWND pane, HWND owner);

    /// Charge in percent; -1 without a link or answer.
    virtual int GetBatteryLevel();

    // Motion; negative: failed (-1 without a link or answer).
    virtual int SetPosture(unsigned short posture, int option);
    virtual int MotionStop();
    virtual int DoWalking(int walk, int degrees, int distance, int option);
    virtual int DoHeader(int kind, int option);
    virtual int PlayContents(int mwcid, int option);
    virtual int ChangeHeadAngle(int pan, int tilt, int speed, int option);

private:
    vaibo::Session &session();

    std::unique_ptr<vaibo::Client> m_client;
};
